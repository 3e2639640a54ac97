// Tests of ravo-calc's station walk and elevation table.
#include "elevation_table.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "core/formats/profile_file.h"
#include "support/error_text.h"
#include "support/input_profiles.h"
#include "support/worked_examples.h"

namespace ravo::calc {
namespace {

// The table's rows at offset 12, then what it told on standard error, and its counts.
std::string TableOf(const std::string& input, const StationWalk& walk, TableCounts& counts)
{
    const ProfileState state = test::ProfileFromText(input);
    std::ostringstream out, err;
    counts = WriteTable(out, err, state, walk, {12}, {TableFormat::Csv, false});
    return out.str() + err.str();
}

// Curve 1 has zero length at 1100: the desktop program says "Invalid Entry"
// there, and the table goes on. Two curves with a gap between them, under a
// segment that gives a superelevation beyond the curves too: the desktop
// program's value there would be offset times super, an elevation of a road
// that is not there.
TEST(ElevationTable, InvalidEntryAndNoCurveRowsAreToldAndTheTableGoesOn)
{
    TableCounts counts;
    EXPECT_EQ(TableOf("\"z\"\n2\n50,0,0,1100,1100\n100,0.02,-0.01,1000,1200\n0\n",
                      StationWalk(1050, 1150, 50), counts),
              "station,offset,superelevation,elevation\r\n1050.000,12.000,0.,100.813\r\n"
              "1100.000,12.000,,Invalid Entry\r\n1150.000,12.000,0.,101.313\r\n"
              "ravo-calc: station 1100.000, offset 12.000: Invalid Entry (curve 1 "
              "has zero length at this station)\n");
    EXPECT_EQ(counts.invalid, 1u);
    EXPECT_EQ(counts.noCurve, 0u);
    EXPECT_EQ(TableOf("\"gap\"\n2\n100,0.01,0.01,0,100\n105,0,0,200,300\n1\n0.02,0,0,0,400\n",
                      StationWalk(-50, 350, 50), counts),
              "station,offset,superelevation,elevation\r\n-50.000,12.000,0.,\r\n"
              "0.000,12.000,0.02,100.240\r\n50.000,12.000,0.02,100.740\r\n"
              "100.000,12.000,0.02,101.240\r\n150.000,12.000,0.02,\r\n"
              "200.000,12.000,0.02,105.240\r\n250.000,12.000,0.02,105.240\r\n"
              "300.000,12.000,0.02,105.240\r\n350.000,12.000,0.02,\r\n"
              "ravo-calc: 3 rows lie where no curve row contains the station, the first at "
              "station -50.000: no curve, no elevation\n");
    EXPECT_EQ(counts.invalid, 0u);
    EXPECT_EQ(counts.noCurve, 3u);

    // Over-large tables are refused before anything is written.
    std::ostringstream out, err;
    const ProfileState state = fixtures::WorkedExampleProfile();
    EXPECT_THROW(WriteTable(out, err, state, StationWalk(0, 4'999'999, 1), {1, 2, 3}, {}),
                 TableRequestError);  // 15 000 000 rows
    EXPECT_THROW(WriteTable(out, err, state, StationWalk(0, 10, 1), {}, {}), TableRequestError);
    EXPECT_EQ(out.str() + err.str(), "");
}

TEST(StationWalk, StationsFromOneEndToTheOtherOrARefusal)
{
    struct Case {
        double from, to, step;
        std::vector<float> stations;  // none: refused
    };
    const std::vector<Case> cases = {
        {1000, 1120, 50, {1000, 1050, 1100, 1120}},  // the end although the step misses it
        {1250, 1100, 50, {1250, 1200, 1150, 1100}},  // downwards, step as a distance
        {1250, 1130, -50, {1250, 1200, 1150, 1130}},
        {5, 5, 1, {5}},
        {0, 0.3, 0.1, {0, 0.1f, 0.2f, 0.3f}},  // 0.3 / 0.1 is a hair below 3: still lands on 0.3
        {1000, 1000.00001, 1, {1000}},         // the end is the same float as the last station
        {1000, 1250, -50, {}},                 // a negative step away from the end
        {0, 1e7, 1, {}},                       // one station more than the limit
        {0, 1e30, 1e-30, {}},                  // far too many
        {0, -1e39, 1, {}},                     // beyond the float range
    };
    for (const Case& c : cases) {
        std::vector<float> stations;
        try {
            const StationWalk walk(c.from, c.to, c.step);
            for (std::uint64_t k = 0; k < walk.Count(); ++k)
                stations.push_back(walk.At(k));
        } catch (const TableRequestError&) {
        }
        EXPECT_EQ(stations, c.stations) << c.from << " " << c.to << " " << c.step;
    }
    for (const double step : {0.0, std::numeric_limits<double>::infinity()})
        EXPECT_EQ(test::ErrorText<TableRequestError>([&] { StationWalk(0, 10, step); }),
                  "--step must be a number other than 0");
    EXPECT_EQ(StationWalk(0, 1e7 - 1, 1).Count(), MaxTableRows);

    // Station k is from + k step however far the walk goes: adding the step
    // 2 500 000 times would miss 0 by 9e-12. The end is always the last station.
    struct Long {
        double from, to, step;
        std::uint64_t count, zeroAt;
    };
    for (const Long& c : {Long{-5, 5, 2e-6, 5'000'001, 2'500'000},
                          Long{5, -5.000001, 2e-6, 5'000'002, 2'500'000}}) {
        const StationWalk walk(c.from, c.to, c.step);
        ASSERT_EQ(walk.Count(), c.count) << c.from;
        EXPECT_EQ(walk.At(c.zeroAt), 0.0f) << c.from;
        EXPECT_EQ(walk.At(c.count - 1), static_cast<float>(c.to)) << c.from;
        const double step = c.to < c.from ? -c.step : c.step;
        for (std::uint64_t k = 0; k + 1 < c.count; k += 999)
            ASSERT_EQ(walk.At(k), static_cast<float>(c.from + static_cast<double>(k) * step)) << k;
    }
}

}  // namespace
}  // namespace ravo::calc
