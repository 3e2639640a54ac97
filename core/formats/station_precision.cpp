// The note on stations that lie where the float step of the rows exceeds a millimetre.
#include "core/formats/station_precision.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <system_error>
#include <vector>

#include "core/text/numbers.h"

namespace ravo {
namespace {

// The station of largest magnitude among `farthest` and both ends of the rows
// 1..count that the columns hold.
float FarthestStation(std::int32_t count, const std::array<std::vector<float>, ColumnCount>& rows,
                      float farthest)
{
    const std::size_t end = count > 0 ? static_cast<std::size_t>(count) + 1 : 1;
    for (const Column column : {Column::Station1, Column::Station2}) {
        const std::vector<float>& stations = rows[IndexOf(column)];
        for (std::size_t i = 1; i < end && i < stations.size(); ++i) {
            if (std::isfinite(stations[i]) && std::fabs(stations[i]) > std::fabs(farthest))
                farthest = stations[i];
        }
    }
    return farthest;
}

// The distance from a float to the next one away from zero: 2^-9 (about 2 mm)
// from 16384 on, 2^-7 (about 8 mm) from 65536 on.
double FloatStepAt(float station)
{
    const float magnitude = std::fabs(station);
    if (!std::isfinite(magnitude))
        return std::numeric_limits<double>::infinity();
    if (magnitude < std::numeric_limits<float>::min())
        return std::numeric_limits<float>::denorm_min();
    int exponent = 0;
    std::frexp(magnitude, &exponent);  // magnitude = m 2^exponent, 0.5 <= m < 1
    return std::ldexp(1.0, exponent - std::numeric_limits<float>::digits);
}

// The least magnitude from which floats lie more than `limit` apart.
float FirstStationBeyondStep(double limit)
{
    float station = 1;
    while (FloatStepAt(station) <= limit && station < std::numeric_limits<float>::max() / 2)
        station *= 2;
    return station;
}

}  // namespace

std::optional<std::string> StationPrecisionNote(const InputProfile& profile, double limit)
{
    const float farthest = FarthestStation(profile.numSup, profile.segments,
                                           FarthestStation(profile.numVC, profile.curves, 0));
    const double step = FloatStepAt(farthest);
    if (!(step > limit))
        return std::nullopt;
    return "Stations are held as 32-bit floats, which lie more than " + ShortestText(limit) +
           " apart from station " + ShortestText(FirstStationBeyondStep(limit)) +
           " on: this profile reaches station " + ShortestText(farthest) + ", where they lie " +
           ShortestText(step) + " apart.";
}

}  // namespace ravo
