// Rows to points. The points are written as text and read back through
// RowsFromPoints, which finds each grade from the elevations of two points; a
// PVI elevation taken naively from one float row would make those grades
// differ from the rows' own in their last bits. So each elevation is chosen
// within two kinds of windows: the one in which the grade from the point
// before rounds to the row's float grade, and the ones in which every row
// that begins from this point rounds back to its float elevation (the reader
// computes elevations from the float grades, so these do not depend on the
// choice within the grade windows).
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "core/formats/curve_rows.h"
#include "core/formats/exact_window.h"
#include "core/formats/pvi_mapping.h"
#include "core/profile/elevation.h"
#include "core/text/numbers.h"

namespace ravo {
namespace {

using exact::ExactWindow;
using exact::RoundingRoom;
using exact::Window;

// A grade is found from two elevations, whose own double rounding weighs more
// over a short run: grades are kept a little further inside their rounding.
constexpr double GradeShare = 0.499;

// What choosing a point's elevation takes beyond the point itself, which
// holds the elevation the rows give it until the choice: a long profile's
// drafts take about a quarter of the memory of its points.
struct Draft {
    Window elevation{};  // where the rows beginning here read back right: all
                         // elevations where none begins
    float gradeOut = 0;  // the rows' grade towards the next point

    // A row whose stored start elevation the reader computes from this
    // point's elevation z as start(z) reads back right when z lies in this
    // window; `near` gives about that start.
    template <class Start>
    void RowBegins(float stored, double near, const Start& start)
    {
        const Window w = ExactWindow(stored, near, 1, RoundingRoom(stored), start);
        elevation = elevation.And(w);
    }
};

// The points with the elevations the rows give them, and their drafts.
struct Plan {
    std::vector<RowPoint> points;
    std::vector<Draft> drafts;
    bool unsymmetric = false;  // whether two rows are written as one curve

    Draft& Add(double station, float gradeOut, double target, PviKind kind = PviKind::Pvi,
               double lengthIn = 0, double lengthOut = 0)
    {
        points.push_back({.station = station,
                          .elevation = target,
                          .lengthIn = lengthIn,
                          .lengthOut = lengthOut,
                          .kind = kind});
        drafts.push_back({.gradeOut = gradeOut});
        return drafts.back();
    }
};

bool IsCurve(const SegmentRow& r) { return r.rate1 != r.rate2; }

double LengthOf(const SegmentRow& r) { return static_cast<double>(r.station2) - r.station1; }

// Two curve rows that meet with the common grade of an unsymmetric curve, as
// the reader computes it from their float grades.
bool FormUnsymmetricCurve(const SegmentRow& a, const SegmentRow& b)
{
    if (!IsCurve(a) || !IsCurve(b) || a.station2 != b.station1 || a.rate2 != b.rate1)
        return false;
    const double la = LengthOf(a);
    const double lb = LengthOf(b);
    const double common = (la * a.rate1 + lb * b.rate2) / (la + lb);
    return static_cast<float>(common) == a.rate2;
}

// Rows that each run forward and begin where the one before ends, at an
// elevation within the tolerance of its end: nothing the profile check would
// find in them but changes of grade, found in place with the check's own
// comparisons. Rows that are not so go through the whole check, which names
// their faults.
bool JoinEndToEnd(const CurveRows& rows, double tolerance)
{
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const SegmentRow r = rows[k];
        if (!(r.station2 > r.station1))
            return false;
        if (k == 0)
            continue;
        const SegmentRow before = rows[k - 1];
        if (r.station1 != before.station2 ||
            !(std::fabs(r.start - RowValue(before, before.station2)) <= tolerance))
            return false;
    }
    return rows.size() > 0;
}

void RefuseBrokenProfile(const ProfileState& state, const CurveRows& rows,
                         const Tolerances& tolerances)
{
    if (state.NumVC >= 1 && JoinEndToEnd(rows, tolerances.elevation))
        return;
    std::vector<Fault> faults = CheckProfile(state, tolerances);
    // A change of grade where two rows meet is a PVI without a curve.
    std::erase_if(faults, [](const Fault& f) {
        return f.rows != SegmentKind::VerticalCurve || f.kind == FaultKind::GradeStep;
    });
    if (!faults.empty())
        throw ProfileNotContinuousError(std::move(faults));
}

// How many points Drafts makes of the rows, so that their list is made once:
// the two ends, a point where the grade changes between rows, one a curve and
// one a pair of rows that form an unsymmetric curve.
std::size_t DraftCount(const CurveRows& rows, const std::vector<bool>& keepApart)
{
    std::size_t count = 2;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        count += k > 0 && rows[k - 1].rate2 != rows[k].rate1 ? 1u : 0u;
        if (!IsCurve(rows[k]))
            continue;
        ++count;
        if (k + 1 < rows.size() && !keepApart[k] && FormUnsymmetricCurve(rows[k], rows[k + 1]))
            ++k;
    }
    return count;
}

