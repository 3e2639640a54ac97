// Tests that points found from rows read back as PviPoints of the same values
// do: the same rows bit for bit, and the same refusals.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/formats/pvi_mapping.h"
#include "support/input_profiles.h"

namespace ravo {
namespace {

std::vector<RowPoint> AsRowPoints(const std::vector<PviPoint>& points)
{
    std::vector<RowPoint> out;
    for (const PviPoint& p : points)
        out.push_back({p.station, p.elevation, p.lengthIn, p.lengthOut, p.kind});
    return out;
}

std::string Refusal(const auto& points)
{
    try {
        RowsFromPoints(points, "");
    } catch (const InputFileError& e) {
        return e.what();
    }
    return "";
}

TEST(RowPointsReadBack, AsPviPointsOfTheSameValues)
{
    const std::vector<std::vector<PviPoint>> cases = {
        {{0, 100}, {40.5, 101.25, 10, 10, PviKind::Para}, {90, 99.8}},
        {{0, 100},
         {50, 102.3, 12.5, 20, PviKind::Unsym},
         {80, 101.1, 4, 4, PviKind::Unsym},
         {120, 100}},
        {{0, 100}, {30, 100.7, 0, 0, PviKind::Pvi}, {60, 100.2}},
        // refused: a curve at the first point, stations out of order, overlap
        {{0, 100, 0, 5, PviKind::Para}, {50, 101}},
        {{10, 100}, {5, 101}},
        {{0, 100}, {20, 101, 15, 15, PviKind::Para}, {30, 101, 15, 15, PviKind::Para}, {60, 100}},
    };
    for (const std::vector<PviPoint>& points : cases) {
        const std::string refusal = Refusal(points);
        EXPECT_EQ(Refusal(AsRowPoints(points)), refusal);
        if (refusal.empty())
            test::ExpectSameBits(RowsFromPoints(AsRowPoints(points), ""),
                                 RowsFromPoints(points, ""));
    }
}

}  // namespace
}  // namespace ravo
