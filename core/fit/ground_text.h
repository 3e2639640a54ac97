// The ground line a fit is made over, from a file: a CSV of station,elevation
// (a header line allowed), a plain list of "station elevation" lines, or the
// first ProfSurf of a LandXML file.
#pragma once

#include <string_view>

#include "core/ground/ground_profile.h"

namespace ravo {

// Throws InputFileError naming the line of a field that is not a number or a
// line without two, and for a LandXML file without a ProfSurf, or fewer than
// two points.
GroundProfile GroundFromBytes(std::string_view bytes);

}  // namespace ravo
