// Numbers to and from the texts of entry boxes, captions and reports.
#include "core/text/numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <system_error>

namespace ravo {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsIgnoredBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

int DigitValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

// "&H1F" and "&O17": a non-negative whole number in the given radix.
double RadixNumber(std::string_view digits, int radix)
{
    double value = 0;
    for (char c : digits) {
        const int digit = DigitValue(c);
        if (digit >= radix)
            break;
        value = value * radix + digit;
    }
    if (std::isinf(value))
        throw OverflowError("number too large");
    return value;
}

double DecimalNumber(std::string_view s)
{
    std::size_t pos = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '+' || s[0] == '-'))
        ++pos;
    const std::size_t start = pos;
    std::size_t digits = 0;
    const auto skipDigits = [&] {
        for (; pos < s.size() && IsDigit(s[pos]); ++pos)
            ++digits;
    };
    skipDigits();
    if (pos < s.size() && s[pos] == '.') {
        ++pos;
        skipDigits();
    }
    if (digits == 0)
        return 0;

    // from_chars wants neither a plus sign before the number nor a D exponent.
    std::string text(s.substr(start, pos - start));
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E' || s[pos] == 'd' || s[pos] == 'D')) {
        std::size_t end = pos + 1;
        if (end < s.size() && (s[end] == '+' || s[end] == '-'))
            ++end;
        const std::size_t exponentDigits = end;
        while (end < s.size() && IsDigit(s[end]))
            ++end;
        if (end > exponentDigits) {
            text += 'e';
            text += s.substr(pos + 1, end - pos - 1);
        }
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (DecimalExponent(text) > 0)
            throw OverflowError("number too large");
        value = 0;
    }
    return negative ? -value : value;
}

// The digits of a value rounded to a number of significant digits, trailing
// zeros removed, with the decimal exponent of the first digit.
struct Significant {
    bool negative = false;
    std::string digits;  // empty for zero
    int exponent = 0;
};

Significant RoundToSignificant(double value, int significantDigits)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, significantDigits - 1);
    const std::string_view text(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));
    Significant out;
    std::size_t pos = 0;
    if (text[pos] == '-') {
        out.negative = true;
        ++pos;
    }
    const std::size_t ePos = text.find('e');
    for (std::size_t i = pos; i < ePos; ++i) {
        if (IsDigit(text[i]))
            out.digits += text[i];
    }
    std::from_chars(text.data() + ePos + (text[ePos + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    out.exponent);
    while (!out.digits.empty() && out.digits.back() == '0')
        out.digits.pop_back();
    return out;
}

std::string ExponentText(int exponent)
{
    std::string text = exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        text += '0';
    text += std::to_string(magnitude);
    return text;
}

std::string SignificantText(double value, int significantDigits, int largestPlainExponent)
{
    if (value == 0)
        return " 0";
    if (!std::isfinite(value))
        return std::isnan(value) ? " NaN" : (value < 0 ? "-Infinity" : " Infinity");
    const Significant s = RoundToSignificant(value, significantDigits);
    std::string text = s.negative ? "-" : " ";
    const int count = static_cast<int>(s.digits.size());
    if (s.exponent < -4 || s.exponent > largestPlainExponent) {
        text += s.digits[0];
        if (count > 1) {
            text += '.';
            text.append(s.digits, 1);
        }
        return text + ExponentText(s.exponent);
    }
    if (s.exponent < 0) {
        text += '.';
        text.append(static_cast<std::size_t>(-s.exponent - 1), '0');
        return text + s.digits;
    }
    const int integerDigits = s.exponent + 1;
    if (count <= integerDigits) {
        text += s.digits;
        text.append(static_cast<std::size_t>(integerDigits - count), '0');
        return text;
    }
    text.append(s.digits, 0, static_cast<std::size_t>(integerDigits));
    text += '.';
    text.append(s.digits, static_cast<std::size_t>(integerDigits));
    return text;
}

}  // namespace

