// The elevation calculation: profile grade elevation from the vertical curves,
// superelevation from the segments, and the finished elevation at the offset.
#pragma once

#include "core/profile/profile_state.h"

namespace ravo {

// Calculates at CalcStation and CalcOffset, storing the results into
// CalcElevation and CalcSuper as 32-bit floats:
//   1. CalcElevation = 0;
//   2. every curve row 1..NumVC that contains the station (VcSta1 <= s <= VcSta2)
//      overwrites CalcElevation with  x^2 (G2 - G1) / (L + L) + x G1 + E1,
//      x = s - VcSta1, L = VcSta2 - VcSta1, in double precision; the last
//      containing row wins;
//   3. CalcSuper = 0;
//   4. the same over the segment rows 1..NumSup into CalcSuper;
//   5. CalcElevation = CalcOffset * CalcSuper + CalcElevation.
// Throws OverflowError for a containing row of zero length (0/0) or a result
// beyond the float range; the fields then hold what the completed steps stored
// (the overflowing value itself is not stored).
void CalculateElevation(ProfileState& state);

// One row's quadratic at a station, in double precision: the value at the
// beginning plus the rate running linearly from rate1 to rate2 over the row.
double RowValue(const SegmentRow& row, double station);

}  // namespace ravo
