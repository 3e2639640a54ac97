// Stations as designers type them ("12+34.56") and as ravo-calc prints them.
#include "core/text/station_notation.h"

#include <charconv>
#include <regex>
#include <system_error>

#include "core/text/numbers.h"
#include "core/text/words.h"

namespace ravo {
namespace {

const std::regex& PlainNumberForm()
{
    static const std::regex form(R"(-?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)");
    return form;
}

// Hundreds, "+", exactly two digits, an optional fraction; the sign in front
// belongs to the whole station.
const std::regex& PlusNotationForm()
{
    static const std::regex form(R"((-?)(\d+)\+(\d\d)(\.\d*)?)");
    return form;
}

std::string Quoted(std::string_view text)
{
    std::string quoted(1, '"');
    quoted.append(text);
    quoted += '"';
    return quoted;
}

// The text has already been checked against one of the forms above.
double DecimalValue(const std::string& digits, std::string_view original)
{
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range)
        throw NotationError(Quoted(original) + " is out of range");
    if (error != std::errc() || end != digits.data() + digits.size())
        throw NotationError(Quoted(original) + " is not a number");
    return value;
}

}  // namespace

double ParsePlainNumber(std::string_view text)
{
    const std::string trimmed(Trimmed(text));
    if (!std::regex_match(trimmed, PlainNumberForm()))
        throw NotationError(Quoted(text) + " is not a number (write it as 12, -0.5 or 1.5e3)");
    return DecimalValue(trimmed, text);
}

double ParseStation(std::string_view text)
{
    const std::string trimmed(Trimmed(text));
    if (trimmed.find('+') == std::string::npos) {
        if (!std::regex_match(trimmed, PlainNumberForm()))
            throw NotationError(Quoted(text) +
                                " is not a station (write it as 1234.56 or as 12+34.56)");
        return DecimalValue(trimmed, text);
    }
    std::smatch parts;
    if (!std::regex_match(trimmed, parts, PlusNotationForm()))
        throw NotationError(Quoted(text) +
                            " is not a station: road-station notation is hundreds, a \"+\" and "
                            "exactly two digits, with an optional fraction, as in 12+34.56");
    return DecimalValue(parts[1].str() + parts[2].str() + parts[3].str() + parts[4].str(), text);
}

std::string StationText(double station, bool plusNotation)
{
    const std::string plain = ElevationText(station);
    if (!plusNotation)
        return plain;
    // "5.500" -> "005.500" -> "0+05.500": at least one hundreds digit.
    std::string digits = plain.starts_with('-') ? plain.substr(1) : plain;
    constexpr std::size_t shortest = 7;
    if (digits.size() < shortest)
        digits.insert(0, shortest - digits.size(), '0');
    digits.insert(digits.end() - 6, '+');
    if (plain.starts_with('-'))
        digits.insert(digits.begin(), '-');
    return digits;
}

}  // namespace ravo
