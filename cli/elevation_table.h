// The elevation table: finished elevations at evenly spaced stations and at
// one or more offsets, each computed exactly as the desktop program computes
// the elevation that it shows for a typed station and offset.
#pragma once

#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/ground/ground_profile.h"
#include "core/profile/elevation_walk.h"
#include "core/profile/profile_state.h"

namespace ravo::calc {

// Stations times offsets; a larger table is refused before anything is written.
inline constexpr std::uint64_t MaxTableRows = 10'000'000;

// A table that cannot be made as asked; the message says which option is wrong.
class TableRequestError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The stations from `from` to `to`: from, from + step, from + 2 step, ... and
// `to` itself even when the step does not land on it. Station k is computed as
// from + k * step, never by repeated addition, so there is no drift; a
// distance within a billionth of a step of `to` counts as landing on it.
// The walk goes downwards when `to` lies below `from`; the step may then be
// given as a positive distance or as a negative number. Refused with
// TableRequestError: a step of 0, a negative step when `to` lies above `from`,
// a station beyond the 32-bit float range, more than MaxTableRows stations.
class StationWalk {
public:
    StationWalk(double from, double to, double step);

    std::uint64_t Count() const { return steps_ + 1 + (extraEnd_ ? 1 : 0); }

    // Station k (0 <= k < Count()) rounded to a 32-bit float, as the desktop
    // program holds a typed station.
    float At(std::uint64_t k) const;

private:
    double from_;
    double to_;
    double step_;              // signed: negative when walking downwards
    std::uint64_t steps_ = 0;  // the last station reached by a whole step is from + steps_ * step
    bool landsOnEnd_ = false;  // station steps_ is `to` itself
    bool extraEnd_ = false;    // `to` follows as a station of its own
};

// The outcome at one station and offset. When valid is false, the desktop
// program would say "Invalid Entry" there, and reason says why. For a valid
// point, onCurve is false where no curve row contains the station: the desktop
// program shows the offset times the superelevation there, but there is no
// road. (An invalid point keeps onCurve true; its text is "Invalid Entry".)
struct TablePoint {
    float station = 0;
    float offset = 0;
    bool valid = true;
    bool onCurve = true;
    float super = 0;
    float elevation = 0;
    std::string reason{};
};

enum class TableFormat { Plain, Csv };

struct TableLayout {
    TableFormat format = TableFormat::Plain;
    bool plusNotation = false;              // stations as 12+34.560
    bool progress = false;                  // a progress line on err (a terminal) for a long table
    const GroundProfile* ground = nullptr;  // with a ground, its columns follow
};

// Writes one row per station and offset, the offsets of a station together:
// station, offset, superelevation ("0.########") and finished elevation
// ("#####0.000", the text the desktop program shows), under a header. Plain
// text puts the fields at the report's columns 1, 15, 30 and 45 with lines
// ended by "\n"; CSV (RFC 4180) has the header row
// station,offset,superelevation,elevation and lines ended by CR LF. A point
// that gives "Invalid Entry" has that text as its elevation and an empty
// superelevation, and a line on err says why. A point at a station that no
// curve row contains has "no curve" as its elevation (CSV: an empty field),
// and after the table one line on err gives their count and the first.
// With a ground, two columns follow (plain text at columns 60 and 75, CSV
// ground,cut_fill): the ground at the station and the finished elevation
// less the ground (fill positive). Where the ground has no point, both read
// "no ground" (CSV: empty fields) and a line on err after the table counts
// them; where there is no elevation, the cut or fill reads as the elevation
// does. Returns the counts of the kinds. Throws TableRequestError, writing nothing,
// for more than MaxTableRows rows or no offsets.
struct TableCounts {
    std::uint64_t invalid = 0;   // "Invalid Entry"
    std::uint64_t noCurve = 0;   // no curve row contains the station
    std::uint64_t noGround = 0;  // a ground was given and has no point there
};
TableCounts WriteTable(std::ostream& out, std::ostream& err, const ProfileState& state,
                       const StationWalk& walk, const std::vector<float>& offsets,
                       const TableLayout& layout);

}  // namespace ravo::calc
