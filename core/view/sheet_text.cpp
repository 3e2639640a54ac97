// Station and grade texts of the profile sheet.
#include "core/view/sheet_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/text/numbers.h"

namespace ravo {
namespace {

std::string Padded(std::int64_t value, int digits)
{
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < digits)
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    return text;
}

}  // namespace

int StationDecimals(StationStyle style) { return style == StationStyle::Hundreds ? 2 : 3; }

std::string StationInStyle(double station, int decimals, bool plusNotation, StationStyle style)
{
    decimals = std::clamp(decimals, 0, 6);
    const double scale = std::pow(10.0, decimals);
    const double scaled = std::round(std::abs(station) * scale);
    if (!plusNotation || !std::isfinite(scaled) || scaled > 9e15)
        return FixedText(station, decimals);
    const auto whole = static_cast<std::int64_t>(scaled);
    const auto unit = static_cast<std::int64_t>(scale);
    const std::int64_t step = style == StationStyle::Kilometre ? 1000 : 100;
    const std::int64_t metres = whole / unit;
    std::string text = whole > 0 && station < 0 ? "-" : "";
    text += std::to_string(metres / step);
    text += '+';
    text += Padded(metres % step, style == StationStyle::Kilometre ? 3 : 2);
    if (decimals > 0) {
        text += '.';
        text += Padded(whole % unit, decimals);
    }
    return text;
}

std::string GradePercentText(double grade)
{
    std::string text = FixedText(grade * 100, 2);
    if (text.front() != '-')
        text.insert(text.begin(), '+');
    text += '%';
    return text;
}

}  // namespace ravo
