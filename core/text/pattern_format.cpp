// FormatPattern: a value rounded to a pattern's places, halves away from zero,
// from its exact binary value. Most values are rounded in double arithmetic,
// which is exact unless the value lies very near a half; only those, and
// magnitudes too large for a 64-bit scaled value, take the full decimal
// expansion, which for a float runs to dozens of digits.
#include "core/text/pattern_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "core/text/numbers.h"

namespace ravo {
namespace {

struct ParsedPattern {
    int minIntegerDigits = 0;
    bool hasPoint = false;
    int places = 0;     // digits after the point
    int minPlaces = 0;  // of which always written
};

ParsedPattern ParsePattern(std::string_view pattern)
{
    ParsedPattern p;
    for (char c : pattern) {
        if (c == '.') {
            if (p.hasPoint)
                throw std::invalid_argument("pattern with two points");
            p.hasPoint = true;
        } else if (c == '0' || c == '#') {
            if (!p.hasPoint) {
                p.minIntegerDigits += c == '0';
            } else {
                ++p.places;
                if (c == '0')
                    p.minPlaces = p.places;
            }
        } else {
            throw std::invalid_argument("unsupported pattern character");
        }
    }
    return p;
}

// Decimal digits after the point that the exact value of a double can have.
int ExactFractionDigits(double magnitude)
{
    if (magnitude == 0)
        return 0;
    int exponent = 0;
    std::frexp(magnitude, &exponent);
    // The lowest bit of a double weighs 2^(exponent - 53), or 2^-1074 at least.
    const int lowestBit = std::max(exponent - 53, -1074);
    return lowestBit >= 0 ? 0 : -lowestBit;
}

// Adds one unit in the last place of a digit string; true when it carried out.
bool IncrementDigits(std::string& digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    return true;
}

// A magnitude rounded to the pattern's places: the integer digits ("0" for
// none) and exactly `places` digits after the point.
struct RoundedDigits {
    std::string integer;
    std::string fraction;
};

// From the exact decimal expansion, with at least one digit beyond the places
// kept, so that rounding looks at true digits and not at rounded ones.
RoundedDigits RoundExactly(double magnitude, int places)
{
    const int precision = std::max(places + 1, ExactFractionDigits(magnitude));
    std::array<char, 1500> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::fixed, precision);
    const std::string_view exact(buffer.data(),
                                 static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t point = exact.find('.');
    RoundedDigits out{std::string(exact.substr(0, point)),
                      std::string(exact.substr(point + 1, static_cast<std::size_t>(places)))};
    if (exact[point + 1 + static_cast<std::size_t>(places)] >= '5') {
        if (IncrementDigits(out.fraction) && IncrementDigits(out.integer))
            out.integer.insert(out.integer.begin(), '1');
    }
    return out;
}

std::string Layout(RoundedDigits digits, const ParsedPattern& p, bool negative)
{
    std::string& integer = digits.integer;
    std::string& fraction = digits.fraction;
    while (static_cast<int>(fraction.size()) > p.minPlaces && fraction.back() == '0')
        fraction.pop_back();
    if (integer == "0")
        integer.clear();
    if (static_cast<int>(integer.size()) < p.minIntegerDigits)
        integer.insert(0, static_cast<std::size_t>(p.minIntegerDigits) - integer.size(), '0');

    const bool roundsToZero = integer.find_first_not_of('0') == std::string::npos &&
                              fraction.find_first_not_of('0') == std::string::npos;
    std::string text = (negative && !roundsToZero) ? "-" : "";
    text += integer;
    if (p.hasPoint) {
        text += '.';
        text += fraction;
    }
    return text;
}

constexpr int QuickPlaces = 16;  // 10^places is exact in a double below this
constexpr int QuickIntegerDigits = 24;

constexpr std::array<std::uint64_t, QuickPlaces> PowersOfTen = [] {
    std::array<std::uint64_t, QuickPlaces> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// The magnitude times 10^places, rounded half away from zero, where double
// arithmetic decides it. The product is rounded once, so it lies within 2^-53
// of itself of the true one; unless it lies nearer than twice that to a half,
// both round to the same whole number. Empty where the expansion must decide.
std::optional<std::uint64_t> ScaledQuickly(double magnitude, int places)
{
    const double scaled =
        magnitude * static_cast<double>(PowersOfTen[static_cast<std::size_t>(places)]);
    if (!(scaled < 0x1p+52))
        return std::nullopt;
    const auto whole = static_cast<std::uint64_t>(scaled);        // the floor: scaled >= 0
    const double fraction = scaled - static_cast<double>(whole);  // exact
    if (!(std::fabs(fraction - 0.5) > scaled * 0x1p-52))
        return std::nullopt;
    return whole + (fraction > 0.5 ? 1 : 0);
}

__extension__ using Uint128 = unsigned __int128;

// The decimal digits of a whole number, none for 0.
class WholeDigits {
public:
    explicit WholeDigits(Uint128 value)
    {
        if (value >> 64 == 0) {
            if (value != 0)
                size_ = static_cast<std::size_t>(std::to_chars(text_.data(),
                                                               text_.data() + text_.size(),
                                                               static_cast<std::uint64_t>(value))
                                                     .ptr -
                                                 text_.data());
            return;
        }
        constexpr std::uint64_t chunk = 10'000'000'000'000'000'000u;  // 19 digits
        std::array<std::uint64_t, 3> chunks{};
        std::size_t count = 0;
        for (; value != 0; value /= chunk)
            chunks[count++] = static_cast<std::uint64_t>(value % chunk);
        char* out = text_.data();
        for (std::size_t i = count; i-- > 0;) {
            char* const start = out;
            out = std::to_chars(out, text_.data() + text_.size(), chunks[i]).ptr;
            if (i + 1 < count) {  // a lower chunk keeps its leading zeros
                const auto written = out - start;
                std::copy_backward(start, out, start + 19);
                std::fill(start, start + (19 - written), '0');
                out = start + 19;
            }
        }
        size_ = static_cast<std::size_t>(out - text_.data());
    }
    std::string_view View() const { return {text_.data(), size_}; }

private:
    std::array<char, 60> text_{};
    std::size_t size_ = 0;
};

// Writes the integer digits and the places of the fraction by the pattern in
// one pass.
std::string LayoutParts(std::string_view integer, std::uint64_t fraction, const ParsedPattern& p,
                        bool minus)
{
    std::array<char, 128> buffer;
    char* out = buffer.data();
    if (minus)
        *out++ = '-';
    for (auto count = static_cast<int>(integer.size()); count < p.minIntegerDigits; ++count)
        *out++ = '0';
    out = std::copy(integer.begin(), integer.end(), out);
    if (p.hasPoint) {
        *out++ = '.';
        for (int i = p.places - 1; i >= 0; --i, fraction /= 10)
            out[i] = static_cast<char>('0' + fraction % 10);
        int written = p.places;
        while (written > p.minPlaces && out[written - 1] == '0')
            --written;
        out += written;
    }
    return std::string(buffer.data(), out);
}

// Large whole magnitudes (every float from 2^52 on) need no rounding at all.
std::optional<std::string> FormatQuickly(double magnitude, const ParsedPattern& p, bool negative)
{
    if (p.places >= QuickPlaces || p.minIntegerDigits > QuickIntegerDigits)
        return std::nullopt;
    if (const std::optional<std::uint64_t> scaled = ScaledQuickly(magnitude, p.places)) {
        const std::uint64_t unit = PowersOfTen[static_cast<std::size_t>(p.places)];
        const WholeDigits integer(*scaled / unit);
        return LayoutParts(integer.View(), *scaled % unit, p, negative && *scaled != 0);
    }
    if (magnitude < 0x1p+128 && std::floor(magnitude) == magnitude)
        return LayoutParts(WholeDigits(static_cast<Uint128>(magnitude)).View(), 0, p, negative);
    return std::nullopt;
}

std::string Format(double value, std::string_view pattern, bool quickly)
{
    const ParsedPattern p = ParsePattern(pattern);
    if (!std::isfinite(value))
        throw OverflowError("value is not a finite number");
    const double magnitude = std::fabs(value);
    const bool negative = std::signbit(value);
    if (quickly) {
        if (std::optional<std::string> text = FormatQuickly(magnitude, p, negative))
            return std::move(*text);
    }
    return Layout(RoundExactly(magnitude, p.places), p, negative);
}

}  // namespace

std::string FormatPattern(double value, std::string_view pattern)
{
    return Format(value, pattern, true);
}

std::string FormatPatternExactly(double value, std::string_view pattern)
{
    return Format(value, pattern, false);
}

}  // namespace ravo
