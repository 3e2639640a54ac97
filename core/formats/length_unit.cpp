// Length units of profiles: names, exact factors and the conversion of rows.
#include "core/formats/length_unit.h"

#include <algorithm>
#include <cctype>

#include "core/text/numbers.h"

namespace ravo {
namespace {

bool SameWord(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

void Scale(std::vector<float>& values, double factor)
{
    for (float& value : values)
        value = ToFloat(static_cast<double>(value) * factor);
}

}  // namespace

double MetresPer(LengthUnit unit)
{
    switch (unit) {
    case LengthUnit::Foot:
        return 0.3048;
    case LengthUnit::UsSurveyFoot:
        return 1200.0 / 3937.0;
    case LengthUnit::Meter:
        break;
    }
    return 1;
}

const char* LandXmlUnitName(LengthUnit unit)
{
    return unit == LengthUnit::Foot           ? "foot"
           : unit == LengthUnit::UsSurveyFoot ? "USSurveyFoot"
                                              : "meter";
}

const char* UnitWords(LengthUnit unit)
{
    return unit == LengthUnit::Foot           ? "feet"
           : unit == LengthUnit::UsSurveyFoot ? "US survey feet"
                                              : "metres";
}

std::optional<LengthUnit> LandXmlUnitOf(std::string_view linearUnit)
{
    for (const LengthUnit unit : {LengthUnit::Meter, LengthUnit::Foot, LengthUnit::UsSurveyFoot}) {
        if (SameWord(linearUnit, LandXmlUnitName(unit)))
            return unit;
    }
    return std::nullopt;
}

std::optional<LengthUnit> LandXmlUnitOf(std::string_view system, std::string_view linearUnit)
{
    if (const std::optional<LengthUnit> unit = LandXmlUnitOf(linearUnit))
        return unit;
    if (system == "Metric")
        return LengthUnit::Meter;
    if (system == "Imperial")
        return LengthUnit::Foot;
    return std::nullopt;
}

std::optional<LengthUnit> UnitOfOption(std::string_view text)
{
    if (text == "m")
        return LengthUnit::Meter;
    if (text == "ft")
        return LengthUnit::Foot;
    if (text == "usft")
        return LengthUnit::UsSurveyFoot;
    return std::nullopt;
}

void ConvertLengths(InputProfile& profile, LengthUnit from, LengthUnit to)
{
    if (from == to)
        return;
    const double factor = MetresPer(from) / MetresPer(to);
    for (Column column : {Column::Start, Column::Station1, Column::Station2})
        Scale(profile.curves[IndexOf(column)], factor);
    // A superelevation segment's start value is a rate, which has no unit.
    for (Column column : {Column::Station1, Column::Station2})
        Scale(profile.segments[IndexOf(column)], factor);
}

void ConvertGroundLengths(std::vector<GroundLine>& lines, LengthUnit from, LengthUnit to)
{
    const double factor = MetresPer(from) / MetresPer(to);
    for (GroundLine& line : lines) {
        for (GroundPoint& p : line.points) {
            p.station *= factor;
            p.elevation *= factor;
        }
    }
}

std::string ConversionNote(LengthUnit from, LengthUnit to)
{
    const char* factors = "1 ft = 0.3048 m, 1 US survey ft = 1200/3937 m";
    return std::string("Lengths were converted from ") + UnitWords(from) + " to " + UnitWords(to) +
           " (" + factors + ").";
}

}  // namespace ravo
