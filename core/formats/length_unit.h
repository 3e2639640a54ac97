// The unit of a profile's lengths (stations, elevations, curve lengths): the
// one its file names or the user gives, kept through a load and a save, and
// changed only by an asked-for conversion with the exact factors.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/formats/ground_line.h"
#include "core/formats/input_file.h"

namespace ravo {

enum class LengthUnit { Meter, Foot, UsSurveyFoot };

// Metres in one unit: 1, 0.3048 (the international foot) and 1200/3937 (the
// US survey foot).
double MetresPer(LengthUnit unit);

// The name LandXML gives the unit in linearUnit: meter, foot, USSurveyFoot.
const char* LandXmlUnitName(LengthUnit unit);

// The unit in words for messages: "metres", "feet", "US survey feet".
const char* UnitWords(LengthUnit unit);

// The unit of a LandXML linearUnit attribute, in any case; none for a name
// that is not one of the three.
std::optional<LengthUnit> LandXmlUnitOf(std::string_view linearUnit);

// The unit of a LandXML file's Units: its linearUnit, or when that is none of
// the three, meter for a Metric and foot for an Imperial system; none when the
// file names no system.
std::optional<LengthUnit> LandXmlUnitOf(std::string_view system, std::string_view linearUnit);

// The unit of a command-line value: m, ft or usft; none for any other text.
std::optional<LengthUnit> UnitOfOption(std::string_view text);

// Converts the stations, elevations and lengths of the rows (not grades or
// superelevation rates) from one unit to another. Throws OverflowError when a
// converted value lies beyond the float range of the rows.
void ConvertLengths(InputProfile& profile, LengthUnit from, LengthUnit to);

// Converts the stations and elevations of ground lines in the same way.
void ConvertGroundLengths(std::vector<GroundLine>& lines, LengthUnit from, LengthUnit to);

// The note of such a conversion, with its exact factor.
std::string ConversionNote(LengthUnit from, LengthUnit to);

}  // namespace ravo
