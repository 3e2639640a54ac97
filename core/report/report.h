// The output report's lines: the input data echo and the elevation log.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/profile/profile_state.h"
#include "core/report/report_layout.h"

namespace ravo {

// The version text of the echo: major "." minor revision read as a decimal
// number and written back by NumberText, so 1, 2, 1 gives " 1.21".
std::string VersionText(int major, int minor, int revision);

// VersionText of this release; the echo stores it into ProfileState::VersionText.
std::string CurrentVersionText();

// "3/05/26, 2:07 pm": month without a leading zero, day and year with two
// digits, the 12-hour clock without a leading zero (12 at noon and midnight),
// two-digit minutes and "am" or "pm".
std::string DateTimeText(const std::tm& time);

// The local date and time now, for DateTimeText.
std::tm CurrentLocalTime();

// Takes the physical lines of a report one by one, without line ends.
using LineSink = std::function<void(std::string_view line)>;

// Every physical line of the input data echo, in order, for the profile in
// state written at the time now, with the version of this release.
// segmentTable says whether the superelevation table is written (the segment
// count box reads a number other than 0). The tables are walked over the rows
// 1 to the count that they hold; nothing in state changes. The lines are made
// one at a time, so memory does not grow with the rows.
// Throws OverflowError for a value that is not finite.
void WriteEchoLines(const ProfileState& state, const std::tm& now, bool segmentTable,
                    const LineSink& sink);

// The header that starts each block of the elevation log.
std::vector<std::string> LogHeaderLines();

// The log line of the current point: station, offset, superelevation and
// elevation. A value too wide for its column pushes the rest onto a new line;
// the physical lines are then joined by ReportLineEnd (see ReportLine::Text).
std::string LogLine(const ProfileState& state);

}  // namespace ravo
