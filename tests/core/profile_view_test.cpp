#include "core/profile_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "profile_fixture.h"

namespace ravo {
namespace {

// 1000..1800 at one station to the pixel.
ProfileView Whole(bool plusNotation = false, std::optional<double> speed = {})
{
    ProfileView view;
    view.firstStation = 1000;
    view.lastStation = 1800;
    view.plotWidth = 800;
    view.gradeHeight = 300;
    view.superHeight = 120;
    view.plusNotation = plusNotation;
    view.designSpeed = speed;
    return view;
}

// Grade values 50..101.333 at exaggeration 2 put 150.667 at the top, 0.667 at
// the bottom: two pixels to the unit.
double GradeY(double elevation) { return (150 + 2 / 3.0 - elevation) * 2; }

// Ticks and labels as "label@pixel".
std::vector<std::string> Texts(const std::vector<Tick>& ticks)
{
    std::vector<std::string> texts;
    for (const Tick& tick : ticks)
        texts.push_back(tick.label + "@" + std::to_string(std::lround(tick.at)));
    return texts;
}

TEST(ProfileScene, GradeLineMarksAndAxesOfAViewWorkedByHand)
{
    const ProfileViewIndex index(RidgeAndHollow());
    const ProfileScene scene = BuildScene(index, Whole());
    EXPECT_EQ(scene.exaggeration, 2);
    EXPECT_EQ(scene.exaggerationText, "Vertical exaggeration 2:1");
    EXPECT_NEAR(scene.grade.valueAtTop, 150.6667, 1e-3);
    EXPECT_EQ(scene.grade.gaps, (std::vector<std::pair<double, double>>{{300, 400}}));
    EXPECT_EQ(scene.rowBoundaries, (std::vector<double>{0, 200, 300, 400, 500, 550, 800}));
    EXPECT_EQ(Texts(scene.grade.valueTicks),
              (std::vector<std::string>{"20@261", "40@221", "60@181", "80@141", "100@101", "120@61",
                                        "140@21"}));

    // Kind, row, label and place to the hundredth of a pixel.
    std::vector<std::string> marks;
    for (const Mark& m : scene.marks) {
        char at[64];
        std::snprintf(at, sizeof at, " %.2f,%.2f", m.at.x, m.at.y);
        marks.push_back(std::to_string(int(m.kind)) + " " + std::to_string(m.row) + " " + m.label +
                        at);
    }
    EXPECT_EQ(marks,
              (std::vector<std::string>{
                  "0 1 PVI 1100.000 100.00,97.33", "1 1 High 1133.333 / 101.333 133.33,98.67",
                  "0 3 PVI 1600.000 600.00,113.33", "2 3 Low 1700.000 / 95.500 700.00,110.33"}));
    EXPECT_EQ(Texts(scene.curveLabels), (std::vector<std::string>{"K 66.7@100", "K 100.0@600"}));

    // The line breaks at the gap; the later level row shows at 50 inside the sag.
    ASSERT_EQ(scene.grade.lines.size(), 2u);
    EXPECT_EQ(scene.grade.lines[0].points.back().x, 300.5);
    EXPECT_EQ(scene.grade.lines[1].points.front().x, 400.5);
    auto yAt = [&](double x) {
        for (const PixelPoint& p : scene.grade.lines[1].points) {
            if (p.x == x)
                return p.y;
        }
        return -1.0;
    };
    EXPECT_NEAR(yAt(525.5), GradeY(50), 1e-3);

    // Cross slope -2 % to 2 % in a panel from 2.4 % down to -2.4 %.
    EXPECT_NEAR(scene.super.valueAtTop, 2.4, 1e-6);
    ASSERT_EQ(scene.super.lines.size(), 1u);
    EXPECT_NEAR(scene.super.lines[0].points.front().y, (2.4 + 2) / 4.8 * 120, 1e-3);

    EXPECT_EQ(
        Texts(BuildScene(index, Whole(true)).stationTicks),
        (std::vector<std::string>{"10+00@0", "12+00@200", "14+00@400", "16+00@600", "18+00@800"}));
    EXPECT_EQ(scene.stationTicks[1].label, "1200");

    // Steps of ten times a power of ten far out; decimals, also in 12+34 form, far in.
    ProfileView far = Whole();
    far.plotWidth = 100;
    ProfileView near = Whole(true);
    near.lastStation = 1001;
    EXPECT_EQ(Texts(BuildScene(index, far).stationTicks), (std::vector<std::string>{"1000@0"}));
    EXPECT_EQ(Texts(BuildScene(index, near).stationTicks),
              (std::vector<std::string>{"10+00.0@0", "10+00.2@160", "10+00.4@320", "10+00.6@480",
                                        "10+00.8@640"}));
}

TEST(ProfileScene, CursorHoverAndTheLeastKForADesignSpeed)
{
    const ProfileViewIndex index(RidgeAndHollow());
    const ProfileScene scene = BuildScene(index, Whole());
    struct Case {
        float station;
        std::optional<double> gradeY, superY;
        const char* caption;
    };
    const std::vector<Case> cursors = {
        {1050, GradeY(100.8125), 60, "Station 1050.000  Elevation 100.813"},
        {1100, {}, 10, "Station 1100.000  Elevation 100.813"},  // a zero-length row: no point
        {1350, {}, {}, "Station 1350.000  Elevation 100.813"},  // in the gap
    };
    for (const Case& c : cursors) {
        const Cursor cursor = CursorAt(index, Whole(), scene, c.station, 100.8125f);
        EXPECT_EQ(cursor.x, c.station - 1000);
        EXPECT_NEAR(cursor.gradeY.value_or(-1), c.gradeY.value_or(-1), 1e-3) << c.station;
        EXPECT_NEAR(cursor.superY.value_or(-1), c.superY.value_or(-1), 1e-3) << c.station;
        EXPECT_EQ(cursor.caption, c.caption);
    }
    EXPECT_EQ(CursorAt(index, Whole(true), scene, 1050, 0).caption,
              "Station 10+50.000  Elevation 0.000");

    // 120 km/h asks K 95 over a crest and 63 through a sag.
    const std::vector<std::tuple<double, std::optional<double>, const char*>> hovers = {
        {50, {}, "Curve 1: K 66.7"},
        {350, {}, "No curve here: the elevation calculated is 0"},
        {900, {}, ""},
        {525, {}, "Curve 4: straight grade"},
        {50, 120, "Curve 1: K 66.7, least K 95 for a crest: too sharp for the design speed"},
        {700, 120, "Curve 3: K 100.0, least K 63 for a sag"},
    };
    for (const auto& [x, speed, text] : hovers)
        EXPECT_EQ(HoverText(index, Whole(false, speed), x), text) << x;

    // Only the crest is drawn red.
    const ProfileScene flagged = BuildScene(index, Whole(false, 120));
    EXPECT_EQ(flagged.curveLabels[0].label, "K 66.7 (least 95)");
    int redLines = 0;
    for (const Polyline& line : flagged.grade.lines) {
        redLines += line.flagged;
        for (const PixelPoint& p : line.points)
            EXPECT_TRUE(line.flagged ? p.x <= 200.5 : p.x >= 199.5) << p.x;
    }
    EXPECT_EQ(redLines, 1);
}

TEST(ProfileView, FitZoomPanAndClicksAtOneOrMorePixelsPerStation)
{
    const ProfileViewIndex index(RidgeAndHollow());
    for (const auto& [view, first, last] : {std::tuple{FitView(index, Whole()), 984., 1816.},
                                            {ZoomView(Whole(), 400, 2), 1200., 1600.},
                                            {PanView(Whole(), 100), 900., 1700.}}) {
        EXPECT_DOUBLE_EQ(view.firstStation, first);
        EXPECT_DOUBLE_EQ(view.lastStation, last);
    }
    EXPECT_EQ(StationTextAtX(Whole(), 100.4), "1100");
    EXPECT_EQ(StationTextAtX(ZoomView(Whole(), 0, 10), 1004), "1100.4");
    EXPECT_EQ(FitView(ProfileViewIndex(ProfileState{}), Whole()).firstStation, 1000);

    // Zoomed in on the high point the line is drawn pixel by pixel, its top at
    // the high point; zoomed out over many rows, at most two points a column.
    ProfileView close = Whole();
    close.firstStation = 1130;
    close.lastStation = 1136.4;
    close.plotWidth = 640;
    const ProfileScene near = BuildScene(index, close);
    EXPECT_EQ(near.exaggerationText, "Vertical exaggeration 2000:1");  // 100 px a station
    ASSERT_EQ(near.grade.lines.size(), 1u);
    const std::vector<PixelPoint>& points = near.grade.lines[0].points;
    EXPECT_GE(points.size(), 640u);
    const double top = std::min_element(points.begin(), points.end(), [](auto& a, auto& b) {
                           return a.y < b.y;
                       })->y;
    const Panel& panel = near.grade;
    const double highest = 100 + 0.02 * 0.02 * 200 / 0.06;
    EXPECT_NEAR(top, (panel.valueAtTop - highest) / (panel.valueAtTop - panel.valueAtBottom) * 300,
                1e-2);

    // 10000 crests and sags a station apart, end to end or with a quarter
    // station between them; K 0.375 is too sharp for 120 km/h.
    for (const float length : {1.0f, 0.75f}) {
        std::vector<SegmentRow> many;
        for (int i = 0; i < 10000; ++i)
            many.push_back(
                {10, i % 2 ? -0.01f : 0.01f, i % 2 ? 0.01f : -0.01f, float(i), float(i) + length});
        const ProfileViewIndex rows(ProfileOf(many));
        ProfileView far = FitView(rows, Whole(false, 120));
        far.plotWidth = 100;
        const ProfileScene wide = BuildScene(rows, far);
        const bool gaps = length < 1;
        EXPECT_EQ(wide.grade.gaps.size(), gaps ? 1u : 0u);
        // Every column has a gap, so each makes a line of its own.
        EXPECT_GE(wide.grade.lines.size(), gaps ? 90u : 1u);
        EXPECT_LE(wide.grade.lines.size(), gaps ? 100u : 1u);
        std::size_t drawn = 0;
        for (const Polyline& line : wide.grade.lines) {
            drawn += line.points.size();
            EXPECT_TRUE(line.flagged);
        }
        EXPECT_LE(drawn, 200u);
        EXPECT_GT(wide.grade.valueAtBottom, 9);  // the gaps are not drawn at 0
        EXPECT_LE(wide.rowBoundaries.size(), 101u);
        EXPECT_TRUE(wide.marks.empty());
    }
}

}  // namespace
}  // namespace ravo
