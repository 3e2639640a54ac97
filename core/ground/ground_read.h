// Reading the existing ground from the files surveyors and design programs
// hand over: a CSV table of station and elevation, a plain "station
// elevation" list, or the ProfSurf ground lines of a LandXML file; and
// writing a ground as CSV.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/ground_line.h"
#include "core/ground/ground_profile.h"

namespace ravo {

// The most points a ground may have, and the largest ground file read (64
// bytes a point, far more than a station and elevation take).
inline constexpr std::size_t MaxGroundPoints = MaxGroundLinePoints;
inline constexpr std::uint64_t MaxGroundFileBytes = MaxGroundPoints * 64;

// A table of station and elevation, one point a line. With a comma in its
// first line it is CSV (fields may be quoted; with a header naming "station"
// and "elevation" those columns are read, otherwise the first two); otherwise
// each line holds a station and an elevation separated by blanks. A first
// line that does not begin with a number is a header; blank lines and lines
// beginning with "#" are skipped. Stations may be written 12+34.56. Throws
// InputFileError "line N: ..." for a line without a station and an elevation,
// a field that is not a finite number, no points at all, or more than
// MaxGroundPoints points.
std::vector<GroundPoint> GroundPointsOfTable(std::string_view text);

// The ground line called `name` among a LandXML file's lines. Without a name:
// the only line, or else the only one whose state is "existing". Throws
// InputFileError naming the lines to choose from when none or several match.
const GroundLine& ChooseGroundLine(const std::vector<GroundLine>& lines, const std::string& name);

// The chosen line as a ground profile. Throws InputFileError as
// ChooseGroundLine does, and for a line without points.
GroundProfile GroundFromLines(const std::vector<GroundLine>& lines, const std::string& name);

// A ground file's bytes, told apart by content: LandXML (every ProfSurf of
// the file, chosen by `name` as ChooseGroundLine does) or a table as
// GroundPointsOfTable reads it. The text is decoded as every input file is
// (UTF-16 with a mark, UTF-8, else Windows-1252). Throws InputFileError.
GroundProfile GroundFromBytes(std::string_view bytes, const std::string& name = "");

// What a ground file holds before a line is chosen: a table's ground, or
// the ground lines of a LandXML file (every ProfSurf, in order).
struct GroundSource {
    std::optional<GroundProfile> table;
    std::vector<GroundLine> lines;
};

// The bytes read as GroundFromBytes reads them, without choosing a line.
GroundSource GroundSourceOf(std::string_view bytes);

// The file at path read as ReadGroundFile reads it, without choosing a line.
GroundSource ReadGroundSource(const std::string& path);

// The ground of the file at path, read as GroundFromBytes reads its bytes.
// Throws InputFileError naming the file when it cannot be read or holds more
// than MaxGroundFileBytes, and as GroundFromBytes does.
GroundProfile ReadGroundFile(const std::string& path, const std::string& name = "");

// The ground as CSV: the header row station,elevation and one row a point,
// each number in its shortest exact text, lines ended by CR LF.
std::string GroundCsvText(const GroundProfile& ground);

// Writes GroundCsvText to path, replacing the file only when the whole text
// is written. Throws FileWriteError.
void SaveGroundCsv(const GroundProfile& ground, const std::string& path);

}  // namespace ravo
