// Reading numbers and stations typed on the command line or in PVI tables, and
// writing stations as ravo-calc prints them.
#include "core/text/station_notation.h"

#include <charconv>
#include <optional>
#include <system_error>

#include "core/text/numbers.h"
#include "core/text/words.h"

namespace ravo {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Walks a text from its start; each step takes one part of a number's form
// and says whether it was there. Plain loops: no recursion, whatever the length.
class FormScanner {
public:
    explicit FormScanner(std::string_view text) : text_(text) {}

    bool Take(char c)
    {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    std::size_t TakeDigits()
    {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && IsDigit(text_[pos_]))
            ++pos_;
        return pos_ - start;
    }
    // An exponent: E or e, an optional sign, at least one digit. Nothing is
    // taken when the form is incomplete.
    void TakeExponent()
    {
        const std::size_t start = pos_;
        if (!Take('e') && !Take('E'))
            return;
        if (!Take('+'))
            Take('-');
        if (TakeDigits() == 0)
            pos_ = start;
    }
    bool AtEnd() const { return pos_ == text_.size(); }
    std::size_t Position() const { return pos_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// -?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)? as the whole text.
bool IsPlainNumber(std::string_view text)
{
    FormScanner scan(text);
    scan.Take('-');
    const std::size_t integer = scan.TakeDigits();
    const bool point = scan.Take('.');
    const std::size_t fraction = point ? scan.TakeDigits() : 0;
    if (integer == 0 && fraction == 0)
        return false;
    scan.TakeExponent();
    return scan.AtEnd();
}

// Hundreds, "+", exactly two digits, an optional fraction; the sign in front
// belongs to the whole station. The digits without the "+", or nothing.
std::optional<std::string> PlusNotationDigits(std::string_view text)
{
    FormScanner scan(text);
    const bool negative = scan.Take('-');
    const std::size_t hundredsStart = scan.Position();
    const std::size_t hundreds = scan.TakeDigits();
    if (hundreds == 0 || !scan.Take('+'))
        return std::nullopt;
    const std::size_t unitsStart = scan.Position();
    if (scan.TakeDigits() != 2)
        return std::nullopt;
    if (scan.Take('.'))
        scan.TakeDigits();
    if (!scan.AtEnd())
        return std::nullopt;
    std::string digits = negative ? "-" : "";
    digits.append(text.substr(hundredsStart, hundreds));
    digits.append(text.substr(unitsStart));
    return digits;
}

// The text between quotes, a long one cut short so that a message stays readable.
std::string Quoted(std::string_view text)
{
    constexpr std::size_t shown = 40;
    std::string quoted(1, '"');
    quoted.append(text.substr(0, shown));
    quoted += text.size() > shown ? "...\"" : "\"";
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
    if (!IsPlainNumber(trimmed))
        throw NotationError(Quoted(text) + " is not a number (write it as 12, -0.5 or 1.5e3)");
    return DecimalValue(trimmed, text);
}

double ParseStation(std::string_view text)
{
    const std::string trimmed(Trimmed(text));
    // A "+" in an exponent ("1e+05") is the exponent's sign, not a station's.
    if (IsPlainNumber(trimmed))
        return DecimalValue(trimmed, text);
    if (trimmed.find('+') == std::string::npos)
        throw NotationError(Quoted(text) +
                            " is not a station (write it as 1234.56 or as 12+34.56)");
    const std::optional<std::string> digits = PlusNotationDigits(trimmed);
    if (!digits)
        throw NotationError(Quoted(text) +
                            " is not a station: road-station notation is hundreds, a \"+\" and "
                            "exactly two digits, with an optional fraction, as in 12+34.56");
    return DecimalValue(*digits, text);
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
