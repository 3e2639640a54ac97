// The earthwork table as text: fixed columns for reading and for the report
// file, CSV for spreadsheets, and the lines of its totals.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/ground/earthwork.h"

namespace ravo {

using LineSink = std::function<void(std::string_view)>;

// The heading, a rule and one line per station, each without its line end:
// station, grade line, ground, depth (fill +), cut and fill area, the cut and
// fill volume of the interval up to the station, cumulative cut and fill and
// the mass ordinate, right-aligned in columns, numbers to three decimals
// (areas and volumes to two). A station without a section reads "no section"
// in place of its levels and areas.
void WriteEarthworkLines(const EarthworkTable& table, bool plusNotation, const LineSink& line);

// The totals (average end area and the prismoidal check), the balance points
// and the largest haul ordinate, a line each, without line ends.
void WriteEarthworkSummary(const EarthworkTable& table, bool plusNotation, const LineSink& line);

// The table as CSV rows without line ends: the header row
// station,grade,ground,depth,cut_area,fill_area,cut_volume,fill_volume,
// prismoidal_cut,prismoidal_fill,cumulative_cut,cumulative_fill,mass_ordinate
// and one row a station, numbers to three decimals; a station without a
// section has empty level, depth and area fields.
void WriteEarthworkCsv(const EarthworkTable& table, const LineSink& line);

}  // namespace ravo
