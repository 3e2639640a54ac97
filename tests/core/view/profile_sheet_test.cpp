// The profile sheet: station and grade texts, labels kept apart from each
// other and from the marks, and the superelevation line.
#include "core/view/profile_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/formats/profile_file.h"
#include "core/text/numbers.h"
#include "core/view/profile_view.h"
#include "support/profile_fixture.h"

namespace ravo {
namespace {

// Seven pixels a character and fourteen a line, as a plain font paints them.
std::pair<double, double> Measure(const std::string& text)
{
    double lines = 1, widest = 0, width = 0;
    for (const char c : text) {
        lines += c == '\n';
        width = c == '\n' ? 0 : width + 7;
        widest = std::max(widest, width);
    }
    return {widest, 14 * lines};
}

// The plot of a window of the given size, as the profile window lays it out.
ProfileView Sized(ProfileView view, int width, int height)
{
    view.plotWidth = std::max(width - 100, 10);
    view.gradeHeight = std::max(int((height - 110) * 0.72), 14);
    view.superHeight = std::max(height - 110 - view.gradeHeight, 6);
    return view;
}

TEST(SheetText, StationsInEachStyleAndGrades)
{
    const std::vector<std::tuple<double, int, bool, StationStyle, std::string>> stations = {
        {1234.5674, 3, true, StationStyle::Kilometre, "1+234.567"},
        {1234.5674, 2, true, StationStyle::Hundreds, "12+34.57"},
        {-50, 3, true, StationStyle::Kilometre, "-0+050.000"},
        {-0.0001, 3, true, StationStyle::Kilometre, "0+000.000"},
        {-0.001, 3, true, StationStyle::Kilometre, "-0+000.001"},
        {5.5, 0, true, StationStyle::Hundreds, "0+06"},
        {999.9996, 3, true, StationStyle::Kilometre, "1+000.000"},
        {1234.5, 2, false, StationStyle::Kilometre, "1234.50"},
        {1e300, 3, true, StationStyle::Kilometre, FixedText(1e300, 3)},
    };
    for (const auto& [station, decimals, plus, style, text] : stations)
        EXPECT_EQ(StationInStyle(station, decimals, plus, style), text) << station;
    EXPECT_EQ(GradePercentText(-0.005) + GradePercentText(0), "-0.50%+0.00%");
}

TEST(LabelPlacer, KeepsClearOfMarksAndDropsTheLeastFirst)
{
    // Three labels at one anchor in a plot with room for two near it: the
    // tick gives way; a mark covers the place above, so the PVI goes below
    // and the high point further below.
    const std::vector<LabelRequest> labels = {{"tick", {50, 20}, 40, 14, LabelRank::Tick},
                                              {"pvi", {50, 20}, 40, 14, LabelRank::Design},
                                              {"high", {50, 20}, 40, 14, LabelRank::Turn}};
    const Box plot{0, 0, 100, 60};
    const std::vector<Box> marks = {{40, 0, 60, 14}};
    const LabelPlacement placement = PlaceLabels(labels, marks, plot, {});
    ASSERT_EQ(placement.placed.size(), 2u);
    EXPECT_EQ(std::tuple(placement.placed[0].label, placement.placed[0].box.top,
                         placement.placed[1].label, placement.placed[1].box.top),
              std::tuple(1u, 25.0, 2u, 39.0));
    EXPECT_EQ(placement.dropped, std::vector<std::size_t>{0});
    EXPECT_EQ(DroppedNear(labels, placement, {52, 22}, 8), std::vector<std::string>{"tick"});
    EXPECT_TRUE(DroppedNear(labels, placement, {80, 22}, 8).empty());

    // A line through the place above sends the label below it; so does a
    // piece of a line that only clips the place's corner, and lines that stop
    // less than half a pixel left of it or above it: a line a pixel wide still
    // reaches into the place.
    const auto placeWith = [&](const Polyline& line) {
        return PlaceLabels({labels[1]}, {}, plot, {line}).placed.at(0).box;
    };
    for (const Polyline& line :
         {Polyline{{{0, 10}, {100, 10}}}, Polyline{{{40, 0}, {75, 14}, {100, 0}}},
          Polyline{{{0, 10}, {29.7, 10}}}, Polyline{{{0, 0.7}, {100, 0.7}}}})
        EXPECT_EQ(placeWith(line).top, 25) << line.points.back().x << "," << line.points.back().y;
    // A line that rises steeply beside the place and runs on above it leaves
    // it free.
    const Box free = placeWith({{{28, 0}, {29, 30}, {100, 20}, {101, 20}}});
    EXPECT_EQ(std::pair(free.left, free.top), std::pair(30.0, 1.0));
    // The label of a sag goes beneath it first.
    LabelRequest sag = labels[1];
    sag.below = true;
    EXPECT_EQ(PlaceLabels({sag}, {}, plot, {}).placed.at(0).box.top, 25);
    EXPECT_EQ(PlaceLabels({sag}, {{40, 25, 60, 39}}, plot, {}).placed.at(0).box.top, 1);
}

// A label 40 by 14 at (100, 100) goes to the first place left free, 5 px
// from the anchor: above, below, right, left, then the corners.
TEST(LabelPlacer, TriesEachPlaceAroundTheAnchorInTurn)
{
    const LabelRequest label{"pvi", {100, 100}, 40, 14, LabelRank::Design};
    // Small marks, each inside one place and clear of the others.
    const Box above{100, 85, 101, 90}, below{100, 110, 101, 112}, right{140, 99, 141, 101},
        left{60, 99, 61, 101}, upperRight{130, 85, 135, 90}, upperLeft{60, 85, 61, 90},
        lowerRight{130, 110, 135, 112};
    const struct {
        std::vector<Box> marks;
        Box place;
    } cases[] = {
        {{}, {80, 81, 120, 95}},
        {{above}, {80, 105, 120, 119}},
        {{above, below}, {105, 93, 145, 107}},
        {{above, below, right}, {55, 93, 95, 107}},
        {{above, below, right, left}, {102.5, 81, 142.5, 95}},
        {{above, below, right, left, upperRight}, {57.5, 81, 97.5, 95}},
        {{above, below, right, left, upperRight, upperLeft}, {102.5, 105, 142.5, 119}},
        {{above, below, right, left, upperRight, upperLeft, lowerRight}, {57.5, 105, 97.5, 119}},
    };
    // In a plot at the origin, and in one that begins further in.
    for (const Box& plot : {Box{0, 0, 200, 200}, Box{50, 50, 200, 200}}) {
        for (const auto& c : cases) {
            const Box box = PlaceLabels({label}, c.marks, plot, {}).placed.at(0).box;
            EXPECT_EQ(
                std::vector<double>({box.left, box.top, box.right, box.bottom}),
                std::vector<double>({c.place.left, c.place.top, c.place.right, c.place.bottom}))
                << c.marks.size() << " marks, plot from " << plot.left;
        }
    }
}

TEST(ProfileSheet, ARoadReadAtAGlance)
{
    // Ridge Road at the window's first size: every PVI and curve datum placed,
    // grades on the tangents, BVC and EVC on each curve.
    const ProfileState ridge = LoadProfile(RAVO_EXAMPLES_DIR "/ridge-road.in");
    const ProfileViewIndex index(ridge);
    const ProfileView view = FitView(
        index, Sized({.plusNotation = true, .stationStyle = StationStyle::Kilometre}, 1200, 700));
    const ProfileSheet sheet = BuildSheet(index, view, BuildScene(index, view), Measure);
    std::vector<std::string> placed;
    for (const PlacedLabel& label : sheet.placement.placed)
        placed.push_back(sheet.labels[label.label].text);
    for (std::size_t i : sheet.placement.dropped)
        EXPECT_NE(sheet.labels[i].rank, LabelRank::Design) << sheet.labels[i].text;
    // The placed ones keep apart, clear of the marks and inside the plot.
    const std::vector<PlacedLabel>& boxes = sheet.placement.placed;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_TRUE(boxes[i].box.Inside({0, 0, double(view.plotWidth), double(view.gradeHeight)}));
        for (const Box& mark : sheet.marks)
            EXPECT_FALSE(boxes[i].box.Overlaps(mark)) << placed[i];
        for (std::size_t j = i + 1; j < boxes.size(); ++j)
            EXPECT_FALSE(boxes[i].box.Overlaps(boxes[j].box)) << placed[i] << " / " << placed[j];
    }
    for (const std::string text :
         {"PVI 0+500.000\nEl 265.000", "L 200.000  K 50.0  A -4.00%", "+3.00%"})
        EXPECT_NE(std::ranges::find(placed, text), placed.end()) << text;
    EXPECT_EQ(sheet.tangents.size(), 6u);
    EXPECT_EQ(sheet.curveEnds.size(), 12u);
    // Each curve end is marked, its mark about it.
    for (const PixelPoint& end : sheet.curveEnds)
        EXPECT_TRUE(std::any_of(sheet.marks.begin(), sheet.marks.end(), [&end](const Box& b) {
            return b.left < end.x && end.x < b.right && b.top < end.y && end.y < b.bottom;
        })) << end.x;
    // So is one on the plot's top edge.
    ProfileScene topAtAnEnd = BuildScene(index, view);
    topAtAnEnd.grade.valueAtTop = -1e9;
    ForEachRow(ridge, SegmentKind::VerticalCurve, [&](std::int32_t row, const SegmentRow& values) {
        const CurveSummary curve = SummarizeCurve(row, values);
        if (curve.shape != CurveShape::Straight)
            topAtAnEnd.grade.valueAtTop =
                std::max<double>({topAtAnEnd.grade.valueAtTop, static_cast<double>(values.start),
                                  *curve.endElevation});
    });
    EXPECT_EQ(BuildSheet(index, view, topAtAnEnd, Measure).curveEnds.size(), 12u);

