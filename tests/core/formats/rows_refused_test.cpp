// Tests of which curve rows the points export refuses: rows that join end to
// end pass without the whole profile check, any others are refused with the
// faults that check finds.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "core/formats/pvi_mapping.h"
#include "support/input_profiles.h"
#include "support/points_from_rows.h"

namespace ravo {
namespace {

std::vector<FaultKind> RefusedFor(const std::vector<test::Row>& rows)
{
    try {
        test::PointsFromRows(test::StateOf(test::ProfileOf("", rows, {})), {});
    } catch (const ProfileNotContinuousError& error) {
        std::vector<FaultKind> kinds;
        for (const Fault& f : error.Faults())
            kinds.push_back(f.kind);
        return kinds;
    }
    return {};
}

TEST(RowsRefusedTest, OnlyRowsThatDoNotJoinUpAreRefused)
{
    using K = FaultKind;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        std::vector<test::Row> rows;
        std::vector<FaultKind> refused;
    };
    const Case cases[] = {
        {"joined", {{100, 0.02f, 0.02f, 0, 100}, {102, 0.02f, -0.02f, 100, 200}}, {}},
        {"a change of grade, a plain PVI",
         {{100, 0.02f, 0.02f, 0, 100}, {102, -0.01f, -0.01f, 100, 200}},
         {}},
        {"a step within the tolerance",
         {{100, 0.02f, 0.02f, 0, 100}, {102.001f, 0.02f, 0.02f, 100, 200}},
         {}},
        {"a step beyond it",
         {{100, 0.02f, 0.02f, 0, 100}, {102.002f, 0.02f, 0.02f, 100, 200}},
         {K::ElevationStep}},
        {"a start that is not a number",
         {{100, 0.02f, 0.02f, 0, 100}, {nan, 0.02f, 0.02f, 100, 200}},
         {K::ElevationStep}},
        {"a gap", {{100, 0.02f, 0.02f, 0, 100}, {102, 0.02f, 0.02f, 101, 200}}, {K::Gap}},
        {"an overlap",
         {{100, 0.02f, 0.02f, 0, 100}, {101.98f, 0.02f, 0.02f, 99, 200}},
         {K::Overlap}},
        {"a row of no length",
         {{100, 0.02f, 0.02f, 0, 100},
          {102, 0.02f, 0.02f, 100, 100},
          {102, 0.02f, 0.02f, 100, 200}},
         {K::ZeroLength}},
        {"a reversed row", {{100, 0.02f, 0.02f, 100, 0}}, {K::Reversed}},
        {"rows out of order that join",
         {{102, 0.02f, -0.02f, 100, 200}, {100, 0.02f, 0.02f, 0, 100}},
         {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RefusedFor(c.rows), c.refused) << c.what;
}

}  // namespace
}  // namespace ravo
