// PVI tables: a profile as one point of vertical intersection per line.
//
// CSV: the first line is the header station,elevation,length, optionally
// followed by the columns length_out and desc (in either order). One PVI per
// line after it; length is the length of a symmetric curve about the PVI, or
// with a length_out column and a value in it, the length before the PVI with
// length_out the length after it (an unsymmetric curve). Lengths are empty or
// 0 for a plain grade break and at the first and last points. Stations may be
// plain numbers or in road-station notation (12+34.56). Fields may be quoted
// as in RFC 4180; blank lines are skipped.
//
// A spreadsheet set to a locale with a decimal comma writes the same table
// with ";" between the fields and a comma in the numbers (500;265,5;200): a
// header separated so marks such a table. A line in the other style is
// refused with its number.
//
// Plain: one PVI per line, "station elevation [length]" separated by blanks,
// no header, blank lines skipped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/formats/pvi_mapping.h"
#include "core/io/file_replace.h"

namespace ravo {

class RowPointStream;

// True when the first line (after a byte order mark) is a PVI CSV header:
// its first three fields, blanks around them ignored, in any case.
bool LooksLikePviCsv(std::string_view text);

// Both read UTF-8 text and throw InputFileError naming the line of a field
// that is not a number, a line with too few or too many fields, an unknown
// column, or the point whose curve rows go beyond MaxSegmentCount.
std::vector<PviPoint> ParsePviCsv(std::string_view bytes);
std::vector<PviPoint> ParsePviPlain(std::string_view bytes);

// The CSV text of the points, lines ended by CR LF, values with the digits
// that read back as the same numbers. The length_out and desc columns are
// written only when a point needs them. Written into the sink a piece at a
// time, or as one text.
void WritePviCsv(ByteSink& sink, const std::vector<PviPoint>& points);
void WritePviCsv(ByteSink& sink, const RowPointStream& points);
std::string PviCsvText(const std::vector<PviPoint>& points);

}  // namespace ravo
