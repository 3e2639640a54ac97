// Tests of the design values for a design speed.
#include "core/design/design_speed.h"

#include <gtest/gtest.h>

namespace ravo {
namespace {

TEST(MinimumsForDesignSpeed, KnownDesignValues)
{
    const struct {
        double speed;
        LengthUnits units;
        double sight, crest, sag;
    } cases[] = {
        {80, LengthUnits::Metres, 130, 26, 30},  {50, LengthUnits::Feet, 425, 84, 96},
        {100, LengthUnits::Metres, 185, 53, 45}, {30, LengthUnits::Feet, 200, 19, 37},
        {0, LengthUnits::Metres, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const DesignMinimums m = MinimumsForDesignSpeed(c.speed, c.units);
        EXPECT_EQ(m.stoppingSightDistance, c.sight) << c.speed;
        EXPECT_EQ(m.crestK, c.crest) << c.speed;
        EXPECT_EQ(m.sagK, c.sag) << c.speed;
    }
}

}  // namespace
}  // namespace ravo
