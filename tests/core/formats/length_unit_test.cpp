// Tests of length units: names read in any case, and conversions that move
// stations, elevations and lengths but never grades or superelevation rates.
#include "core/formats/length_unit.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace ravo {
namespace {

TEST(LengthUnits, NamesAndTheConversionOfRows)
{
    const struct {
        std::string system, linear;
        std::optional<LengthUnit> unit;
    } names[] = {
        {"Metric", "meter", LengthUnit::Meter},
        {"Imperial", "FOOT", LengthUnit::Foot},
        {"", "ussurveyfoot", LengthUnit::UsSurveyFoot},
        {"Imperial", "", LengthUnit::Foot},
        {"Metric", "", LengthUnit::Meter},
        {"", "", std::nullopt},
        {"", "furlong", std::nullopt},
    };
    for (const auto& n : names)
        EXPECT_EQ(LandXmlUnitOf(n.system, n.linear), n.unit) << n.system << " " << n.linear;

    InputProfile p;
    p.numVC = p.numSup = 1;
    for (auto* table : {&p.curves, &p.segments}) {
        for (auto& column : *table)
            column = {0, 0};
    }
    const auto set = [](auto& table, Column c, float v) { table[IndexOf(c)][1] = v; };
    set(p.curves, Column::Start, 3937);
    set(p.curves, Column::Rate1, 0.5f);
    set(p.curves, Column::Station2, 7874);
    set(p.segments, Column::Start, 0.02f);
    set(p.segments, Column::Station1, 39370);
    ConvertLengths(p, LengthUnit::UsSurveyFoot, LengthUnit::Meter);
    const auto at = [](const auto& table, Column c) { return table[IndexOf(c)][1]; };
    EXPECT_EQ(at(p.curves, Column::Start), 1200);
    EXPECT_EQ(at(p.curves, Column::Rate1), 0.5f);
    EXPECT_EQ(at(p.curves, Column::Station2), 2400);
    EXPECT_EQ(at(p.segments, Column::Start), 0.02f);
    EXPECT_EQ(at(p.segments, Column::Station1), 12000);
    ConvertLengths(p, LengthUnit::Meter, LengthUnit::Foot);
    EXPECT_FLOAT_EQ(at(p.curves, Column::Start), static_cast<float>(1200 / 0.3048));
}

}  // namespace
}  // namespace ravo
