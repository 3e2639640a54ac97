// Checks FormatPattern for every finite 32-bit float with the patterns of the
// elevation box and the elevation log, "#####0.000" and "0.########". The
// reference rounds the float's exact value m 2^e in whole-number arithmetic;
// it is itself checked against the slow path from the full decimal expansion
// on every 61st float (the full expansion takes about a microsecond a value,
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

#include "core/numbers.h"
#include "core/pattern_format.h"

namespace {

__extension__ using Uint128 = unsigned __int128;

std::string Digits(Uint128 value)
{
    constexpr std::uint64_t chunk = 10'000'000'000'000'000'000u;
    if (value >= chunk) {
        const std::string low = std::to_string(static_cast<std::uint64_t>(value % chunk));
        return Digits(value / chunk) + std::string(19 - low.size(), '0') + low;
    }
    return std::to_string(static_cast<std::uint64_t>(value));
}

// The float's magnitude times 10^places, rounded half away from zero, in
// decimal digits: exactly m 2^e 10^places for e >= 0, else the quotient and the
// remainder of m 10^places by 2^-e.
std::string ScaledAndRounded(std::uint32_t bits, int places)
{
    const std::uint32_t biased = (bits >> 23) & 0xff;
    const std::uint64_t mantissa = (bits & 0x7fffff) | (biased != 0 ? 0x800000u : 0);
    const int exponent = (biased != 0 ? static_cast<int>(biased) : 1) - 150;
    if (exponent >= 0)
        return Digits(static_cast<Uint128>(mantissa) << exponent) +
               std::string(static_cast<std::size_t>(places), '0');
    std::uint64_t scaled = mantissa;
    for (int i = 0; i < places; ++i)
        scaled *= 10;  // below 2^51
    const int shift = -exponent;
    if (shift >= 64)
        return "0";  // below a half
    const std::uint64_t remainder = scaled & ((std::uint64_t{1} << shift) - 1);
    return Digits((scaled >> shift) + (remainder >= (std::uint64_t{1} << (shift - 1)) ? 1 : 0));
}

// "#####0.000" and "0.########": at least one integer digit, then the point,
// then the places; the log's pattern drops trailing zeros.
std::string Reference(std::uint32_t bits, int places, bool trimZeros)
{
    std::string digits = ScaledAndRounded(bits, places);
    const bool zero = digits == "0" || (bits & 0x7fffffff) == 0;
    if (digits.size() <= static_cast<std::size_t>(places))
        digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
    std::string text = (bits >> 31) != 0 && !zero ? "-" : "";
    text += digits.substr(0, digits.size() - static_cast<std::size_t>(places));
    text += '.';
    std::string fraction = digits.substr(digits.size() - static_cast<std::size_t>(places));
    while (trimZeros && !fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    return text + fraction;
}

struct Pattern {
    const char* text;
    int places;
    bool trimZeros;
};
constexpr std::array<Pattern, 2> Patterns = {{{"#####0.000", 3, false}, {"0.########", 8, true}}};

}  // namespace

int main(int argc, char** argv)
{
    std::uint64_t first = 0;
    std::uint64_t last = 0xffffffff;
    if (argc == 3) {
        first = std::strtoull(argv[1], nullptr, 16);
        last = std::strtoull(argv[2], nullptr, 16);
    }
    const auto start = std::chrono::steady_clock::now();
    std::uint64_t checked = 0;
    std::uint64_t slowChecked = 0;
    std::uint64_t different = 0;
    for (std::uint64_t n = first; n <= last; ++n) {
        const auto bits = static_cast<std::uint32_t>(n);
        const double value = static_cast<double>(std::bit_cast<float>(bits));
        if (!std::isfinite(value))
            continue;
        for (const Pattern& p : Patterns) {
            const std::string quick = ravo::FormatPattern(value, p.text);
            std::string expected = Reference(bits, p.places, p.trimZeros);
            ++checked;
            if (n % 61 == 0) {
                ++slowChecked;
                const std::string exact = ravo::FormatPatternExactly(value, p.text);
                if (exact != expected && ++different <= 20)
                    std::printf("%08x %s: reference %s, full expansion %s\n", bits, p.text,
                                expected.c_str(), exact.c_str());
            }
            if (quick != expected && ++different <= 20)
                std::printf("%08x %s: %s, reference %s\n", bits, p.text, quick.c_str(),
                            expected.c_str());
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "%llu values checked (%llu also against the full expansion) in %.1f s, "
        "%llu different\n",
        static_cast<unsigned long long>(checked), static_cast<unsigned long long>(slowChecked),
        seconds, static_cast<unsigned long long>(different));
    return different == 0 ? 0 : 1;
}
