// Tests of the elevation walk against the calculation.
#include "core/profile/elevation_walk.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <tuple>

#include "core/profile/elevation.h"
#include "core/text/numbers.h"
#include "support/random_profiles.h"

namespace ravo {
namespace {

using namespace test;

TEST(ElevationWalk, GivesWhatTheCalculationGivesAlongRandomWalks)
{
    // Bit for bit: -0 is not 0.
    const auto bits = [](const WalkPoint& p) {
        return std::tuple(p.ok, std::bit_cast<std::uint32_t>(p.gradeElevation),
                          std::bit_cast<std::uint32_t>(p.super),
                          std::bit_cast<std::uint32_t>(p.elevation), p.curveRow, p.segmentRow);
    };
    Random random(20261207);
    int failures = 0;
    int points = 0;
    for (int profile = 0; profile < 1500; ++profile) {
        ProfileState state = RandomProfile(random);
        ProfileState calculation = state;
        ElevationWalk walk(state);
        // Runs of stations going up or down, with repeats and now and then a NaN.
        float station = GridStation(random);
        for (int run = 0; run < 6; ++run) {
            const float direction = Chance(random, 0.5) ? 1.0f : -1.0f;
            for (int k = std::uniform_int_distribution<int>(1, 30)(random); k > 0; --k) {
                const float at = Chance(random, 0.01) ? std::nanf("") : station;
                station += direction * Pick(random, {0, 5, 10, 0.25f, 30});
                const float offset = Pick(random, {0, 12, -7.5f, 3e38f});
                const WalkPoint expected = Calculated(calculation, at, offset);
                ASSERT_EQ(bits(walk.At(at, offset)), bits(expected))
                    << "profile " << profile << " station " << at;
                ++points;
                failures += expected.ok ? 0 : 1;
            }
        }
    }
    // The profiles must exercise both outcomes.
    EXPECT_GT(failures, points / 50);
    EXPECT_LT(failures, points / 2);
}

}  // namespace
}  // namespace ravo