long long DecimalExponent(std::string_view number)
{
    std::size_t i = 0;
    long long integerDigits = 0;  // from the first significant one on
    for (; i < number.size() && IsDigit(number[i]); ++i)
        integerDigits += integerDigits > 0 || number[i] != '0' ? 1 : 0;
    long long magnitude = integerDigits - 1;  // "123" gives 2
    if (integerDigits == 0 && i < number.size() && number[i] == '.') {
        long long zeros = 0;
        for (++i; i < number.size() && number[i] == '0'; ++i)
            ++zeros;
        magnitude = -zeros - 1;  // ".001" gives -3
    }
    while (i < number.size() && (IsDigit(number[i]) || number[i] == '.'))
        ++i;
    long long exponent = 0;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        const bool negative = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '-' || number[i] == '+'))
            ++i;
        for (; i < number.size() && IsDigit(number[i]); ++i)
            exponent = std::min(exponent * 10 + (number[i] - '0'), 1'000'000'000LL);
        exponent = negative ? -exponent : exponent;
    }
    return magnitude + exponent;
}

double LeadingNumber(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (!IsIgnoredBlank(c))
            compact += c;
    }
    const std::string_view s = compact;
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return RadixNumber(s.substr(2), 16);
        if (s[1] == 'O' || s[1] == 'o')
            return RadixNumber(s.substr(2), 8);
    }
    return DecimalNumber(s);
}

float ToFloat(double value)
{
    if (std::isnan(value) || std::fabs(value) >= FirstFloatOverflow)
        throw OverflowError("value beyond the 32-bit float range");
    return static_cast<float>(value);
}

std::int32_t ToCount(double value)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max()))
        throw OverflowError("count beyond the 32-bit range");
    return static_cast<std::int32_t>(rounded);
}

std::string NumberText(float value) { return SignificantText(static_cast<double>(value), 7, 6); }

std::string ExactNumberText(float value)
{
    for (int digits = 7; digits < 9; ++digits) {
        std::string text = SignificantText(static_cast<double>(value), digits, 6);
        if (static_cast<float>(LeadingNumber(text)) == value)
            return text;
    }
    return SignificantText(static_cast<double>(value), 9, 6);
}

std::string NumberText(double value) { return SignificantText(value, 15, 14); }

std::string NumberText(std::int32_t value)
{
    std::array<char, 16> buffer{};
    buffer[0] = ' ';
    char* const digits = value < 0 ? buffer.data() : buffer.data() + 1;
    const auto result = std::to_chars(digits, buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

namespace {

template <typename Number>
char* WriteShortestOf(char* out, Number value)
{
    auto result = std::to_chars(out, out + ShortestTextRoom, value, std::chars_format::fixed);
    if (result.ec != std::errc{})
        result = std::to_chars(out, out + ShortestTextRoom, value);
    return result.ptr;
}

template <typename Number>
std::string ShortestOf(Number value)
{
    char text[ShortestTextRoom];
    return std::string(text, WriteShortestOf(text, value));
}

std::string Formatted(double value, std::chars_format format, int precision)
{
    char text[400];
    auto result = std::to_chars(text, text + sizeof text, value, format, precision);
    if (result.ec != std::errc{})
        result =
            std::to_chars(text, text + sizeof text, value, std::chars_format::general, precision);
    return std::string(text, result.ptr);
}

}  // namespace

std::string ShortestText(double value) { return ShortestOf(value); }
char* WriteShortest(char* out, double value) { return WriteShortestOf(out, value); }
std::string ShortestText(float value) { return ShortestOf(value); }

std::string SignificantText(double value, int digits)
{
    return Formatted(value, std::chars_format::general, digits);
}

std::string FixedText(double value, int decimals)
{
    return Formatted(value, std::chars_format::fixed, decimals);
}

}  // namespace ravo
