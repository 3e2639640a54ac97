// Checks FormatPattern for every finite 32-bit float with the patterns of the
// elevation box and the elevation log, "#####0.000" and "0.########". The
// reference rounds the float's exact value m 2^e in whole-number arithmetic;
// it is itself checked against the slow path from the full decimal expansion
// on every 509th float (the full expansion takes about a microsecond a value,
// hours for all of them). Takes long; not part of the tests.
//   format_pattern_check [first-bits last-bits]   (hexadecimal, default all)
#include <array>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/numbers.h"
#include "core/text/pattern_format.h"

namespace {

__extension__ using Uint128 = unsigned __int128;

// Appends the decimal digits of a whole number to a text, at least one.
void AppendDigits(std::string& text, Uint128 value)
{
    constexpr std::uint64_t chunk = 10'000'000'000'000'000'000u;  // 19 digits
    if (value >= chunk) {
        AppendDigits(text, value / chunk);
        const std::string low = std::to_string(static_cast<std::uint64_t>(value % chunk));
        text.append(19 - low.size(), '0');
        text += low;
        return;
    }
    text += std::to_string(static_cast<std::uint64_t>(value));
}

// The float's magnitude rounded half away from zero to the places. It is
// m 2^e exactly: whole for e >= 0, else the quotient of m 10^places by 2^-e
// rounded by its remainder.
struct Rounded {
    bool minus = false;  // negative and not rounded to zero
    Uint128 integer = 0;
    std::uint64_t fraction = 0;  // the places as a whole number
};

Rounded Round(std::uint32_t bits, int places)
{
    const std::uint32_t biased = (bits >> 23) & 0xff;
    const std::uint64_t mantissa = (bits & 0x7fffff) | (biased != 0 ? 0x800000u : 0);
    const int exponent = (biased != 0 ? static_cast<int>(biased) : 1) - 150;
    Rounded r;
    std::uint64_t unit = 1;
    for (int i = 0; i < places; ++i)
        unit *= 10;
    if (exponent >= 0) {
        r.integer = static_cast<Uint128>(mantissa) << exponent;
    } else if (-exponent < 64) {
        const std::uint64_t scaled = mantissa * unit;  // below 2^51
        const int shift = -exponent;
        const std::uint64_t remainder = scaled & ((std::uint64_t{1} << shift) - 1);
        const std::uint64_t rounded =
            (scaled >> shift) + (remainder >= (std::uint64_t{1} << (shift - 1)) ? 1 : 0);
        r.integer = rounded / unit;
        r.fraction = rounded % unit;
    }  // else below a half of the last place: zero
    r.minus = (bits >> 31) != 0 && (r.integer != 0 || r.fraction != 0);
    return r;
}

// The text of the elevation pattern and the log's grade pattern: at least one
// integer digit, the point, and the places, trailing zeros dropped when asked.
std::string Text(const Rounded& r, int places, bool trimZeros)
{
    std::string text = r.minus ? "-" : "";
    AppendDigits(text, r.integer);
    text += '.';
    std::string digits(static_cast<std::size_t>(places), '0');
    std::uint64_t fraction = r.fraction;
    for (std::size_t i = digits.size(); i-- > 0; fraction /= 10)
        digits[i] = static_cast<char>('0' + fraction % 10);
    while (trimZeros && !digits.empty() && digits.back() == '0')
        digits.pop_back();
    return text + digits;
}

// True when a text is exactly Text(r, places, trimZeros), read back rather
// than written, which is quicker.
bool Matches(std::string_view text, const Rounded& r, int places, bool trimZeros)
{
    std::size_t i = 0;
    if (r.minus != (!text.empty() && text[0] == '-'))
        return false;
    i += r.minus ? 1 : 0;
    const std::size_t integerStart = i;
    Uint128 integer = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        integer = integer * 10 + static_cast<unsigned>(text[i] - '0');
    const std::size_t integerDigits = i - integerStart;
    if (integerDigits == 0 || (integerDigits > 1 && text[integerStart] == '0') ||
        integer != r.integer || i == text.size() || text[i] != '.')
        return false;
    const std::string_view digits = text.substr(i + 1);
    if (digits.size() > static_cast<std::size_t>(places) ||
        (!trimZeros && digits.size() != static_cast<std::size_t>(places)) ||
        (trimZeros && !digits.empty() && digits.back() == '0'))
        return false;
    std::uint64_t fraction = 0;
    for (int k = 0; k < places; ++k) {
        const char c =
            static_cast<std::size_t>(k) < digits.size() ? digits[static_cast<std::size_t>(k)] : '0';
        if (c < '0' || c > '9')
            return false;
        fraction = fraction * 10 + static_cast<unsigned>(c - '0');
    }
    return fraction == r.fraction;
}

struct Pattern {
    const char* text;
    int places;
    bool trimZeros;
};
constexpr std::array<Pattern, 2> Patterns = {{{"#####0.000", 3, false}, {"0.########", 8, true}}};

struct Totals {
    std::uint64_t checked = 0;
    std::uint64_t slowChecked = 0;
    std::uint64_t different = 0;
};

void CheckRange(std::uint64_t first, std::uint64_t last, Totals& totals)
{
    for (std::uint64_t n = first; n <= last; ++n) {
        const auto bits = static_cast<std::uint32_t>(n);
        const double value = static_cast<double>(std::bit_cast<float>(bits));
        if (!std::isfinite(value))
            continue;
        for (const Pattern& p : Patterns) {
            const std::string quick = ravo::FormatPattern(value, p.text);
            const Rounded expected = Round(bits, p.places);
            ++totals.checked;
            if (n % 509 == 0) {
                ++totals.slowChecked;
                const std::string exact = ravo::FormatPatternExactly(value, p.text);
                const std::string reference = Text(expected, p.places, p.trimZeros);
                if (exact != reference && ++totals.different <= 20)
                    std::printf("%08x %s: reference %s, full expansion %s\n", bits, p.text,
                                reference.c_str(), exact.c_str());
            }
            if (!Matches(quick, expected, p.places, p.trimZeros) && ++totals.different <= 20)
                std::printf("%08x %s: %s, reference %s\n", bits, p.text, quick.c_str(),
                            Text(expected, p.places, p.trimZeros).c_str());
        }
    }
}

// All floats by their top byte (sign and high exponent bits), the magnitudes
// of real profiles first (0x30 to 0x4f: 4.7e-10 to 8.6e9, then negative), so
// that a run cut short has covered them; one line of totals per byte.
std::vector<std::uint32_t> TopBytesInOrder()
{
    std::vector<std::uint32_t> order;
    for (std::uint32_t sign : {0x00u, 0x80u})
        for (std::uint32_t b = 0x30; b <= 0x4f; ++b)
            order.push_back(sign | b);
    for (std::uint32_t b = 0; b <= 0xff; ++b)
        if ((b & 0x7f) < 0x30 || (b & 0x7f) > 0x4f)
            order.push_back(b);
    return order;
}

}  // namespace

int main(int argc, char** argv)
{
    const auto start = std::chrono::steady_clock::now();
    const auto report = [&](const char* what, const Totals& t) {
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf(
            "%s: %llu values checked (%llu also against the full expansion) in %.1f s, "
            "%llu different\n",
            what, static_cast<unsigned long long>(t.checked),
            static_cast<unsigned long long>(t.slowChecked), seconds,
            static_cast<unsigned long long>(t.different));
        std::fflush(stdout);
    };
    Totals totals;
    if (argc == 3) {
        CheckRange(std::strtoull(argv[1], nullptr, 16), std::strtoull(argv[2], nullptr, 16),
                   totals);
    } else {
        for (std::uint32_t top : TopBytesInOrder()) {
            CheckRange(std::uint64_t{top} << 24, (std::uint64_t{top} << 24) | 0xffffff, totals);
            char what[32];
            std::snprintf(what, sizeof what, "top byte %02x", top);
            report(what, totals);
        }
    }
    report("all", totals);
    return totals.different == 0 ? 0 : 1;
}
