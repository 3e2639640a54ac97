// The slow, plainly exact path of the pattern formatting, for the tools and
// tests that check FormatPattern's quick rounding against it.
#pragma once

#include <string>
#include <string_view>

namespace ravo {

// FormatPattern, always rounded from the full decimal expansion of the value.
std::string FormatPatternExactly(double value, std::string_view pattern);

}  // namespace ravo
