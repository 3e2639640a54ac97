// Circular vertical curves placed from their radius and grades, and the
// notes on how far the parabolas that stand for them lie from the arcs.
#include "core/formats/circular_curve.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>

#include "core/text/numbers.h"

namespace ravo {
namespace {

// The shortest text that reads back as the value; never a decimal comma.
std::string Shortest(double value)
{
    char text[64];
    const std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string Millimetres(double value) { return FormatPattern(value, "0.0000"); }

// The parabola of the point's lengths and grades at x.
double Parabola(const PviPoint& p, double gIn, double gOut, double x)
{
    const double l1 = p.lengthIn;
    const double l2 = p.lengthOut;
    if (x <= p.station - l1 || x >= p.station + l2)
        return p.elevation + (x < p.station ? gIn : gOut) * (x - p.station);
    const double gm = (l1 * gIn + l2 * gOut) / (l1 + l2);
    const double begin = p.elevation - gIn * l1;
    if (x <= p.station) {
        const double u = x - (p.station - l1);
        return begin + gIn * u + (gm - gIn) * u * u / (2 * l1);
    }
    const double v = x - p.station;
    const double middle = begin + (gIn + gm) / 2 * l1;
    return middle + gm * v + (gOut - gm) * v * v / (2 * l2);
}

// The arc of a radius between two grades, placed about its PVI.
struct PlacedArc {
    PlacedArc(const PviPoint& p, double gIn, double gOut)
        : pvi(p), gradeIn(gIn), gradeOut(gOut), tangents(TangentsOfArc(p.radius, gIn, gOut))
    {
        const double a1 = std::atan(gIn);
        side = gOut > gIn ? 1.0 : -1.0;  // a sag turns up: its centre lies above
        centreX = p.station - tangents.before - side * p.radius * std::sin(a1);
        centreY = p.elevation - gIn * tangents.before + side * p.radius * std::cos(a1);
    }

    // The arc at x; the tangents outside it.
    double At(double x) const
    {
        if (x <= pvi.station - tangents.before || x >= pvi.station + tangents.after)
            return pvi.elevation + (x < pvi.station ? gradeIn : gradeOut) * (x - pvi.station);
        const double dx = x - centreX;
        return centreY - side * std::sqrt(std::max(0.0, pvi.radius * pvi.radius - dx * dx));
    }

    const PviPoint& pvi;
    double gradeIn;
    double gradeOut;
    ArcTangents tangents;
    double side = 1;
    double centreX = 0;
    double centreY = 0;
};

// The worst case of one kind of note: how many, how much and where.
struct Worst {
    int count = 0;
    double value = 0;
    double station = 0;

    void Add(double v, double at)
    {
        ++count;
        if (count == 1 || v > value) {
            value = v;
            station = at;
        }
    }
};

std::string Curves(int count)
{
    return count == 1 ? "1 circular curve was" : std::to_string(count) + " circular curves were";
}

}  // namespace

ArcTangents TangentsOfArc(double radius, double gradeIn, double gradeOut)
{
    const double a1 = std::atan(gradeIn);
    const double a2 = std::atan(gradeOut);
    const double turn = std::fabs(a2 - a1);
    const double tangent = radius * std::tan(turn / 2);
    const double before = tangent * std::cos(a1);
    const double after = tangent * std::cos(a2);
    return {before, after, radius * turn, before + after};
}

double CircularCurveDeviation(const PviPoint& p, double gIn, double gOut)
{
    if (!(p.radius > 0) || gIn == gOut)
        return 0;
    const PlacedArc arc(p, gIn, gOut);
    const double from = std::min(p.station - p.lengthIn, p.station - arc.tangents.before);
    const double to = std::max(p.station + p.lengthOut, p.station + arc.tangents.after);
    constexpr int Steps = 2000;
    double largest = 0;
    for (int k = 0; k <= Steps; ++k) {
        const double x = from + (to - from) * k / Steps;
        largest = std::max(largest, std::fabs(arc.At(x) - Parabola(p, gIn, gOut, x)));
    }
    return largest;
}

std::vector<std::string> PlaceCircularCurves(std::vector<PviPoint>& points, double tolerance)
{
    Worst deviation;
    Worst length;
    for (std::size_t i = 1; i + 1 < points.size(); ++i) {
        PviPoint& p = points[i];
        if (p.kind != PviKind::Circ)
            continue;
        const double gIn =
            Grade(points[i - 1].station, points[i - 1].elevation, p.station, p.elevation);
        const double gOut =
            Grade(p.station, p.elevation, points[i + 1].station, points[i + 1].elevation);
        const double written = p.lengthIn + p.lengthOut;
        const double turn = std::fabs(std::atan(gOut) - std::atan(gIn));
        // Some programs sign the radius of a crest; the grades tell crest from sag.
        p.radius = std::fabs(p.radius);
        if (!(p.radius > 0))
            p.radius = turn > 0 ? written / turn : 0;
        const ArcTangents t = TangentsOfArc(p.radius, gIn, gOut);
        if (!std::isfinite(t.before) || !std::isfinite(t.after))
            continue;  // the point check refuses such values
        const double off =
            std::min(std::fabs(written - t.arcLength), std::fabs(written - t.horizontalLength));
        if (off > tolerance)
            length.Add(off, p.station);
        p.lengthIn = t.before;
        p.lengthOut = t.after;
        deviation.Add(CircularCurveDeviation(p, gIn, gOut), p.station);
    }
    std::vector<std::string> notes;
    if (deviation.count > 0)
        notes.push_back(Curves(deviation.count) +
                        " placed from radius and grades as parabolas through the arcs' tangent "
                        "points; their elevations differ from the arcs by at most " +
                        Millimetres(deviation.value) + " (at station " +
                        Shortest(deviation.station) + ").");
    if (length.count > 0)
        notes.push_back(Curves(length.count) +
                        " written with a length that is neither the arc length nor the "
                        "horizontal length; the length was not used, the largest difference is " +
                        Millimetres(length.value) + " (at station " + Shortest(length.station) +
                        ").");
    return notes;
}

}  // namespace ravo