// keepApart[k]: rows k and k + 1 are written as two curves even when they
// form an unsymmetric one.
Plan Drafts(const CurveRows& rows, const std::vector<bool>& keepApart)
{
    Plan plan;
    const std::size_t count = DraftCount(rows, keepApart);
    plan.points.reserve(count);
    plan.drafts.reserve(count);
    plan.Add(rows.front().station1, rows.front().rate1, rows.front().start);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const SegmentRow& r = rows[k];
        if (k > 0 && rows[k - 1].rate2 != r.rate1)
            plan.Add(r.station1, r.rate1, r.start);
        if (!IsCurve(r)) {
            // The point's lengthOut where the row begins at its curve's end,
            // as the reader has it; farther along a straight split in rows.
            const double out = r.station1 - plan.points.back().station;
            plan.drafts.back().RowBegins(r.start, r.start - r.rate1 * out,
                                         [&](double z) { return StraightStart(z, r.rate1, out); });
            continue;
        }
        const double l1 = LengthOf(r);
        if (k + 1 < rows.size() && !keepApart[k] && FormUnsymmetricCurve(r, rows[k + 1])) {
            const SegmentRow& second = rows[++k];
            plan.unsymmetric = true;
            Draft& d = plan.Add(r.station2, second.rate2, r.start + r.rate1 * l1, PviKind::Unsym,
                                l1, LengthOf(second));
            const double g1 = r.rate1;
            const double gm = r.rate2;
            d.RowBegins(r.start, r.start + g1 * l1,
                        [&](double z) { return CurveStart(z, g1, l1); });
            d.RowBegins(second.start, second.start - (gm - g1) / 2 * l1, [&](double z) {
                return SecondCurveStart(CurveStart(z, g1, l1), g1, gm, l1);
            });
            continue;
        }
        const double half = l1 / 2;
        plan.Add(r.station1 + half, r.rate2, r.start + r.rate1 * half, PviKind::Para, half, half)
            .RowBegins(r.start, r.start + r.rate1 * half,
                       [&](double z) { return CurveStart(z, r.rate1, half); });
    }
    const SegmentRow& last = rows.back();
    plan.Add(last.station2, last.rate2, RowValue(last, last.station2));
    return plan;
}

// How far the next point's elevation may stray from the rows' grade over the
// run between them, conservatively, for the grade to round to the rows'.
double GradeRoom(const Draft& from, double run)
{
    return from.gradeOut == 0 ? 0 : RoundingRoom(from.gradeOut, GradeShare) * run;
}

// How far the next point may lie above this one for the grade between them to
// round to the rows' grade.
Window GradeStep(const Draft& from, double run)
{
    const double room = GradeRoom(from, run);
    const double rise = from.gradeOut * run;
    return {rise - room, rise + room};
}

