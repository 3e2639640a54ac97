// The faults of a profile: rows that apply nowhere, overlaps, gaps and joints that do not match.
#include "core/design/profile_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "core/design/curve_summary.h"
#include "core/profile/elevation.h"
#include "core/text/numbers.h"
#include "core/text/station_notation.h"

namespace ravo {
namespace {

struct NumberedRow {
    std::int32_t row;
    SegmentRow values;
};

std::vector<NumberedRow> RowsOf(const ProfileState& state, SegmentKind kind)
{
    std::vector<NumberedRow> rows;
    rows.reserve(RowsEnd(TablesOf(state, kind), CountOf(state, kind)) - 1);
    ForEachRow(state, kind, [&](std::int32_t row, const SegmentRow& values) {
        rows.push_back({row, values});
    });
    return rows;
}

void CheckExtents(const std::vector<NumberedRow>& rows, SegmentKind kind,
                  std::vector<Fault>& faults)
{
    for (const NumberedRow& r : rows) {
        const RowExtent extent = ExtentOf(r.values);
        if (extent == RowExtent::ZeroLength)
            faults.push_back({.kind = FaultKind::ZeroLength,
                              .rows = kind,
                              .first = r.row,
                              .from = r.values.station1});
        else if (extent == RowExtent::Reversed)
            faults.push_back({.kind = FaultKind::Reversed,
                              .rows = kind,
                              .first = r.row,
                              .from = r.values.station1,
                              .to = r.values.station2});
    }
}

// The rows that apply to a stretch of road, in station order: the others are
// taken out of the rows in place, so that the rows are not held twice.
std::vector<NumberedRow> AlongTheRoad(std::vector<NumberedRow> along)
{
    std::erase_if(along,
                  [](const NumberedRow& r) { return ExtentOf(r.values) != RowExtent::Normal; });
    const auto byStation = [](const NumberedRow& a, const NumberedRow& b) {
        return a.values.station1 < b.values.station1;
    };
    // Rows mostly come in station order already, and sorting them would take
    // a buffer as large as the rows.
    if (!std::is_sorted(along.begin(), along.end(), byStation))
        std::stable_sort(along.begin(), along.end(), byStation);
    return along;
}

// Every pair of rows that share a stretch of positive length. In station order
// the rows after a row that begin before its end are exactly those that it
// overlaps.
void CheckOverlaps(const std::vector<NumberedRow>& along, SegmentKind kind,
                   std::vector<Fault>& faults)
{
    std::size_t listed = 0;
    for (std::size_t i = 0; i < along.size(); ++i) {
        const NumberedRow& a = along[i];
        for (std::size_t j = i + 1;
             j < along.size() && along[j].values.station1 < a.values.station2; ++j) {
            if (listed++ == MaxListedOverlaps) {
                faults.push_back({.kind = FaultKind::MoreOverlaps, .rows = kind});
                return;
            }
            const NumberedRow& b = along[j];
            faults.push_back({.kind = FaultKind::Overlap,
                              .rows = kind,
                              .first = std::min(a.row, b.row),
                              .second = std::max(a.row, b.row),
                              .from = b.values.station1,
                              .to = std::min(a.values.station2, b.values.station2)});
        }
    }
}

void AddStepWhenBeyond(FaultKind kind, double before, double after, double tolerance,
                       const Fault& joint, std::vector<Fault>& faults)
{
    if (std::fabs(after - before) <= tolerance)
        return;
    Fault step = joint;
    step.kind = kind;
    step.before = before;
    step.after = after;
    faults.push_back(step);
}

void CheckJoint(const NumberedRow& a, const NumberedRow& b, SegmentKind kind,
                const Tolerances& tolerances, std::vector<Fault>& faults)
{
    const Fault joint{.rows = kind,
                      .first = a.row,
                      .second = b.row,
                      .from = b.values.station1,
                      .to = b.values.station1};
    const double endValue = RowValue(a.values, a.values.station2);
    if (kind == SegmentKind::Superelevation) {
        AddStepWhenBeyond(FaultKind::SuperStep, endValue, b.values.start, tolerances.grade, joint,
                          faults);
        return;
    }
    AddStepWhenBeyond(FaultKind::ElevationStep, endValue, b.values.start, tolerances.elevation,
                      joint, faults);
    AddStepWhenBeyond(FaultKind::GradeStep, a.values.rate2, b.values.rate1, tolerances.grade, joint,
                      faults);
}

// Each row against the row before it that reaches farthest along the road: a
// row that begins beyond that reach leaves a gap, one that begins at it forms
// a joint. (A row that begins before it overlaps, see CheckOverlaps.)
void CheckNeighbours(const std::vector<NumberedRow>& along, SegmentKind kind,
                     const Tolerances& tolerances, std::vector<Fault>& faults)
{
    if (along.empty())
        return;
    const NumberedRow* reach = &along.front();
    for (auto r = along.begin() + 1; r != along.end(); ++r) {
        const float end = reach->values.station2;
        if (r->values.station1 > end)
            faults.push_back({.kind = FaultKind::Gap,
                              .rows = kind,
                              .first = reach->row,
                              .second = r->row,
                              .from = end,
                              .to = r->values.station1});
        else if (r->values.station1 == end)
            CheckJoint(*reach, *r, kind, tolerances, faults);
        // On a common end the later row gives the values, so it is the neighbour.
        if (r->values.station2 > end || (r->values.station2 == end && r->row > reach->row))
            reach = &*r;
    }
}

std::string Number(double value) { return SignificantText(value, 7); }

std::string OneRow(const Fault& f)
{
    return KindRowName(f.rows, false) + " " + std::to_string(f.first);
}

std::string TwoRows(const Fault& f)
{
    return KindRowName(f.rows, true) + " " + std::to_string(f.first) + " and " +
           std::to_string(f.second);
}

std::string JointText(const Fault& f, const char* what, bool plus)
{
    return TwoRows(f) + " meet at " + StationText(f.from, plus) + " with " + what + " " +
           Number(f.before) + " and " + Number(f.after) + " (a difference of " +
           Number(f.after - f.before) + ")";
}

}  // namespace

std::vector<Fault> CheckProfile(const ProfileState& state, const Tolerances& tolerances)
{
    std::vector<Fault> faults;
    if (state.NumVC < 1)
        faults.push_back({.kind = FaultKind::NoCurves});
    for (SegmentKind kind : {SegmentKind::VerticalCurve, SegmentKind::Superelevation}) {
        std::vector<NumberedRow> rows = RowsOf(state, kind);
        CheckExtents(rows, kind, faults);
        const std::vector<NumberedRow> along = AlongTheRoad(std::move(rows));
        CheckNeighbours(along, kind, tolerances, faults);
        CheckOverlaps(along, kind, faults);
    }
    return faults;
}

std::string FaultText(const Fault& f, bool plus)
{
    const bool curves = f.rows == SegmentKind::VerticalCurve;
    switch (f.kind) {
    case FaultKind::NoCurves:
        return "no vertical curves: every station has grade elevation 0";
    case FaultKind::ZeroLength:
        return OneRow(f) + ": zero length at station " + StationText(f.from, plus) +
               ", where the elevation is \"Invalid Entry\"";
    case FaultKind::Reversed:
        return OneRow(f) + ": ends at " + StationText(f.to, plus) + ", before it begins at " +
               StationText(f.from, plus) + ", so it applies to no station";
    case FaultKind::Overlap:
        return TwoRows(f) + " overlap from " + StationText(f.from, plus) + " to " +
               StationText(f.to, plus) + "; " + KindRowName(f.rows, false) + " " +
               std::to_string(f.second) + " (the later row) gives the " +
               (curves ? "elevations" : "superelevations") + " there";
    case FaultKind::MoreOverlaps:
        return "further overlapping " + KindRowName(f.rows, true) + " not listed";
    case FaultKind::Gap:
        return "gap between " + TwoRows(f) + " from " + StationText(f.from, plus) + " to " +
               StationText(f.to, plus) + ": " + (curves ? "grade elevation" : "superelevation") +
               " 0 there";
    case FaultKind::ElevationStep:
        return JointText(f, "elevations", plus);
    case FaultKind::GradeStep:
        return JointText(f, "grades", plus);
    case FaultKind::SuperStep:
        return JointText(f, "superelevations", plus);
    }
    return {};
}

std::vector<DesignFault> CheckDesign(const ProfileState& state, const DesignCriteria& criteria)
{
    std::vector<DesignFault> faults;
    const std::optional<DesignMinimums> minimums =
        criteria.speed
            ? std::optional(MinimumsForDesignSpeed(criteria.speed->speed, criteria.speed->units))
            : std::nullopt;
    for (const NumberedRow& r : RowsOf(state, SegmentKind::VerticalCurve)) {
        const CurveSummary c = SummarizeCurve(r.row, r.values);
        if (c.extent != RowExtent::Normal || c.shape == CurveShape::Straight)
            continue;
        const bool crest = c.shape == CurveShape::Crest;
        const std::optional<double> least = minimums ? MinimumK(c, *minimums) : std::nullopt;
        if (least && *c.k < *least)
            faults.push_back({DesignFaultKind::BelowMinimumK, r.row, crest, *c.k, *least});
        if (criteria.minLength && *c.length < *criteria.minLength)
            faults.push_back(
                {DesignFaultKind::TooShort, r.row, crest, *c.length, *criteria.minLength});
    }
    return faults;
}

std::string DesignFaultText(const DesignFault& f, const DesignCriteria& criteria)
{
    const std::string curve =
        "curve " + std::to_string(f.row) + " (" + (f.crest ? "crest" : "sag") + ")";
    if (f.kind == DesignFaultKind::TooShort)
        return curve + ": length " + FormatPattern(f.value, "0.000") + " is shorter than " +
               Number(f.minimum);
    const DesignSpeed speed = criteria.speed.value_or(DesignSpeed{});
    return curve + ": K " + FormatPattern(f.value, "0.000") + " is below the minimum " +
           Number(f.minimum) + " for " + Number(speed.speed) + " " + SpeedUnitName(speed.units);
}

}  // namespace ravo
