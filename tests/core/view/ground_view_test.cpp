// Tests of the ground in the profile window's scene: cut and fill areas, the
// mass ordinate and its balance points, the pointer readout.
#include "core/view/ground_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ranges>
#include <string>
#include <utility>
#include <vector>

#include "core/view/mass_haul_view.h"
#include "core/view/profile_view_lines.h"
#include "support/profile_fixture.h"

namespace ravo {
namespace {

// A level design at 100 from 0 to 1000 over a ground rising to 101 at 500
// and falling back: fill to 250, cut to 750, fill to 1000. With W = 10 and
// 1:2 slopes a depth falling straight from 1 to 0 over 250 moves
// 250 (10/2 + 2/3) of earth.
const double Wedge = 250 * (5 + 2.0 / 3);

struct Road {
    ProfileViewIndex index{ProfileOf({{100, 0, 0, 0, 1000}}, {})};
    GroundProfile ground{{{0, 99}, {500, 101}, {1000, 99}}};
    SectionTemplate section{.width = 10, .fillSlope = 2, .cutSlope = 2};
    Panel grade = Grade();

    static Panel Grade()
    {
        Panel panel;
        panel.valueAtTop = 105;
        panel.valueAtBottom = 95;
        return panel;
    }

    GroundScene Scene(double first, double last, int width = 1000) const
    {
        ProfileView view{first, last, width, 200, 100};
        return BuildGroundScene(index, ground, section, view, grade, 80);
    }
};

TEST(GroundScene, CutAndFillAreasEndWhereTheLinesCross)
{
    const Road road;
    // At a pixel a station, and at three columns 333.3 apart where the
    // crossings lie between columns, straight between their depths.
    for (const auto& [width, within] : {std::pair{1000, 0.5}, std::pair{3, 1e-9}}) {
        const GroundScene coarse = road.Scene(0, 1000, width);
        ASSERT_EQ(coarse.shading.size(), 3u);
        const double crossings[][2] = {{0, 250}, {250, 750}, {750, 1000}};
        for (std::size_t i = 0; i < 3; ++i) {
            const ShadeArea& area = coarse.shading[i];
            EXPECT_EQ(area.cut, i == 1);
            const auto [left, right] =
                std::ranges::minmax(area.outline | std::views::transform(&PixelPoint::x));
            EXPECT_NEAR(left, crossings[i][0] * width / 1000, within) << width << " " << i;
            EXPECT_NEAR(right, crossings[i][1] * width / 1000, within) << width << " " << i;
        }
    }
    // Where a rising grade line crosses the ground between columns, the areas'
    // corner lies on the grade line.
    const Road sloped{ProfileViewIndex(ProfileOf({{99.5f, 0.001f, 0.001f, 0, 1000}}, {}))};
    const GroundScene crossing = sloped.Scene(0, 1000, 3);
    ASSERT_EQ(crossing.shading.size(), 3u);
    for (std::size_t i = 1; i < 3; ++i) {
        const PixelPoint corner = crossing.shading[i].outline.front();
        EXPECT_NEAR(corner.y, YOfValue(sloped.grade, 200, 99.5 + corner.x / 3), 1e-6) << i;
    }
    const GroundScene scene = road.Scene(0, 1000);
    ASSERT_EQ(scene.groundLines.size(), 1u);
    EXPECT_EQ(scene.groundLines[0].points.size(), 3u);        // through the points themselves
    EXPECT_NEAR(scene.groundLines[0].points[1].y, 80, 1e-9);  // 101 on 105..95 over 200 px
    // A ground denser than the pixels: each column's highest and lowest, at
    // its middle.
    Road dense;
    std::vector<GroundPoint> zigzag;
    for (int i = 0; i < 10; ++i)
        zigzag.push_back({100.0 * i, 99.0 + i % 2});
    dense.ground = GroundProfile(zigzag);
    const GroundScene columns = dense.Scene(0, 1000, 2);
    std::vector<double> xs;
    for (const PixelPoint& p : columns.groundLines.at(0).points)
        xs.push_back(p.x);
    EXPECT_EQ(xs, (std::vector<double>{0.5, 0.5, 1.5, 1.5}));
}

TEST(GroundScene, TheMassOrdinateCountsTheEarthBeforeTheView)
{
    const Road road;
    // {first, last, station, mass there}: the whole road and views that begin
    // past the first cut and fill, where the mass must not start again at 0.
    const struct {
        double first, last, station, mass;
    } cases[] = {
        {0, 1000, 250, -Wedge},
        {0, 1000, 500, 0},
        {0, 1000, 750, Wedge},
        {600, 900, 750, Wedge},
        {400, 600, 450, 250 * (3.2 + 0.512 * 2 / 3) - Wedge},
        {900, 1000, 1000, 0},
        {400, 600, 600, 250 * (3.2 + 0.784 * 2 / 3)},          // the view's right edge
        {400, 600, 400, 250 * (1.8 + 0.216 * 2 / 3) - Wedge},  // and its left
    };
    for (const auto& c : cases) {
        const GroundScene scene = road.Scene(c.first, c.last, 300);
        const ProfileView view{c.first, c.last, 300, 200, 100};
        const std::optional<double> mass = MassAtX(scene, XOfStation(view, c.station));
        ASSERT_TRUE(mass) << c.first << " " << c.station;
        EXPECT_NEAR(*mass, c.mass, Wedge * 0.01) << c.first << " " << c.station;
        // A view that begins on the road has its line from its first column.
        EXPECT_TRUE(c.first == 0 || scene.mass.at(0).x == 0) << c.first;
    }
    // Nor is there a mass ordinate beside the road.
    const ProfileView wider{-100, 1100, 300, 200, 100};
    const GroundScene beyond = road.Scene(-100, 1100, 300);
    EXPECT_FALSE(MassAtX(beyond, XOfStation(wider, -50)));
    EXPECT_FALSE(MassAtX(beyond, XOfStation(wider, 1050)));
    for (std::size_t i = 0; i < beyond.mass.size(); ++i) {
        EXPECT_TRUE(beyond.mass[i].station >= 0 && beyond.mass[i].station <= 1000) << i;
        EXPECT_TRUE(i == 0 || beyond.mass[i].x > beyond.mass[i - 1].x) << i;
    }
    // One balance point at 500; 1000 ends at 0 without crossing it.
    const GroundScene whole = road.Scene(0, 1000);
    ASSERT_EQ(whole.balanceX.size(), 1u);
    EXPECT_NEAR(whole.balanceX[0], 500, 0.05);
    // Between two pixel columns as well: at 500 of 1000 over 333 pixels.
    EXPECT_NEAR(road.Scene(0, 1000, 333).balanceX.at(0), 166.5, 0.05);
    ASSERT_EQ(whole.massPanel.lines.size(), 1u);
    // The panel holds the line with a small margin.
    EXPECT_NEAR(whole.massPanel.valueAtTop, Wedge * 1.1, Wedge * 0.1);
    EXPECT_NEAR(whole.massPanel.valueAtBottom, -Wedge * 1.1, Wedge * 0.1);
    // Its value ticks lie within it, from near its bottom to near its top;
    // each tick's label reads the value at its height, to half a pixel, and
    // no two read the same: also on a mass line of a few ten-millionths, as
    // rounding leaves on a ground at grade.
    EXPECT_GE(whole.massPanel.valueTicks.size(), 3u);
    const Panel noise = MassPanel({{0, 0, 0}, {50, 500, 3e-7}, {100, 1000, -2e-7}}, 80);
    // A mass line flat at 0 (ground at grade) stands in a panel of a unit.
    const Panel flat = MassPanel({{0, 0, 0}, {100, 1000, 0}}, 80);
    EXPECT_EQ(std::pair(flat.valueAtBottom, flat.valueAtTop), std::pair(-0.08, 1.08));
    for (const Panel* panel : {&whole.massPanel, &noise}) {
        ASSERT_FALSE(panel->valueTicks.empty());
        for (std::size_t i = 0; i < panel->valueTicks.size(); ++i) {
            const Tick& tick = panel->valueTicks[i];
            EXPECT_TRUE(tick.at >= 0 && tick.at <= 80) << tick.label;
            EXPECT_NEAR(tick.at, YOfValue(*panel, 80, std::stod(tick.label)), 0.5) << tick.label;
            EXPECT_TRUE(i == 0 || tick.label != panel->valueTicks[i - 1].label) << tick.label;
        }
    }
    // Sections a few pixels apart split the volume where the depth changes
    // sign. Three columns, at 0, 333.3, 666.7 and 1000: depths 1, -1/3, -1/3,
    // 1. Fill 0..250 is 12/2 * 250 and cut 250..333.3 is 32/9/2 * 83.3, and
    // the same again at the far end with 32/9 * 333.3 of cut between.
    const GroundScene scene = road.Scene(0, 1000, 3);
    const double fillEnd = 12.0 / 2 * 250;
    const double cutEnd = 32.0 / 9 / 2 * (1000 / 12.0);
    EXPECT_NEAR(MassAtX(scene, 1).value_or(0), cutEnd - fillEnd, 1e-6);
    EXPECT_NEAR(MassAtX(scene, 3).value_or(0), 2 * (cutEnd - fillEnd) + 32.0 / 9 * 1000 / 3, 1e-6);
}

TEST(GroundScene, TheReadoutSaysGroundAndDepth)
{
    const Road road;
    const ProfileView view{0, 1000, 1000, 200, 100};
    const GroundScene scene = road.Scene(0, 1000);
    // The mass ordinate to a tenth: -Wedge there.
    EXPECT_EQ(GroundReadout(road.index, road.ground, scene, view, 250),
              "Ground 100.000  On grade  Mass ordinate -1416.7");
    EXPECT_EQ(GroundReadout(road.index, road.ground, scene, view, 1200), "No ground here");
    EXPECT_EQ(GroundReadout(road.index, GroundProfile{}, scene, view, 250), "");
    // Beyond the design the ground is still read; no depth, no mass.
    const GroundProfile longer{{{0, 99}, {2000, 99}}};
    EXPECT_EQ(GroundReadout(road.index, longer, GroundScene{}, view, 1500), "Ground 99.000");
}

}  // namespace
}  // namespace ravo
