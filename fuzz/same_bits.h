// Comparing tables bit for bit, so that 0 and -0 differ and a NaN equals
// itself: what a round trip through a file must keep.
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

namespace ravo::fuzz {

inline bool SameBits(const std::vector<float>& a, const std::vector<float>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::bit_cast<std::uint32_t>(a[i]) != std::bit_cast<std::uint32_t>(b[i]))
            return false;
    }
    return true;
}

}  // namespace ravo::fuzz
