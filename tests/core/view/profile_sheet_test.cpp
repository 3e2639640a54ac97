// The profile sheet: station and grade texts, labels kept apart from each
// other and from the marks at every window size, and the superelevation line.
#include "core/view/profile_sheet.h"

#include "core/text/numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/formats/profile_file.h"
#include "support/profile_fixture.h"
#include "support/random_profiles.h"

namespace ravo {
namespace {

// Seven pixels a character and fourteen a line, as a plain font paints them.
std::pair<double, double> Measure(const std::string& text)
{
    double lines = 1;
    std::size_t widest = 0;
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos;
         end = text.find('\n', start)) {
        widest = std::max(widest, end - start);
        start = end + 1;
        ++lines;
    }
    widest = std::max(widest, text.size() - start);
    return {7.0 * double(widest), 14 * lines};
}

// The plot of a window of the given size, as the profile window lays it out.
ProfileView Sized(ProfileView view, int width, int height)
{
    view.plotWidth = std::max(width - 100, 10);
    view.gradeHeight = std::max(int((height - 110) * 0.72), 14);
    view.superHeight = std::max(height - 110 - view.gradeHeight, 6);
    return view;
}

// Every label placed or dropped once; placed boxes apart, clear of the marks
// and inside the plot.
void ExpectApart(const ProfileSheet& sheet, const ProfileView& view, const std::string& where)
{
    const Box plot{0, 0, double(view.plotWidth), double(view.gradeHeight)};
    ASSERT_EQ(sheet.placement.placed.size() + sheet.placement.dropped.size(), sheet.labels.size())
        << where;
    const std::vector<PlacedLabel>& placed = sheet.placement.placed;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const Box& box = placed[i].box;
        EXPECT_TRUE(box.Inside(plot)) << where << " " << sheet.labels[placed[i].label].text;
        for (const Box& mark : sheet.marks)
            EXPECT_FALSE(box.Overlaps(mark)) << where << " " << sheet.labels[placed[i].label].text;
        for (std::size_t j = i + 1; j < placed.size(); ++j)
            EXPECT_FALSE(box.Overlaps(placed[j].box))
                << where << " " << sheet.labels[placed[i].label].text << " / "
                << sheet.labels[placed[j].label].text;
    }
}