// Where the next point may lie, once this one's elevation is chosen, for the
// grade that the reader finds between them to round to the rows' grade.
Window NextElevations(const Draft& from, const RowPoint& p0, const RowPoint& p1)
{
    const double z0 = p0.elevation;
    const double s0 = p0.station;
    const double s1 = p1.station;
    const double run = s1 - s0;
    return ExactWindow(from.gradeOut, z0 + from.gradeOut * run, run, GradeRoom(from, run),
                       [&](double z1) { return Grade(s0, z0, s1, z1); });
}

// The number with the fewest decimals in the window, nearest the target among
// those: a designer's 265 rather than the 264.99999993 of float grades.
double Simplest(const Window& w, double target)
{
    // Rows that disagree within the tolerances: halfway between what they
    // ask, so that none moves by more than half the disagreement.
    if (w.Empty())
        return (w.low + w.high) / 2;
    double scale = 1;
    for (int decimals = 0; decimals <= 12; ++decimals, scale *= 10) {
        // No whole number lies between the ends exactly when the floor of the
        // higher lies below the lower, which spares a ceil where none does.
        const double high = std::floor(w.high * scale);
        if (high < w.low * scale)
            continue;
        const double low = std::ceil(w.low * scale);
        const double value = std::clamp(std::round(target * scale), low, high) / scale;
        if (value >= w.low && value <= w.high)
            return value;
    }
    return w.Clamp(target);
}

// The grade windows tie every elevation to the next, so a point's elevation
// must leave room for the windows of all points after it: these are found
// backwards first, then each elevation is chosen forwards within them. Where
// no choice fits (rows that disagree within the tolerances) the rows'
// elevations win over the grade, so that differences do not add up. The
// backward pass keeps each point's window in its own draft.
void ChooseElevations(Plan& plan)
{
    std::vector<RowPoint>& points = plan.points;
    std::vector<Draft>& drafts = plan.drafts;
    for (std::size_t i = drafts.size(); i-- > 0;) {
        const Window own = drafts[i].elevation;
        Window feasible = own;
        if (i + 1 < drafts.size()) {
            const Window step = GradeStep(drafts[i], points[i + 1].station - points[i].station);
            const Window& after = drafts[i + 1].elevation;
            const Window reach = {after.low - step.high, after.high - step.low};
            feasible = own.And(reach).Empty() ? own : own.And(reach);
        }
        drafts[i].elevation = feasible;
    }
    for (std::size_t i = 0; i < drafts.size(); ++i) {
        Window chosen = drafts[i].elevation;
        if (i > 0) {
            const Window next = NextElevations(drafts[i - 1], points[i - 1], points[i]);
            if (!chosen.And(next).Empty())
                chosen = chosen.And(next);
        }
        points[i].elevation = Simplest(chosen, points[i].elevation);
    }
}

// The first pair of rows from `from` on that is written as one unsymmetric
// curve.
std::optional<std::size_t> FirstUnsymmetricPair(const CurveRows& rows,
                                                const std::vector<bool>& keepApart,
                                                std::size_t from)
{
    for (std::size_t k = from; k + 1 < rows.size(); ++k) {
        if (!keepApart[k] && FormUnsymmetricCurve(rows[k], rows[k + 1]))
            return k;
    }
    return std::nullopt;
}

// The row k of `size` rows with the straight rows of its grade that follow it
// end to end joined to it, as a profile's points give them back: a point is
// written only where something changes. `next` is the row after them.
template <class RowAt>
SegmentRow JoinedRow(const RowAt& rowAt, std::size_t size, std::size_t k, std::size_t& next)
{
    SegmentRow joined = rowAt(k);
    for (next = k + 1; next < size && !IsCurve(joined); ++next) {
        const SegmentRow r = rowAt(next);
        if (IsCurve(r) || r.rate1 != joined.rate1 || r.station1 != joined.station2)
            break;
        joined.station2 = r.station2;
    }
    return joined;
}

