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
#include <atomic>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>
#include <thread>
#include <utility>

#include "core/formats/rows_to_pvi.h"
#include "core/profile/elevation.h"
#include "core/text/numbers.h"

namespace ravo::rows_to_pvi {
namespace {

using exact::ExactWindow;
using exact::RoundingRoom;
using exact::Window;

// A grade is found from two elevations, whose own double rounding weighs more
// over a short run: grades are kept a little further inside their rounding.
constexpr double GradeShare = 0.499;

// A row whose stored start elevation the reader computes from the point's
// elevation z as start(z) reads back right when z lies in this window; `near`
// gives about that start.
template <class Start>
void RowBegins(Draft& draft, float stored, double near, const Start& start)
{
    draft.elevation =
        draft.elevation.And(ExactWindow(stored, near, 1, RoundingRoom(stored), start));
}

// A point with the elevation the rows give it, and its draft.
Draft& Add(Plan& plan, double station, float gradeOut, double target, PviKind kind = PviKind::Pvi,
           double lengthIn = 0, double lengthOut = 0)
{
    plan.points.push_back({.station = station,
                           .elevation = target,
                           .lengthIn = lengthIn,
                           .lengthOut = lengthOut,
                           .kind = kind});
    plan.drafts.push_back({.gradeOut = gradeOut});
    return plan.drafts.back();
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

// How many points AddDrafts makes of rows [from, to), so that their list is
// made once: a point where the grade changes between rows, one a curve and
// one a pair of rows that form an unsymmetric curve.
std::size_t DraftCount(const CurveRows& rows, const std::vector<bool>& keepApart, std::size_t from,
                       std::size_t to)
{
    std::size_t count = 0;
    for (std::size_t k = from; k < to; ++k) {
        count += k > 0 && rows[k - 1].rate2 != rows[k].rate1 ? 1u : 0u;
        if (!IsCurve(rows[k]))
            continue;
        ++count;
        if (k + 1 < rows.size() && !keepApart[k] && FormUnsymmetricCurve(rows[k], rows[k + 1]))
            ++k;
    }
    return count;
}

// Adds the points of rows [from, to) but the last row's end to the plan.
// keepApart[k]: rows k and k + 1 are written as two curves even when they
// form an unsymmetric one. A straight row belongs to the point before it,
// so `from` is 0 or a curve row.
void AddDrafts(const CurveRows& rows, const std::vector<bool>& keepApart, std::size_t from,
               std::size_t to, Plan& plan)
{
    for (std::size_t k = from; k < to; ++k) {
        const SegmentRow& r = rows[k];
        if (k > 0 && rows[k - 1].rate2 != r.rate1)
            Add(plan, r.station1, r.rate1, r.start);
        if (!IsCurve(r)) {
            // The point's lengthOut where the row begins at its curve's end,
            // as the reader has it; farther along a straight split in rows.
            const double out = r.station1 - plan.points.back().station;
            RowBegins(plan.drafts.back(), r.start, r.start - r.rate1 * out,
                      [&](double z) { return StraightStart(z, r.rate1, out); });
            continue;
        }
        const double l1 = LengthOf(r);
        if (k + 1 < rows.size() && !keepApart[k] && FormUnsymmetricCurve(r, rows[k + 1])) {
            const SegmentRow& second = rows[++k];
            plan.unsymmetric = true;
            Draft& d = Add(plan, r.station2, second.rate2, r.start + r.rate1 * l1, PviKind::Unsym,
                           l1, LengthOf(second));
            const double g1 = r.rate1;
            const double gm = r.rate2;
            RowBegins(d, r.start, r.start + g1 * l1,
                      [&](double z) { return CurveStart(z, g1, l1); });
            RowBegins(d, second.start, second.start - (gm - g1) / 2 * l1, [&](double z) {
                return SecondCurveStart(CurveStart(z, g1, l1), g1, gm, l1);
            });
            continue;
        }
        const double half = l1 / 2;
        RowBegins(Add(plan, r.station1 + half, r.rate2, r.start + r.rate1 * half, PviKind::Para,
                      half, half),
                  r.start, r.start + r.rate1 * half,
                  [&](double z) { return CurveStart(z, r.rate1, half); });
    }
}

// A long profile's rows are drafted in two halves at once, which meet at a
// curve row after a straight one: no pair and no straight row's point lies
// across it. 0 where there is none in the second half.
constexpr std::size_t RowsDraftedInHalves = std::size_t{1} << 16;

std::size_t HalfwayRow(const CurveRows& rows)
{
    for (std::size_t k = rows.size() / 2; k < rows.size(); ++k) {
        if (IsCurve(rows[k]) && !IsCurve(rows[k - 1]))
            return k;
    }
    return 0;
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
// backwards first, and kept in each point's own draft; Plan::Choose then
// chooses each elevation forwards within them. Where no choice fits (rows
// that disagree within the tolerances) the rows' elevations win over the
// grade, so that differences do not add up. This for the points before
// `end`, whose followers have their room already.
void LeaveRoomForward(Plan& plan, std::size_t end)
{
    std::vector<RowPoint>& points = plan.points;
    std::vector<Draft>& drafts = plan.drafts;
    for (std::size_t i = end; i-- > 0;) {
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
}

void AddLastPoint(const CurveRows& rows, Plan& plan)
{
    const SegmentRow& last = rows.back();
    Add(plan, last.station2, last.rate2, RowValue(last, last.station2));
}

// The plan of the rows, each point's window leaving room for those after it.
// The second half of a long profile is drafted, and its room left, on a
// second thread; the first half's room then reaches back from it.
Plan Drafts(const CurveRows& rows, const std::vector<bool>& keepApart)
{
    const std::size_t size = rows.size();
    const std::size_t half = size >= RowsDraftedInHalves ? HalfwayRow(rows) : 0;
    Plan second;
    std::exception_ptr failed;
    constexpr std::size_t NotCounted = 0;  // a half always has its last point
    std::atomic<std::size_t> secondCount = NotCounted;
    std::jthread helper;
    if (half > 0) {
        helper = std::jthread([&] {
            secondCount = DraftCount(rows, keepApart, half, size) + 1;
            secondCount.notify_one();
            try {
                second.points.reserve(secondCount);
                second.drafts.reserve(secondCount);
                AddDrafts(rows, keepApart, half, size, second);
                AddLastPoint(rows, second);
                LeaveRoomForward(second, second.drafts.size());
            } catch (...) {
                failed = std::current_exception();
            }
        });
    }
    const std::size_t firstEnd = half > 0 ? half : size;
    // The first point, the first half's, and the second half's with the last.
    std::size_t count = 1 + DraftCount(rows, keepApart, 0, firstEnd);
    if (half > 0) {
        secondCount.wait(NotCounted);
        count += secondCount;
    } else {
        count += 1;
    }
    Plan plan;
    plan.points.reserve(count);
    plan.drafts.reserve(count);
    Add(plan, rows.front().station1, rows.front().rate1, rows.front().start);
    AddDrafts(rows, keepApart, 0, firstEnd, plan);
    const std::size_t firstHalf = plan.drafts.size();
    if (half > 0) {
        helper.join();
        if (failed)
            std::rethrow_exception(failed);
        plan.points.insert(plan.points.end(), second.points.begin(), second.points.end());
        plan.drafts.insert(plan.drafts.end(), second.drafts.begin(), second.drafts.end());
        plan.unsymmetric = plan.unsymmetric || second.unsymmetric;
    } else {
        AddLastPoint(rows, plan);
    }
    LeaveRoomForward(plan, half > 0 ? firstHalf : plan.drafts.size());
    return plan;
}

}  // namespace

void Plan::Choose(std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i < to; ++i) {
        Window chosen = drafts[i].elevation;
        if (i > 0) {
            const Window next = NextElevations(drafts[i - 1], points[i - 1], points[i]);
            if (!chosen.And(next).Empty())
                chosen = chosen.And(next);
        }
        points[i].elevation = Simplest(chosen, points[i].elevation);
    }
}

Plan PlanRowPoints(const CurveRows& rows, const ProfileState& state, const Tolerances& tolerances)
{
    RefuseBrokenProfile(state, rows, tolerances);
    std::vector<bool> keepApart(rows.size(), false);
    int passes = 0;
    while (true) {
        Plan plan = Drafts(rows, keepApart);
        // Without a pair written as one curve there is none to keep apart, and
        // reading the points back would only cost the time and memory of rows.
        if (!plan.unsymmetric)
            return plan;
        // The drafts go before the points are read back, so that the two
        // never share the memory.
        plan.Choose(0, plan.points.size());
        plan.drafts = std::vector<Draft>();
        // An unsymmetric curve is read back through grades found anew from the
        // elevations; where its common grade then rounds otherwise, or its
        // windows leave no elevation for the points before it, its two rows
        // are written as two curves, which always read back exactly.
        const std::optional<std::size_t> pair = FirstChangedPair(rows, plan.points, keepApart);
        if (!pair)
            return plan;
        KeepApart(rows, *pair, passes++, keepApart);
    }
}

}  // namespace ravo::rows_to_pvi
