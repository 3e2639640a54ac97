// The number of a table's field read straight from its characters where that
// is exact, so that the common plain decimals take no copies and no from_chars.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace ravo {

// A whole number of at most 2^53 over a power of ten of at most 10^22:
// Clinger's fast path. Both are exact doubles, and IEEE division rounds their
// quotient correctly, as from_chars does.
inline double DecimalQuotient(std::uint64_t whole, std::size_t decimals)
{
    static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    return static_cast<double>(whole) / powers[decimals];
}

// The value of a field that holds, between blanks and tabs, an optional minus
// sign, digits and an optional point with digits after it (one digit at
// least), as from_chars reads it; none for any other field or where
// DecimalQuotient is not exact.
inline std::optional<double> PlainDecimal(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    const bool negative = !text.empty() && text.front() == '-';
    std::size_t i = negative ? 1 : 0;
    std::uint64_t whole = 0;
    const auto digits = [&] {
        const std::size_t first = i;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            whole = whole * 10 + static_cast<std::uint64_t>(text[i] - '0');
        return i - first;
    };
    const std::size_t integer = digits();
    const bool point = i < text.size() && text[i] == '.';
    i += point ? 1 : 0;
    const std::size_t decimals = point ? digits() : 0;
    // More than 19 digits may have wrapped `whole` round.
    if (i != text.size() || integer + decimals == 0 || integer + decimals > 19 ||
        whole > (std::uint64_t{1} << 53) || decimals > 22)
        return std::nullopt;
    const double value = DecimalQuotient(whole, decimals);
    return negative ? -value : value;
}

}  // namespace ravo