    // The superelevation runs through the rows' ends: straight pieces need
    // two points each, not one a pixel column.
    std::size_t points = 0;
    for (const Polyline& line : sheet.superLine)
        points += line.points.size();
    EXPECT_LE(points, 2 * 13u);
    // The pointer's station in the view's style, and its elevation to the
    // pixel's size, a millimetre at the finest, falling down the plot; the
    // grade line's elevation there to the millimetre.
    const auto pointer = [&](StationStyle style, double perPixel) {
        ProfileView shown = view;
        shown.stationStyle = style;
        shown.gradeHeight = 100;
        ProfileScene scene;
        scene.grade.valueAtTop = 300;
        scene.grade.valueAtBottom = 300 - 100 * perPixel;
        return PointerReadout(index, shown, scene, XOfStation(shown, 400), 10);
    };
    EXPECT_EQ(pointer(StationStyle::Kilometre, 0.0003),
              "Pointer 0+400.000  Elevation 299.997  Grade line 262.000");
    EXPECT_EQ(pointer(StationStyle::Hundreds, 0.05),
              "Pointer 4+00.00  Elevation 299.50  Grade line 262.000");
    EXPECT_EQ(pointer(StationStyle::Kilometre, 300),
              "Pointer 0+400.000  Elevation -2700  Grade line 262.000");
}

// Ten crests and sags end to end: each is drawn with its ends where there
// are eight pixels a row, and none is where there are fewer.
TEST(ProfileSheet, CurvesAreDrawnUpToOneEveryEightPixels)
{
    std::vector<SegmentRow> rows;
    for (int i = 0; i < 10; ++i)
        rows.push_back({100, i % 2 ? -0.01f : 0.01f, i % 2 ? 0.01f : -0.01f, float(i * 100),
                        float(i * 100 + 100)});
    const ProfileViewIndex index(ProfileOf(rows));
    for (const auto& [width, ends] : {std::pair{80, 20u}, std::pair{72, 0u}}) {
        const ProfileView view = FitView(index, Sized({}, width + 100, 400));
        const ProfileScene scene = BuildScene(index, view);
        EXPECT_EQ(BuildSheet(index, view, scene, Measure).curveEnds.size(), ends) << width;
        EXPECT_EQ(scene.marks.empty(), ends == 0) << width;  // and their PVIs marked
    }
    // The data of a sag is put beneath it first, that of a crest above.
    const ProfileView wide = FitView(index, Sized({}, 2000, 400));
    std::vector<bool> below;
    for (const LabelRequest& label :
         BuildSheet(index, wide, BuildScene(index, wide), Measure).labels)
        if (label.text.starts_with("L "))
            below.push_back(label.below);
    EXPECT_EQ(below,
              (std::vector<bool>{false, true, false, true, false, true, false, true, false, true}));
    // A curve that begins where the view ends is not in it.
    const ProfileViewIndex edge(
        ProfileOf({{100, 0.01f, 0.01f, 0, 100}, {101, 0.01f, -0.01f, 100, 200}}));
    ProfileView upTo = Sized({}, 500, 400);
    upTo.firstStation = 0;
    upTo.lastStation = 100;
    EXPECT_TRUE(BuildSheet(edge, upTo, BuildScene(edge, upTo), Measure).curveEnds.empty());
}

}  // namespace
}  // namespace ravo
