// The windows of doubles that read back as a float through a reader's own
// arithmetic, for the rows-to-points mapping that must give back the rows bit
// for bit.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

#include "core/text/numbers.h"

namespace ravo::exact {

inline constexpr double Infinity = std::numeric_limits<double>::infinity();

struct Window {
    double low = -std::numeric_limits<double>::infinity();
    double high = std::numeric_limits<double>::infinity();

    bool Empty() const { return low > high; }
    Window And(const Window& other) const
    {
        return {std::max(low, other.low), std::min(high, other.high)};
    }
    double Clamp(double value) const { return std::clamp(value, low, high); }
};

// The gaps between a float and its neighbours below and above. Away from
// zero the neighbours are the next bit patterns (a float's bits grow with its
// magnitude), which spares the library call of nextafter.
inline std::pair<double, double> Gaps(float value)
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    if (value == 0 || !std::isfinite(value))
        return {static_cast<double>(value) - std::nextafter(value, -inf),
                static_cast<double>(std::nextafter(value, inf)) - value};
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const double away = std::bit_cast<float>(bits + 1);
    const double toward = std::bit_cast<float>(bits - 1);
    return value > 0 ? std::pair{value - toward, away - value}
                     : std::pair{value - away, toward - value};
}

// Values within this distance of a float round to it, with room to spare for
// the double arithmetic of the reader.
inline double RoundingRoom(float value, double share = 0.499999)
{
    const auto [down, up] = Gaps(value);
    return share * std::min(down, up);
}

// The float nearest a double, infinite beyond the float range.
inline float Nearest(double value)
{
    if (std::fabs(value) >= FirstFloatOverflow)
        return value > 0 ? std::numeric_limits<float>::infinity()
                         : -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

// Where a test turns true between `out`, where it is false, and `in`, where it
// holds: the last double on the `in` side.
template <class Test>
double Boundary(double out, double in, const Test& holds)
{
    while (true) {
        const double middle = out + (in - out) / 2;
        if (middle == out || middle == in)
            return in;
        (holds(middle) ? in : out) = middle;
    }
}

// The double next to a finite one towards `outward` (an infinity): the next
// bit pattern away from zero or towards it, as nextafter gives it.
inline double NextDouble(double z, double outward)
{
    if (z == 0)
        return std::nextafter(z, outward);
    const auto bits = std::bit_cast<std::uint64_t>(z);
    return std::bit_cast<double>((z > 0) == (outward > 0) ? bits + 1 : bits - 1);
}

// The same edge found by stepping a double at a time from a guess towards
// `outward` or back, when the guess lies within a few doubles of it: the last
// double where the test holds beside one where it does not, which is what
// Boundary finds from any start that brackets it.
template <class Test>
std::optional<double> EdgeNear(double guess, double outward, const Test& holds)
{
    constexpr int steps = 8;
    const bool inside = holds(guess);
    double last = guess;  // where the test gave `inside`
    for (int i = 0; i < steps && std::isfinite(last); ++i) {
        const double next = NextDouble(last, inside ? outward : -outward);
        if (holds(next) != inside)
            return inside ? last : next;
        last = next;
    }
    return std::nullopt;
}

// The elevations z for which the reader's `value(z)`, which grows with z,
// rounds to the float `stored`: found with the reader's own arithmetic, so
// that a value exactly halfway between two floats counts as it rounds (nice
// decimals often give such values), and so that the double rounding of the
// arithmetic counts too, which a room of less than half the float's gaps
// does not always cover. `near` gives about `stored`, and z changes `scale`
// times as much as the value. Where the arithmetic is too coarse to tell the
// edges, the window of the conservative room `room`.
template <class Value>
Window ExactWindow(float stored, double near, double scale, double room, const Value& value)
{
    const auto [down, up] = Gaps(stored);
    const double below = near - down * scale;
    const double above = near + up * scale;
    const double atNear = value(near);
    const auto rounded = [&](double z) { return Nearest(value(z)); };
    if (!std::isfinite(below) || !std::isfinite(above) || Nearest(atNear) != stored)
        return {near - room, near + room};
    const auto holdsBelow = [&](double z) { return rounded(z) >= stored; };
    const auto holdsAbove = [&](double z) { return rounded(z) <= stored; };
    // Each edge lies where the value crosses halfway to the next float, which
    // a step of Newton's from `near` finds to within a few doubles, since the
    // value is close to linear in z.
    const double stored64 = stored;
    const std::optional<double> low =
        EdgeNear(near + (stored64 - down / 2 - atNear) * scale, -Infinity, holdsBelow);
    const std::optional<double> high =
        EdgeNear(near + (stored64 + up / 2 - atNear) * scale, Infinity, holdsAbove);
    // The test turns once, so edges strictly within a gap of `near` tell
    // that `below` and `above` round to the floats beside `stored`.
    if (low && high && *low > below && *high < above)
        return {*low, *high};
    if (!(rounded(below) < stored) || !(rounded(above) > stored))
        return {near - room, near + room};
    // Where the guess misses, halving starts from half the gap, else from just
    // inside the room and just beyond half the gap where those hold. Every
    // start that brackets the edge finds the same edge, in fewer steps the
    // closer it is.
    const auto edge = [&](std::optional<double> found, double far, double outer, double inner,
                          double closeOut, double closeIn, const auto& holds) {
        if (found)
            return *found;
        const double out = !holds(closeOut) ? closeOut : holds(outer) ? far : outer;
        const double in = holds(closeIn) ? closeIn : holds(inner) ? inner : near;
        return Boundary(out, in, holds);
    };
    constexpr double beyondHalf = 0.500001;
    constexpr double closeBeyond = 0.50000002;
    constexpr double closeWithin = 0.49999998;
    return {edge(low, below, near - beyondHalf * down * scale, near - room,
                 near - closeBeyond * down * scale, near - closeWithin * down * scale, holdsBelow),
            edge(high, above, near + beyondHalf * up * scale, near + room,
                 near + closeBeyond * up * scale, near + closeWithin * up * scale, holdsAbove)};
}

}  // namespace ravo::exact
