// The rows-to-points mapping's own parts, shared by its sources: the plan of
// points with the windows their elevations are chosen in, and the read-back.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "core/formats/curve_rows.h"
#include "core/formats/exact_window.h"
#include "core/formats/pvi_mapping.h"

namespace ravo::rows_to_pvi {

inline bool IsCurve(const SegmentRow& r) { return r.rate1 != r.rate2; }

inline double LengthOf(const SegmentRow& r) { return static_cast<double>(r.station2) - r.station1; }

// Two curve rows that meet with the common grade of an unsymmetric curve, as
// the reader computes it from their float grades.
inline bool FormUnsymmetricCurve(const SegmentRow& a, const SegmentRow& b)
{
    if (!IsCurve(a) || !IsCurve(b) || a.station2 != b.station1 || a.rate2 != b.rate1)
        return false;
    const double la = LengthOf(a);
    const double lb = LengthOf(b);
    const double common = (la * a.rate1 + lb * b.rate2) / (la + lb);
    return static_cast<float>(common) == a.rate2;
}

// What choosing a point's elevation takes beyond the point itself, which
// holds the elevation the rows give it until the choice: a long profile's
// drafts take about a quarter of the memory of its points.
struct Draft {
    exact::Window elevation{};  // where the rows beginning here read back right:
                                // all elevations where none begins
    float gradeOut = 0;         // the rows' grade towards the next point
};

// The points of the rows, each elevation chosen in station order within the
// windows of its draft once the ones before it are.
class Plan {
public:
    std::vector<RowPoint> points;
    std::vector<Draft> drafts;  // none once every elevation is chosen
    bool unsymmetric = false;   // whether two rows are written as one curve

    // Chooses the elevations of points [from, to); those before are chosen.
    void Choose(std::size_t from, std::size_t to);
};

// The first pair of rows written as one unsymmetric curve that may keep the
// points from reading back as the same rows; none when all read back.
std::optional<std::size_t> FirstChangedPair(const CurveRows& rows,
                                            const std::vector<RowPoint>& points,
                                            const std::vector<bool>& keepApart);

// Keeps apart the pair that may keep the points from reading back, on the
// pass-th pass, and on later passes the pairs after it too.
void KeepApart(const CurveRows& rows, std::size_t pair, int pass, std::vector<bool>& keepApart);

// The plan of the profile's rows, its elevations chosen where the points had
// to be read back to find which unsymmetric pairs read back, else still to be
// chosen. Throws ProfileNotContinuousError as RowPointStream does.
Plan PlanRowPoints(const CurveRows& rows, const ProfileState& state, const Tolerances& tolerances);

}  // namespace ravo::rows_to_pvi
