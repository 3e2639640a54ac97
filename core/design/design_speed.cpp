// Stopping sight distance and the least K of crest and sag curves for a design speed.
#include "core/design/design_speed.h"

#include <cmath>

namespace ravo {
namespace {

constexpr double ReactionTime = 2.5;  // seconds

// Rounds up to a multiple of step; a value a hair above a multiple through
// rounding in the formula stays on it.
double RoundUpTo(double value, double step) { return std::ceil(value / step - 1e-9) * step; }

// The published design tables round the calculated K to one decimal and then
// up to a whole number: a K of 52.01 is 52, one of 51.96 (52.0) is 52, one of
// 51.94 (51.9) is 52 too, and one of 52.06 (52.1) is 53.
double TabulatedK(double k) { return std::ceil(std::round(k * 10) / 10); }

double StoppingSightDistance(double speed, LengthUnits units)
{
    if (units == LengthUnits::Metres)
        return 0.278 * speed * ReactionTime + 0.039 * speed * speed / 3.4;
    return 1.47 * speed * ReactionTime + 1.075 * speed * speed / 11.2;
}

}  // namespace

const char* SpeedUnitName(LengthUnits units)
{
    return units == LengthUnits::Metres ? "km/h" : "mph";
}

const char* LengthUnitName(LengthUnits units) { return units == LengthUnits::Metres ? "m" : "ft"; }

DesignMinimums MinimumsForDesignSpeed(double speed, LengthUnits units)
{
    if (!(speed > 0))
        return {};
    const double s = RoundUpTo(StoppingSightDistance(speed, units), 5);
    const bool metres = units == LengthUnits::Metres;
    const double crest = s * s / (metres ? 658.0 : 2158.0);
    const double sag = s * s / ((metres ? 120.0 : 400.0) + 3.5 * s);
    return {s, TabulatedK(crest), TabulatedK(sag)};
}

}  // namespace ravo
