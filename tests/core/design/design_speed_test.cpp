// Tests of the design values for a design speed.
#include "core/design/design_speed.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

namespace ravo {
namespace {

// Every design speed of AASHTO, "A Policy on Geometric Design of Highways and
// Streets" (the Green Book): stopping sight distance from Table 3-1, the
// design K of crest curves from Table 3-34 and of sag curves from Table 3-36,
// in metric and US customary units. 100 km/h, calculated K 52.0, is 52.
TEST(MinimumsForDesignSpeed, EqualThePublishedDesignTables)
{
    const struct {
        LengthUnits units;
        double firstSpeed, speedStep;
        std::vector<double> sight, crest, sag;
    } tables[] = {
        {LengthUnits::Metres,
         20,
         10,  // 20 to 130 km/h
         {20, 35, 50, 65, 85, 105, 130, 160, 185, 220, 250, 285},
         {1, 2, 4, 7, 11, 17, 26, 39, 52, 74, 95, 124},
         {3, 6, 9, 13, 18, 23, 30, 38, 45, 55, 63, 73}},
        {LengthUnits::Feet,
         15,
         5,  // 15 to 80 mph
         {80, 115, 155, 200, 250, 305, 360, 425, 495, 570, 645, 730, 820, 910},
         {3, 7, 12, 19, 29, 44, 61, 84, 114, 151, 193, 247, 312, 384},
         {10, 17, 26, 37, 49, 64, 79, 96, 115, 136, 157, 181, 206, 231}},
    };
    for (const auto& table : tables) {
        for (std::size_t i = 0; i < table.sight.size(); ++i) {
            const double speed = table.firstSpeed + table.speedStep * static_cast<double>(i);
            const DesignMinimums m = MinimumsForDesignSpeed(speed, table.units);
            EXPECT_EQ(m.stoppingSightDistance, table.sight[i]) << speed;
            EXPECT_EQ(m.crestK, table.crest[i]) << speed << ' ' << SpeedUnitName(table.units);
            EXPECT_EQ(m.sagK, table.sag[i]) << speed << ' ' << SpeedUnitName(table.units);
        }
    }
    const DesignMinimums none = MinimumsForDesignSpeed(0, LengthUnits::Metres);
    EXPECT_EQ(none.stoppingSightDistance + none.crestK + none.sagK, 0);
    // Any speed above 0 has minimums, however slow.
    EXPECT_EQ(MinimumsForDesignSpeed(0.5, LengthUnits::Metres).stoppingSightDistance, 5);
}

}  // namespace
}  // namespace ravo