// The first pair of rows written as one unsymmetric curve that may keep the
// points from reading back as the same rows: at or after the first row that
// differs, counting the pair whose own rows or following straight row it is;
// none when all read back. An unsymmetric curve's elevation windows are
// narrower than those of two curves, and the grade windows carry that
// narrowness back to the points before it, so a row well before the pair may
// be the one that differs. Straight rows of one grade that meet are compared
// joined, as they read back: keeping pairs apart cannot part them again.
std::optional<std::size_t> FirstChangedPair(const CurveRows& rows,
                                            const std::vector<RowPoint>& points,
                                            const std::vector<bool>& keepApart)
{
    InputProfile back;
    try {
        back = RowsFromPoints(points, "");
    } catch (const InputFileError&) {
        // read back as no rows: every row differs
    }
    const auto ours = [&rows](std::size_t k) { return rows[k]; };
    const auto theirs = [&back](std::size_t k) {
        return SegmentRow{back.curves[0][k + 1], back.curves[1][k + 1], back.curves[2][k + 1],
                          back.curves[3][k + 1], back.curves[4][k + 1]};
    };
    const auto backSize = static_cast<std::size_t>(back.numVC);
    std::size_t first = 0;
    std::size_t other = 0;
    while (first < rows.size() && other < backSize) {
        std::size_t firstNext = 0;
        std::size_t otherNext = 0;
        if (!(JoinedRow(ours, rows.size(), first, firstNext) ==
              JoinedRow(theirs, backSize, other, otherNext)))
            break;
        first = firstNext;
        other = otherNext;
    }
    if (first == rows.size() && other == backSize)
        return std::nullopt;
    return FirstUnsymmetricPair(rows, keepApart, first < 2 ? 0 : first - 2);
}

// Keeps apart the pair that may keep the points from reading back, and on a
// later pass the pairs after it too. A difference that no pair causes (rows
// that disagree within the tolerances, which no points give back) sends every
// pair after it apart, one a pass, and keeping one pair apart can leave the
// next unable to read back. After a few passes each keeps apart twice as many
// pairs as the one before, so that such a profile is read a few dozen times
// rather than once a pair.
void KeepApart(const CurveRows& rows, std::size_t pair, int pass, std::vector<bool>& keepApart)
{
    constexpr int PassesOfOnePair = 8;
    const std::size_t count =
        pass < PassesOfOnePair ? 1 : std::size_t{1} << std::min(pass - PassesOfOnePair + 1, 40);
    std::optional<std::size_t> next = pair;
    for (std::size_t i = 0; i < count && next; ++i) {
        keepApart[*next] = true;
        next = FirstUnsymmetricPair(rows, keepApart, *next + 2);
    }
}

}  // namespace

std::vector<RowPoint> RowPointsFromRows(const ProfileState& state, const Tolerances& tolerances)
{
    const CurveRows rows(state);
    RefuseBrokenProfile(state, rows, tolerances);
    std::vector<bool> keepApart(rows.size(), false);
    int passes = 0;
    while (true) {
        std::vector<RowPoint> points;
        bool unsymmetric = false;
        {
            // The drafts go before the points are read back, so that the two
            // never share the memory.
            Plan plan = Drafts(rows, keepApart);
            ChooseElevations(plan);
            points = std::move(plan.points);
            unsymmetric = plan.unsymmetric;
        }
        // Without a pair written as one curve there is none to keep apart, and
        // reading the points back would only cost the time and memory of rows.
        if (!unsymmetric)
            return points;
        // An unsymmetric curve is read back through grades found anew from the
        // elevations; where its common grade then rounds otherwise, or its
        // windows leave no elevation for the points before it, its two rows
        // are written as two curves, which always read back exactly.
        const std::optional<std::size_t> pair = FirstChangedPair(rows, points, keepApart);
        if (!pair)
            return points;
        KeepApart(rows, *pair, passes++, keepApart);
    }
}

}  // namespace ravo
