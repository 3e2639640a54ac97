// The design values that a design speed asks of a vertical curve, as the usual
// highway design policy computes them: the stopping sight distance and the
// smallest rate of vertical curvature K (length per percent of grade change)
// that gives it over a crest and through a sag.
#pragma once

namespace ravo {

// Metres with speeds in km/h, or feet with speeds in mph.
enum class LengthUnits { Metres, Feet };

struct DesignMinimums {
    double stoppingSightDistance = 0;  // rounded up to the next 5 units
    double crestK = 0;                 // to one decimal, then up to a whole number
    double sagK = 0;                   // to one decimal, then up to a whole number
};

// A design speed with the unit system it is given in.
struct DesignSpeed {
    double speed = 0;
    LengthUnits units = LengthUnits::Metres;
};

// "km/h" or "mph", and "m" or "ft".
const char* SpeedUnitName(LengthUnits units);
const char* LengthUnitName(LengthUnits units);

// The sight distance is taken as shorter than the curve, as the K formulas
// assume. A speed of 0 or less gives all zeros.
DesignMinimums MinimumsForDesignSpeed(double speed, LengthUnits units);

}  // namespace ravo
