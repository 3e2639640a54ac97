// Circular vertical curves (LandXML's CircCurve) placed from their radius and
// grades, as the unsymmetric parabola through the arc's own tangent points.
#pragma once

#include <string>
#include <vector>

#include "core/formats/pvi_mapping.h"

namespace ravo {

// Where an arc of the radius between the grades touches them, as horizontal
// distances before and after its PVI: R tan(D/2) cos(t1) and R tan(D/2) cos(t2),
// with t = atan(grade) and D = |t2 - t1|. Both 0 when the grades are equal.
struct ArcTangents {
    double before = 0;
    double after = 0;
    double arcLength = 0;         // R D
    double horizontalLength = 0;  // before + after
};
ArcTangents TangentsOfArc(double radius, double gradeIn, double gradeOut);

// The largest elevation difference between the arc of the point's radius and
// the parabola of its lengths (two rows meeting at the PVI with the common
// grade when the lengths differ); grades before and after given. 0 for a point
// without a radius.
double CircularCurveDeviation(const PviPoint& point, double gradeIn, double gradeOut);

// Gives every circular curve between two points the lengths of its arc's
// tangent points. Its written length (lengthIn + lengthOut on entry) is a
// check only: a curve without a radius takes it as the arc length; a negative
// radius counts as its size. Returns
// the notes, one per kind with the count and the worst case: how far the
// parabolas lie from their arcs, and the lengths that agree with neither the
// arc length nor the horizontal length within the tolerance.
std::vector<std::string> PlaceCircularCurves(std::vector<PviPoint>& points, double tolerance);

}  // namespace ravo
