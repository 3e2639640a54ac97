// Texts of the profile sheet: stations in the style of the profile's unit
// (kilometre stationing for metres, 100-foot stations for feet) and grades.
#pragma once

#include <string>

namespace ravo {

// How a station in plus notation reads. Hundreds3 is the window's own
// "12+34.560"; Kilometre "1+234.567" is metric stationing; Hundreds "12+34.56"
// is stationing in feet.
enum class StationStyle { Hundreds3, Kilometre, Hundreds };

// The decimals a station label carries in the style: two in feet, else three.
int StationDecimals(StationStyle style);

// A station with the given decimals, rounded with halves away from zero; in
// plus notation the sign belongs to the whole station ("-0+050.000"). A value
// too large for whole digits is written plainly.
std::string StationInStyle(double station, int decimals, bool plusNotation, StationStyle style);

// A grade given as a fraction, in percent with its sign: "+3.00%", "-0.50%".
std::string GradePercentText(double grade);

}  // namespace ravo
