// The layout of report lines: fields at fixed start columns, the rules under
// headings and the headings of the elevation log, shared by the report file,
// the curve summaries and ravo-calc's tables.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace ravo {

// Every line of the report file ends with these two bytes, whatever the platform.
inline constexpr std::string_view ReportLineEnd = "\r\n";

// Start columns of the second to fifth field of a table or log line, and of
// the date beside the version.
inline constexpr int FieldColumns[] = {15, 30, 45, 60};
inline constexpr int DateColumn = 47;

// The rules under headings: hyphens under a table head, equals signs around
// the title of the elevation log.
inline constexpr std::size_t RuleWidth = 67;
inline const std::string HyphenRule(RuleWidth, '-');
inline const std::string EqualsRule(RuleWidth, '=');

// The heading of each column of the elevation log and of ravo-calc's table.
inline constexpr std::string_view LogHeadings[] = {"STATION", "OFFSET", "SUPER", "ELEVATION"};

// Lays out one report line by fixed start columns, counted from 1. The first
// field starts in column 1. At(column, field) adds blanks until the line holds
// column - 1 characters; when it already holds column or more characters, the
// line is ended and the field goes on a new line after column - 1 blanks.
// Nothing is added after the last field, so a line that overflowed consists of
// several physical lines.
class ReportLine {
public:
    explicit ReportLine(std::string_view firstField = {});

    ReportLine& At(int column, std::string_view field);

    // The physical lines, without line ends.
    const std::vector<std::string>& PhysicalLines() const { return lines_; }

    // The physical lines joined by ReportLineEnd, without a final line end:
    // written as one line it gives the right bytes.
    std::string Text() const;

private:
    std::vector<std::string> lines_;
};

// The first field in column 1, the others at FieldColumns in turn (at most five).
ReportLine ReportFields(std::initializer_list<std::string_view> fields);

// The four log headings at their columns.
ReportLine LogHeadingLine();

}  // namespace ravo
