// A profile as a designer lays it out: points of vertical intersection (PVIs)
// with the curve about each, and the mapping between such points and Ravo's
// curve rows, both ways.
//
// Points to rows, from points p0 .. pn with grades g(i) = (z(i+1) - z(i)) /
// (s(i+1) - s(i)), each rounded to the float that the rows hold; an inner point i has the lengths
// L1 before and L2 after it (L/2 each for a symmetric curve, 0 for a plain grade break), so its
// curve runs from BVC = s(i) - L1 to EVC = s(i) + L2:
// - a straight row from the previous EVC (or p0) to this BVC, grade g(i-1)
//   twice, left out when it has no length;
// - a symmetric curve: one row (z(i) - g(i-1) L1, g(i-1), g(i), BVC, EVC),
//   exact since a parabola's end tangents meet at its middle;
// - an unsymmetric curve: two rows meeting at s(i) with the common grade
//   gm = (L1 g(i-1) + L2 g(i)) / (L1 + L2);
// - a circular curve: as an unsymmetric one, its lengths those of the arc's
//   tangent points (PlaceCircularCurves);
// - a last straight row to pn.
//
// Rows to points: the curve rows, in station order, must form one continuous
// profile (no overlaps, gaps, zero-length or reversed rows, elevations
// agreeing at the joints). A row whose two grades differ is a symmetric curve
// about its middle; two curve rows that meet with the common grade of an
// unsymmetric curve become one; a joint where the grade changes beyond the
// grade tolerance is a plain PVI; straight rows need no point of their own.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/design/profile_check.h"
#include "core/formats/input_file.h"
#include "core/profile/profile_state.h"

namespace ravo {

enum class PviKind { Pvi, Para, Unsym, Circ };

struct PviPoint {
    double station = 0;
    double elevation = 0;
    double lengthIn = 0;   // curve length before the PVI
    double lengthOut = 0;  // curve length after it
    PviKind kind = PviKind::Pvi;
    std::string desc{};
    double radius = 0;  // a circular curve's radius, when known
    int line = 0;       // where the point stands in its file; 0 when unknown

    bool operator==(const PviPoint&) const = default;
};

// A profile that cannot be written as points. what() lists the faults, one a
// line, as the profile check words them.
class ProfileNotContinuousError : public InputFileError {
public:
    explicit ProfileNotContinuousError(std::vector<Fault> faults);
    const std::vector<Fault>& Faults() const { return faults_; }

private:
    std::vector<Fault> faults_;
};

// The curve rows of the points, as a profile with no segments. Throws
// InputFileError naming the point (and its line, when known) for fewer than two
// points, stations that do not increase, a value that is not finite or lies
// beyond the float range, a negative length, a curve at the first or last
// point, or curves longer than the room between their neighbours.
InputProfile RowsFromPoints(const std::vector<PviPoint>& points, const std::string& title);

// Exporters round stations, so curves that meet in the design may overlap by
// a hair in the file.
inline constexpr double DefaultJointTolerance = 0.001;

// How the joints between curves are taken. A curve that begins no more than
// the tolerance before the previous one ends is snapped to begin where that
// one ends (the parabola cut there, its grade and elevation as they are at
// that station). A larger overlap is refused, or with keepFaults kept in the
// rows as it is, so that a check lists it.
struct JointRules {
    double tolerance = DefaultJointTolerance;
    bool keepFaults = false;
};

struct PointRows {
    InputProfile profile;
    std::vector<std::string> notes;  // the snapped joints: count and largest snap
};

// As RowsFromPoints, by the joint rules.
PointRows RowsFromPoints(const std::vector<PviPoint>& points, const std::string& title,
                         const JointRules& joints);

// Counts the curve rows that points make, point by point as a reader takes
// them, so that a file with more rows than a profile may hold is refused at
// the point that goes beyond the limit, before memory grows with the rest.
// A circular curve counts as written; placed from its radius it may take a
// second row, which RowsFromPoints holds to the limit itself.
class RowCounter {
public:
    explicit RowCounter(std::int64_t limit = MaxSegmentCount) : limit_(limit) {}

    // Throws InputFileError naming the point's line when the rows so far
    // exceed the limit.
    void Add(const PviPoint& point);
    std::int64_t Rows() const { return rows_; }

private:
    std::int64_t limit_;
    std::int64_t rows_ = 0;
    bool first_ = true;
    double reach_ = 0;  // where the previous point's curve ends
};

// How RowsFromPoints finds grades and the elevations where rows begin. A
// writer that must reproduce the rows exactly evaluates the same arithmetic.
// The grade between two points.
inline double Grade(double station1, double elevation1, double station2, double elevation2)
{
    return (elevation2 - elevation1) / (station2 - station1);
}
// A straight row `lengthOut` beyond the point (the end of its curve).
inline double StraightStart(double elevation, double grade, double lengthOut)
{
    return elevation + grade * lengthOut;
}
// A curve row at the BVC, `lengthIn` before its PVI.
inline double CurveStart(double elevation, double gradeIn, double lengthIn)
{
    return elevation - gradeIn * lengthIn;
}
// The second row of an unsymmetric curve, at its PVI, from the first row's start.
inline double SecondCurveStart(double curveStart, double gradeIn, double commonGrade,
                               double lengthIn)
{
    return curveStart + (gradeIn + commonGrade) / 2 * lengthIn;
}

// A point found from curve rows, with only what the exports write of it: a
// long profile's points take less than half the memory of PviPoints.
struct RowPoint {
    double station = 0;
    double elevation = 0;
    double lengthIn = 0;
    double lengthOut = 0;
    PviKind kind = PviKind::Pvi;
};

// As RowsFromPoints above, without copying the points into PviPoints.
InputProfile RowsFromPoints(const std::vector<RowPoint>& points, const std::string& title);

// The texts one after the other. Messages are built with it rather than with
// a literal + a temporary string, which GCC 12 misreads in optimised builds.
std::string Joined(std::initializer_list<std::string_view> parts);

}  // namespace ravo