TEST(SheetText, StationsInEachStyleAndGrades)
{
    const std::vector<std::tuple<double, int, bool, StationStyle, std::string>> stations = {
        {1234.5674, 3, true, StationStyle::Kilometre, "1+234.567"},
        {1234.5674, 2, true, StationStyle::Hundreds, "12+34.57"},
        {1234.5674, 3, true, StationStyle::Hundreds3, "12+34.567"},
        {-50, 3, true, StationStyle::Kilometre, "-0+050.000"},
        {-0.0001, 3, true, StationStyle::Kilometre, "0+000.000"},
        {-0.001, 3, true, StationStyle::Kilometre, "-0+000.001"},
        {0.5, 3, true, StationStyle::Kilometre, "0+000.500"},
        {5.5, 0, true, StationStyle::Hundreds, "0+06"},
        {999.9996, 3, true, StationStyle::Kilometre, "1+000.000"},
        {1234.5, 2, false, StationStyle::Kilometre, "1234.50"},
        {1e300, 3, true, StationStyle::Kilometre, FixedText(1e300, 3)},
    };
    for (const auto& [station, decimals, plus, style, text] : stations)
        EXPECT_EQ(StationInStyle(station, decimals, plus, style), text) << station;
    EXPECT_EQ(GradePercentText(0.03), "+3.00%");
    EXPECT_EQ(GradePercentText(-0.005), "-0.50%");
    EXPECT_EQ(GradePercentText(0), "+0.00%");
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
    EXPECT_EQ(placement.placed[0].label, 1u);
    EXPECT_EQ(placement.placed[0].box.top, 25);
    EXPECT_EQ(placement.placed[1].label, 2u);
    EXPECT_EQ(placement.placed[1].box.top, 39);
    EXPECT_EQ(placement.dropped, std::vector<std::size_t>{0});
    EXPECT_EQ(DroppedNear(labels, placement, {52, 22}, 8), std::vector<std::string>{"tick"});
    EXPECT_TRUE(DroppedNear(labels, placement, {80, 22}, 8).empty());

    // A line through the place above sends the label below it.
    const Polyline across{{{0, 10}, {100, 10}}};
    const LabelPlacement clear = PlaceLabels({labels[1]}, {}, {0, 0, 100, 60}, {across});
    EXPECT_EQ(clear.placed.at(0).box.top, 25);
    // So does a piece of a line that only clips the place's corner.
    const Polyline clipping{{{40, 0}, {75, 14}, {100, 0}}};
    EXPECT_EQ(PlaceLabels({labels[1]}, {}, {0, 0, 100, 60}, {clipping}).placed.at(0).box.top, 25);
    // And lines that stop less than half a pixel left of it or above it: a
    // line a pixel wide still reaches into the place.
    for (const Polyline& near : {Polyline{{{0, 10}, {29.7, 10}}}, Polyline{{{0, 0.7}, {100, 0.7}}}})
        EXPECT_EQ(PlaceLabels({labels[1]}, {}, {0, 0, 100, 60}, {near}).placed.at(0).box.top, 25);
    // A line that rises steeply beside the place and runs on above it leaves
    // it free.
    const Polyline beside{{{28, 0}, {29, 30}, {100, 20}, {101, 20}}};
    const Box free = PlaceLabels({labels[1]}, {}, {0, 0, 100, 60}, {beside}).placed.at(0).box;
    EXPECT_EQ(std::pair(free.left, free.top), std::pair(30.0, 1.0));
    // The label of a sag goes beneath it first.
    LabelRequest sag = labels[1];
    sag.below = true;
    EXPECT_EQ(PlaceLabels({sag}, {}, {0, 0, 100, 60}, {}).placed.at(0).box.top, 25);
    EXPECT_EQ(PlaceLabels({sag}, {{40, 25, 60, 39}}, {0, 0, 100, 60}, {}).placed.at(0).box.top, 1);
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

TEST(ProfileSheet, LabelsApartAtEverySizeZoomAndPan)
{
    test::Random random(41);
    std::vector<ProfileState> profiles = {RidgeAndHollow(),
                                          LoadProfile(RAVO_EXAMPLES_DIR "/ridge-road.in"),
                                          LoadProfile(RAVO_EXAMPLES_DIR "/main-street.in")};
    for (int i = 0; i < 40; ++i)
        profiles.push_back(test::RandomProfile(random));
    const std::vector<std::pair<int, int>> sizes = {{300, 200},  {420, 260},   {900, 560},
                                                    {1366, 768}, {1920, 1080}, {2560, 1440}};
    for (std::size_t p = 0; p < profiles.size(); ++p) {
        const ProfileViewIndex index(profiles[p]);
        for (const auto& [width, height] : sizes) {
            ProfileView view = FitView(
                index, Sized({.plusNotation = p % 2 == 0, .stationStyle = StationStyle::Kilometre},
                             width, height));
            const double at = std::uniform_real_distribution<double>(0, view.plotWidth)(random);
            const double dx = std::uniform_real_distribution<double>(-400, 400)(random);
            for (const ProfileView& shown :
                 {view, ZoomView(view, at, 5), PanView(ZoomView(view, at, 3), dx)}) {
                const ProfileScene scene = BuildScene(index, shown);
                const ProfileSheet sheet =
                    BuildSheet(index, shown, scene, Measure, {{0, 0, 80, 16}});
                ExpectApart(sheet, shown,
                            "profile " + std::to_string(p) + " at " + std::to_string(width) + "x" +
                                std::to_string(height));
            }
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
    const auto has = [&placed](const std::string& text) {
        return std::find(placed.begin(), placed.end(), text) != placed.end();
    };
    EXPECT_TRUE(has("PVI 0+500.000\nEl 265.000"));
    EXPECT_TRUE(has("L 200.000  K 50.0  A -4.00%"));
    EXPECT_TRUE(has("+3.00%"));
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
    EXPECT_EQ(PointerReadout(index, view, BuildScene(index, view), XOfStation(view, 400), 0)
                  .substr(0, 24),
              "Pointer 0+400.000  Eleva");
    ProfileView hundreds = view;
    hundreds.stationStyle = StationStyle::Hundreds;
    EXPECT_EQ(PointerReadout(index, hundreds, BuildScene(index, view), XOfStation(view, 400), 0)
                  .substr(0, 22),
              "Pointer 4+00.00  Eleva");
    // The elevation read falls as the pointer goes down the plot.
    const auto elevationAt = [&](double y) {
        const std::string text = PointerReadout(index, view, BuildScene(index, view), 0, y);
        return std::stod(text.substr(text.find("Elevation ") + 10));
    };
    EXPECT_GT(elevationAt(10), elevationAt(100));
    // It is given to the pixel's size, a millimetre at the finest.
    for (const auto& [perPixel, decimals] : {std::pair{0.0003, 3}, {0.05, 2}, {300.0, 0}}) {
        ProfileScene zoomed = BuildScene(index, view);
        zoomed.grade.valueAtBottom = zoomed.grade.valueAtTop - perPixel * view.gradeHeight;
        std::string elevation = PointerReadout(index, view, zoomed, 0, 10);
        elevation = elevation.substr(elevation.find("Elevation ") + 10);
        elevation = elevation.substr(0, elevation.find(' '));
        const std::size_t point = elevation.find('.');
        EXPECT_EQ(point == std::string::npos ? 0 : elevation.size() - point - 1,
                  std::size_t(decimals))
            << elevation;
    }
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

TEST(ProfileSheet, SegmentsDenserThanThePixelsKeepTheColumns)
{
    std::vector<SegmentRow> segments;
    for (int i = 0; i < 5000; ++i)
        segments.push_back({i % 2 ? 0.02f : -0.02f, 0, 0, float(i), float(i) + 1});
    const ProfileViewIndex index(ProfileOf({{100, 0, 0, 0, 5000}}, segments));
    ProfileView view = FitView(index, {});
    for (const int width : {100, 20000}) {
        view.plotWidth = width;
        const ProfileScene scene = BuildScene(index, view);
        const std::vector<Polyline> line = SuperLine(index, view, scene);
        std::size_t points = 0;
        std::vector<double> heights, sceneHeights;
        for (const Polyline& part : line) {
            points += part.points.size();
            for (const PixelPoint& p : part.points)
                heights.push_back(p.y);
        }
        // Two points a segment where the pixels outnumber them, else the columns.
        EXPECT_EQ(points, width == 100 ? scene.super.lines.at(0).points.size() : 2 * 5000u);
        // Either way between the heights of +2% and -2%.
        for (const PixelPoint& p : scene.super.lines.at(0).points)
            sceneHeights.push_back(p.y);
        EXPECT_EQ(*std::min_element(heights.begin(), heights.end()),
                  *std::min_element(sceneHeights.begin(), sceneHeights.end()));
        EXPECT_EQ(*std::max_element(heights.begin(), heights.end()),
                  *std::max_element(sceneHeights.begin(), sceneHeights.end()));
    }
}

TEST(ProfileSheet, CaptionAgreesWithTheRowsAndNamesTheOffset)
{
    const ProfileViewIndex index(RidgeAndHollow());
    const std::vector<std::tuple<float, float, const char*>> captions = {
        {1050, 0, "Station 1050.000  Elevation 100.813"},
        {1020, 10, "Station 1020.000  Elevation 100.250 at offset 10.000"},
        {1350, 0, "Station 1350.000  Elevation 0.000"},
        {1100, 0, "Station 1100.000  Elevation Invalid Entry"},
    };
    for (const auto& [station, offset, caption] : captions)
        EXPECT_EQ(CursorCaption(index, {}, station, offset), caption) << station;
    EXPECT_EQ(CursorCaption(index, {.plusNotation = true, .stationStyle = StationStyle::Kilometre},
                            1050, 0),
              "Station 1+050.000  Elevation 100.813");
}

}  // namespace
}  // namespace ravo
