// Tests of the design values for a design speed.
#include "core/design/design_speed.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace ravo {
namespace {

struct Tabulated {
    double speed;
    double sight, crest, sag;
};

void ExpectTable(LengthUnits units, std::initializer_list<Tabulated> rows)
{
    for (const Tabulated& row : rows) {
        const DesignMinimums m = MinimumsForDesignSpeed(row.speed, units);
        EXPECT_EQ(m.stoppingSightDistance, row.sight) << row.speed << ' ' << SpeedUnitName(units);
        EXPECT_EQ(m.crestK, row.crest) << row.speed << ' ' << SpeedUnitName(units);
        EXPECT_EQ(m.sagK, row.sag) << row.speed << ' ' << SpeedUnitName(units);
    }
}

// Every design speed of AASHTO, "A Policy on Geometric Design of Highways and
// Streets" (the Green Book): stopping sight distance from Table 3-1, the
// design K of crest curves from Table 3-34 and of sag curves from Table 3-36,
// in metric and US customary units. 100 km/h, calculated K 52.0, is 52.
TEST(MinimumsForDesignSpeed, EqualThePublishedDesignTables)
{
    ExpectTable(LengthUnits::Metres, {{0, 0, 0, 0},  // no speed, no minimums
                                      {20, 20, 1, 3},
                                      {30, 35, 2, 6},
                                      {40, 50, 4, 9},
                                      {50, 65, 7, 13},
                                      {60, 85, 11, 18},
                                      {70, 105, 17, 23},
                                      {80, 130, 26, 30},
                                      {90, 160, 39, 38},
                                      {100, 185, 52, 45},
                                      {110, 220, 74, 55},
                                      {120, 250, 95, 63},
                                      {130, 285, 124, 73}});
    ExpectTable(LengthUnits::Feet, {{15, 80, 3, 10},
                                    {20, 115, 7, 17},
                                    {25, 155, 12, 26},
                                    {30, 200, 19, 37},
                                    {35, 250, 29, 49},
                                    {40, 305, 44, 64},
                                    {45, 360, 61, 79},
                                    {50, 425, 84, 96},
                                    {55, 495, 114, 115},
                                    {60, 570, 151, 136},
                                    {65, 645, 193, 157},
                                    {70, 730, 247, 181},
                                    {75, 820, 312, 206},
                                    {80, 910, 384, 231}});
}

}  // namespace
}  // namespace ravo
