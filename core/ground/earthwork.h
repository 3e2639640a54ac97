// Earthwork between the grade line and the existing ground: the section areas
// along the road, the volumes between them, and the mass haul (cumulative cut
// less fill) with its balance points.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/ground/ground_profile.h"
#include "core/ground/section_template.h"
#include "core/profile/profile_state.h"

namespace ravo {

// Stations of one table; a larger table is refused.
inline constexpr std::size_t MaxEarthworkStations = 10'000'000;

// A request that cannot be computed; the message says which value is wrong.
class EarthworkRequestError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct EarthworkRequest {
    SectionTemplate section;
    double interval = 20;  // distance between the regular stations
    // The stretch of road; by default where both the grade line and the ground are.
    std::optional<double> from{};
    std::optional<double> to{};
};

// One station of the table. The volumes are those of the interval from the
// station before to this one (0 on the first); the cumulative values and the
// mass ordinate run from the first station.
struct EarthworkRow {
    double station = 0;
    bool hasSection = false;  // a grade line and a ground are both there
    double design = 0;        // the grade line at the centreline
    double ground = 0;
    double depth = 0;  // formation above the ground: fill positive, cut negative
    double cutArea = 0;
    double fillArea = 0;
    double cutVolume = 0;  // average end area, split at a cut/fill zero point
    double fillVolume = 0;
    double prismoidalCut = 0;  // the prismoidal formula, as a check
    double prismoidalFill = 0;
    double cumulativeCut = 0;  // as excavated
    double cumulativeFill = 0;
    double massOrdinate = 0;  // cumulative cut times the cut factor, less cumulative fill
};

struct EarthworkTotals {
    double cut = 0;  // as excavated
    double fill = 0;
    double cutAsFill = 0;  // cut times the cut factor: the fill it makes
    double prismoidalCut = 0;
    double prismoidalFill = 0;
    double net = 0;  // the last mass ordinate: surplus (+) or shortage (-)
};

struct HaulOrdinate {
    double station = 0;
    double ordinate = 0;  // the mass ordinate of largest size, with its sign
};

struct EarthworkTable {
    std::vector<EarthworkRow> rows;
    EarthworkTotals totals;
    std::vector<double> balancePoints;  // stations where the mass ordinate crosses 0
    HaulOrdinate largestHaul;
    std::vector<std::string> notes;  // stations without a section, for the user
};

// The stations of the table: from, from + interval, ... and `to`, with every
// ground point and every end of a curve row between them, in order, stations
// within a micrometre of one another taken once.
std::vector<double> EarthworkStations(const ProfileState& design, const GroundProfile& ground,
                                      double from, double to, double interval);

// The earthwork table. At each station the grade line (the profile grade of
// the curve rows, offset 0) and the ground give the formation depth and the
// section areas (SectionTemplate). Between two stations the volume is the
// average of the end areas times the distance; where the depth changes sign
// the interval is split at the zero point (the depth taken as straight
// between the stations), each part ending at a section of area 0. The
// prismoidal volume takes the middle section from the grade line and ground
// at the middle station (in a split interval, half the end depth). A station
// without a grade line or a ground has no section and the intervals beside it
// no volume; a note says so. A balance point is where the mass ordinate,
// taken as straight between stations, crosses 0. Throws EarthworkRequestError
// for a width, slope or pavement depth below 0, a cut factor or interval not
// above 0, a stretch that is empty or where the two do not meet, or more than
// MaxEarthworkStations stations.
EarthworkTable ComputeEarthwork(const ProfileState& design, const GroundProfile& ground,
                                const EarthworkRequest& request);

}  // namespace ravo
