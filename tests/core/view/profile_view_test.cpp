// Tests of the profile window's scene: its axes, panels, cursor and readout,
// near and far out.
#include "core/view/profile_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/formats/profile_file.h"
#include "core/text/numbers.h"
#include "core/view/profile_view_lines.h"
#include "support/profile_fixture.h"

namespace ravo {
namespace {

// 1000..1800 at one station to the pixel, panels 300 and 120 high.
ProfileView Whole(bool plusNotation = false, std::optional<double> speed = {})
{
    return {1000, 1800, 800, 300, 120, plusNotation, speed};
}

// Grade values 50..101.333 at exaggeration 2 put 150.667 at the top, 0.667 at
// the bottom: two pixels to the unit.
double GradeY(double elevation) { return (150 + 2 / 3.0 - elevation) * 2; }

using Strings = std::vector<std::string>;

// Ticks and labels as "label@pixel".
Strings Texts(const std::vector<Tick>& ticks)
{
    Strings texts;
    for (const Tick& tick : ticks)
        texts.push_back(tick.label + "@" + std::to_string(std::lround(tick.at)));
    return texts;
}

// Crests and sags a station apart, each `length` long, at 10 on either side;
// the first `sharp` of grades of 1%, the rest of 0.002%.
ProfileViewIndex Waves(int count, float length, int sharp)
{
    std::vector<SegmentRow> rows;
    for (int i = 0; i < count; ++i) {
        const float g = (i < sharp ? 0.01f : 0.00002f) * (i % 2 ? -1 : 1);
        rows.push_back({10, g, -g, float(i), float(i) + length});
    }
    return ProfileViewIndex(ProfileOf(rows));
}

TEST(ProfileScene, AViewWorkedByHandItsCursorAndHover)
{
    const ProfileViewIndex index(RidgeAndHollow());
    const ProfileScene scene = BuildScene(index, Whole());
    EXPECT_EQ(scene.exaggerationText, "Vertical exaggeration 2:1");
    EXPECT_EQ(scene.grade.gaps, (std::vector<std::pair<double, double>>{{300, 400}}));
    EXPECT_EQ(scene.rowBoundaries, (std::vector<double>{0, 200, 300, 400, 500, 550, 800}));
    // Row ends a pixel apart are each marked, to the profile's end.
    const ProfileViewIndex close(
        ProfileOf({{100, 0, 0, 1000, 1001}, {100, 0, 0, 1001, 1799}, {100, 0, 0, 1799, 1800}}));
    EXPECT_EQ(BuildScene(close, Whole()).rowBoundaries, (std::vector<double>{0, 1, 799, 800}));
    EXPECT_EQ(Texts(scene.grade.valueTicks),
              (Strings{"20@261", "40@221", "60@181", "80@141", "100@101", "120@61", "140@21"}));
    // Elevations shown besides the line's (a ground far below) widen the panel's range.
    ProfileView withGround = Whole();
    withGround.alsoShown = std::pair{-300.0, 50.0};
    const ProfileScene wide = BuildScene(index, withGround);
    EXPECT_TRUE(wide.grade.valueAtBottom <= -300 &&
                wide.grade.valueAtTop >= scene.grade.valueAtTop);

    // Kind, row, label and place to the hundredth of a pixel.
    Strings marks;
    for (const Mark& m : scene.marks) {
        char at[64];
        std::snprintf(at, sizeof at, " %.2f,%.2f", m.at.x, m.at.y);
        marks.push_back(std::to_string(int(m.kind)) + " " + std::to_string(m.row) + " " + m.label +
                        at);
    }
    EXPECT_EQ(
        marks,
        (Strings{"0 1 PVI 1100.000 100.00,97.33", "1 1 High 1133.333 / 101.333 133.33,98.67",
                 "0 3 PVI 1600.000 600.00,113.33", "2 3 Low 1700.000 / 95.500 700.00,110.33"}));
    EXPECT_EQ(Texts(scene.curveLabels), (Strings{"K 66.7@100", "K 100.0@600"}));
    // Zoomed out far from the origin, the curves are 10 and 20 pixels wide:
    // too narrow for their K or their PVI's label.
    const ProfileScene far = BuildScene(index, {0, 16000, 800, 300, 120});
    EXPECT_TRUE(far.curveLabels.empty());
    for (const Mark& m : far.marks)
        EXPECT_TRUE(m.kind != MarkKind::Pvi || m.label.empty()) << m.label;

    // The line breaks at the gap; the later level row shows at 50 inside the sag.
    ASSERT_EQ(scene.grade.lines.size(), 2u);
    const std::vector<PixelPoint>& sag = scene.grade.lines[1].points;
    EXPECT_EQ(std::pair(scene.grade.lines[0].points.back().x, sag.front().x),
              std::pair(300.5, 400.5));
    const auto level = std::find_if(sag.begin(), sag.end(), [](auto& p) { return p.x == 525.5; });
    ASSERT_NE(level, sag.end());
    EXPECT_NEAR(level->y, GradeY(50), 1e-3);

    // Cross slope -2 % to 2 % in a panel from 2.4 % down to -2.4 %.
    ASSERT_EQ(scene.super.lines.size(), 1u);
    EXPECT_NEAR(scene.super.lines[0].points.front().y, (2.4 + 2) / 4.8 * 120, 1e-3);

    // Steps of ten times a power of ten far out; decimals, also in 12+34 form, far in.
    EXPECT_EQ(Texts(BuildScene(index, Whole(true)).stationTicks),
              (Strings{"10+00@0", "12+00@200", "14+00@400", "16+00@600", "18+00@800"}));
    ProfileView kilometres = Whole(true);
    kilometres.stationStyle = StationStyle::Kilometre;
    EXPECT_EQ(Texts(BuildScene(index, kilometres).stationTicks),
              (Strings{"1+000@0", "1+200@200", "1+400@400", "1+600@600", "1+800@800"}));
    EXPECT_EQ(Texts(BuildScene(index, {1000, 1800, 100, 300, 120}).stationTicks),
              Strings{"1000@0"});
    // The tick at the view's end is there as at the whole view's.
    EXPECT_EQ(Texts(BuildScene(index, ZoomView(Whole(true), 0, 800)).stationTicks),
              (Strings{"10+00.0@0", "10+00.2@160", "10+00.4@320", "10+00.6@480", "10+00.8@640",
                       "10+01.0@800"}));

    // A zero-length row at 1100 and the gap at 1350 give no point.
    const std::vector<std::tuple<float, std::optional<double>, std::optional<double>>> cursors = {
        {1050, GradeY(100.8125), 60}, {1100, {}, 10}, {1350, {}, {}}};
    for (const auto& [station, gradeY, superY] : cursors) {
        const Cursor cursor = CursorAt(index, Whole(), scene, station, 100.8125f);
        EXPECT_EQ(cursor.x, station - 1000);
        EXPECT_NEAR(cursor.gradeY.value_or(-1), gradeY.value_or(-1), 1e-3) << station;
        EXPECT_NEAR(cursor.superY.value_or(-1), superY.value_or(-1), 1e-3) << station;
    }
    EXPECT_EQ(CursorAt(index, Whole(true), scene, 1050, 0).caption,
              "Station 10+50.000  Elevation 0.000");

    // 120 km/h asks K 95 over a crest and 63 through a sag.
    const std::vector<std::tuple<double, std::optional<double>, const char*>> hovers = {
        {50, {}, "Curve 1: K 66.7"},
        {350, {}, "No curve here: the elevation calculated is 0"},
        {900, {}, ""},
        {525, {}, "Curve 4: straight grade"},
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

TEST(ProfileView, ClicksAndScenesZoomedFarInAndFarOut)
{
    const ProfileViewIndex index(RidgeAndHollow());
    EXPECT_EQ(StationTextAtX(Whole(), 100.4), "1100");
    EXPECT_EQ(StationTextAtX(ZoomView(Whole(), 0, 10), 1004), "1100.4");
    EXPECT_EQ(FitView(ProfileViewIndex(ProfileState{}), Whole()).firstStation, 1000);
    // A level profile has no height to fit: exaggeration 1; nor a
    // superelevation: its panel shows 1% either side of 0.
    const ProfileScene level =
        BuildScene(ProfileViewIndex(ProfileOf({{100, 0, 0, 1000, 1800}})), Whole());
    EXPECT_EQ(level.exaggerationText, "Vertical exaggeration 1:1");
    EXPECT_EQ(std::pair(level.super.valueAtTop, level.super.valueAtBottom), std::pair(1.0, -1.0));
    // An infinite elevation is left out of the scale, which stays finite
    // for the rest of the line.
    const ProfileScene overflow = BuildScene(
        ProfileViewIndex(ProfileOf({{100, 0, 0, 1000, 1400}, {INFINITY, 0, 0, 1400, 1800}})),
        Whole());
    EXPECT_TRUE(std::isfinite(overflow.grade.valueAtTop - overflow.grade.valueAtBottom));
    // Zoomed in as far as the view goes, stations are labelled to the millimetre.
    ProfileView deepest = Whole();
    for (int i = 0; i < 30; ++i)
        deepest = ZoomView(deepest, 400, 2);
    for (const Tick& tick : BuildScene(index, deepest).stationTicks)
        EXPECT_EQ(tick.label.size() - tick.label.find('.'), 4u) << tick.label;
    // No line at all: the grade panel stands about 0.
    const ProfileScene none = BuildScene(ProfileViewIndex(ProfileState{}), Whole());
    EXPECT_EQ(none.grade.valueAtTop, -none.grade.valueAtBottom);
    // Elevations and stations too large for a step to change them still end
    // their ticks, also zoomed in as far as the view goes.
    const ProfileViewIndex high(ProfileOf({{1e20f, 0.01f, 0.01f, 0, 1e6f}}));
    EXPECT_LE(BuildScene(high, {0, 1e6, 800, 300, 120}).grade.valueTicks.size(), 12u);
    const ProfileViewIndex farOut(ProfileOf({{100, 0.01f, 0.01f, 1e20f, 2e20f}}));
    ProfileView zoomed{1e20, 2e20, 800, 300, 120};
    for (int i = 0; i < 80; ++i)
        zoomed = ZoomView(zoomed, 400, 2);
    EXPECT_LE(BuildScene(farOut, zoomed).stationTicks.size(), 12u);

    // 10000 crests and sags a station apart, end to end or with a quarter
    // station between them, zoomed out: at most two points a column. K 0.375
    // is too sharp for 120 km/h.
    for (const float length : {1.0f, 0.75f}) {
        const ProfileViewIndex rows = Waves(10000, length, 10000);
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
    // 32 pieces, two whole blocks, both in the first column: taken as blocks
    // up to the very last piece.
    const ProfileScene blocks =
        BuildScene(Waves(32, 1, 32), {.firstStation = 0, .lastStation = 1000, .plotWidth = 10});
    ASSERT_EQ(blocks.grade.lines.size(), 1u);
    EXPECT_EQ(blocks.grade.lines[0].points.size(), 2u);
    // Only the first of them too sharp, the rest K 250: zoomed out to five
    // columns of 2000, the first is red and the others are not.
    const ProfileViewIndex sharpFirst = Waves(10000, 1, 1);
    ProfileView far = FitView(sharpFirst, Whole(false, 120));
    far.plotWidth = 5;
    std::vector<double> red;  // the x of each point on a red line
    for (const Polyline& line : BuildScene(sharpFirst, far).grade.lines)
        for (const PixelPoint& p : line.points)
            if (line.flagged)
                red.push_back(p.x);
    EXPECT_EQ(red, (std::vector<double>{0.5, 0.5}));
}

}  // namespace
}  // namespace ravo
