// Tests of the windows of doubles that read back as a float: the neighbours
// found from bit patterns, and the edges found by stepping from a guess.
#include "core/formats/exact_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/formats/pvi_mapping.h"

namespace ravo::exact {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

TEST(ExactWindowTest, NeighboursAreThoseOfNextafter)
{
    constexpr float finf = std::numeric_limits<float>::infinity();
    for (const float f :
         {1.0f, -1.0f, 2.0f, -2.0f, 265.125f, -0.375f, 1e-40f, -1e-40f,
          std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::max(),
          -std::numeric_limits<float>::max(), 0.0f, -0.0f}) {
        const auto [down, up] = Gaps(f);
        EXPECT_EQ(down, static_cast<double>(f) - std::nextafter(f, -finf)) << f;
        EXPECT_EQ(up, static_cast<double>(std::nextafter(f, finf)) - f) << f;
    }
    for (const double d : {1.0, -1.0, 250.125, -4.0, 1e-310, -1e-310,
                           std::numeric_limits<double>::max(), 0.0, -0.0}) {
        for (const double toward : {inf, -inf})
            EXPECT_EQ(NextDouble(d, toward), std::nextafter(d, toward)) << d << ' ' << toward;
    }
}

// Each edge is the last double that reads back as the float beside one that
// does not, the same as halving from the whole gap finds.
TEST(ExactWindowTest, EdgesAreThoseOfHalving)
{
    struct Case {
        float stored;
        double grade;
        double run;  // 0: a curve's start over length 1, else a grade over this run
    };
    const Case cases[] = {
        {264.99998f, 0.0125, 0}, {250.12345f, -0.02, 0}, {-3.5f, 0.5, 0},      {1e6f, 1e-3, 0},
        {0.0125f, 0, 0.125},     {-0.0003f, 0, 0.2},     {0.015625f, 0, 1e-3}, {2.5e-5f, 0, 40.0},
    };
    for (const Case& c : cases) {
        const double z0 = 100.5;
        const auto value = [&](double z) {
            return c.run == 0 ? CurveStart(z, c.grade, 1) : Grade(0, z0, c.run, z);
        };
        const double scale = c.run == 0 ? 1 : c.run;
        const double near = c.run == 0 ? c.stored + c.grade : z0 + c.stored * c.run;
        const Window w = ExactWindow(c.stored, near, scale, 0, value);
        const auto reads = [&](double z) { return Nearest(value(z)) == c.stored; };
        ASSERT_TRUE(reads(w.low) && reads(w.high)) << c.stored;
        EXPECT_FALSE(reads(NextDouble(w.low, -inf))) << c.stored;
        EXPECT_FALSE(reads(NextDouble(w.high, inf))) << c.stored;
        const auto [down, up] = Gaps(c.stored);
        EXPECT_EQ(w.low, Boundary(near - down * scale, near,
                                  [&](double z) { return Nearest(value(z)) >= c.stored; }));
        EXPECT_EQ(w.high, Boundary(near + up * scale, near,
                                   [&](double z) { return Nearest(value(z)) <= c.stored; }));
    }
}

}  // namespace
}  // namespace ravo::exact
