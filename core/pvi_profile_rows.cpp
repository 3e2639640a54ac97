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

#include "elevation.h"
#include "pvi_profile.h"

namespace ravo {
namespace {

struct Window {
    double low = -std::numeric_limits<double>::infinity();
    double high = std::numeric_limits<double>::infinity();

    bool Empty() const { return low > high; }
    Window And(const Window& other) const
    {
        return {std::max(low, other.low), std::min(high, other.high)};
    }
    double Clamp(double value) const { return std::clamp(value, low, high); }
};

// Values within this distance of a float round to it, with room to spare for
// the double arithmetic of the reader.
double RoundingRoom(float value, double share = 0.499999)
{
    const float up = std::nextafter(value, std::numeric_limits<float>::infinity()) - value;
    const float down = value - std::nextafter(value, -std::numeric_limits<float>::infinity());
    return share * std::min(static_cast<double>(up), static_cast<double>(down));
}

// A grade is found from two elevations, whose own double rounding weighs more
// over a short run: grades are kept a little further inside their rounding.
constexpr double GradeShare = 0.499;

struct Draft {
    PviPoint point{};
    float gradeOut = 0;  // the rows' grade towards the next point
    double target = 0;   // the elevation the rows give this point
    std::optional<Window> elevation{};

    // A row beginning `offset` from the point with start elevation `start`
    // along `grade` reads back right when the point lies in this window.
    void RowBegins(float start, double grade, double offset)
    {
        const double room = RoundingRoom(start);
        const double centre = start - grade * offset;
        const Window w{centre - room, centre + room};
        elevation = elevation ? elevation->And(w) : w;
    }
};

Draft DraftAt(double station, float gradeOut, double target, PviKind kind = PviKind::Pvi,
              double lengthIn = 0, double lengthOut = 0)
{
    Draft d;
    d.point.station = station;
    d.point.lengthIn = lengthIn;
    d.point.lengthOut = lengthOut;
    d.point.kind = kind;
    d.gradeOut = gradeOut;
    d.target = target;
    return d;
}

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

std::vector<SegmentRow> CurvesAlongTheRoad(const ProfileState& state)
{
    std::vector<SegmentRow> rows;
    ForEachRow(state, SegmentKind::VerticalCurve,
               [&](std::int32_t, const SegmentRow& row) { rows.push_back(row); });
    std::stable_sort(rows.begin(), rows.end(), [](const SegmentRow& a, const SegmentRow& b) {
        return a.station1 < b.station1;
    });
    return rows;
}

void RefuseBrokenProfile(const ProfileState& state, const Tolerances& tolerances)
{
    std::vector<Fault> faults = CheckProfile(state, tolerances);
    // A change of grade where two rows meet is a PVI without a curve.
    std::erase_if(faults, [](const Fault& f) {
        return f.rows != SegmentKind::VerticalCurve || f.kind == FaultKind::GradeStep;
    });
    if (!faults.empty())
        throw ProfileNotContinuousError(std::move(faults));
}

// keepApart[k]: rows k and k + 1 are written as two curves even when they
// form an unsymmetric one.
std::vector<Draft> Drafts(const std::vector<SegmentRow>& rows, const std::vector<bool>& keepApart)
{
    std::vector<Draft> drafts;
    drafts.push_back(DraftAt(rows.front().station1, rows.front().rate1, rows.front().start));
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const SegmentRow& r = rows[k];
        if (k > 0 && rows[k - 1].rate2 != r.rate1)
            drafts.push_back(DraftAt(r.station1, r.rate1, r.start));
        if (!IsCurve(r)) {
            Draft& last = drafts.back();
            last.RowBegins(r.start, r.rate1, r.station1 - last.point.station);
            continue;
        }
        const double l1 = LengthOf(r);
        if (k + 1 < rows.size() && !keepApart[k] && FormUnsymmetricCurve(r, rows[k + 1])) {
            const SegmentRow& second = rows[++k];
            Draft d = DraftAt(r.station2, second.rate2, r.start + r.rate1 * l1, PviKind::Unsym, l1,
                              LengthOf(second));
            d.RowBegins(r.start, r.rate1, -l1);
            d.RowBegins(second.start, (static_cast<double>(r.rate2) - r.rate1) / 2, l1);
            drafts.push_back(d);
            continue;
        }
        const double half = l1 / 2;
        Draft d = DraftAt(r.station1 + half, r.rate2, r.start + r.rate1 * half, PviKind::Para, half,
                          half);
        d.RowBegins(r.start, r.rate1, -half);
        drafts.push_back(d);
    }
    const SegmentRow& last = rows.back();
    drafts.push_back(DraftAt(last.station2, last.rate2, RowValue(last, last.station2)));
    return drafts;
}

// How far the next point may lie above this one for the grade between them to
// round to the rows' grade.
Window GradeStep(const Draft& from, const Draft& to)
{
    const double run = to.point.station - from.point.station;
    const double room = from.gradeOut == 0 ? 0 : RoundingRoom(from.gradeOut, GradeShare) * run;
    const double rise = from.gradeOut * run;
    return {rise - room, rise + room};
}

Window Shifted(const Window& w, const Window& step)
{
    return {w.low + step.low, w.high + step.high};
}

// The number with the fewest decimals in the window, nearest the target among
// those: a designer's 265 rather than the 264.99999993 of float grades.
double Simplest(const Window& w, double target)
{
    double scale = 1;
    for (int decimals = 0; decimals <= 12; ++decimals, scale *= 10) {
        const double low = std::ceil(w.low * scale);
        const double high = std::floor(w.high * scale);
        if (low > high)
            continue;
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
// elevations win over the grade, so that differences do not add up.
void ChooseElevations(std::vector<Draft>& drafts)
{
    const Window any;
    std::vector<Window> feasible(drafts.size());
    for (std::size_t i = drafts.size(); i-- > 0;) {
        const Window own = drafts[i].elevation.value_or(any);
        if (i + 1 == drafts.size()) {
            feasible[i] = own;
            continue;
        }
        const Window step = GradeStep(drafts[i], drafts[i + 1]);
        const Window reach = {feasible[i + 1].low - step.high, feasible[i + 1].high - step.low};
        feasible[i] = own.And(reach).Empty() ? own : own.And(reach);
    }
    for (std::size_t i = 0; i < drafts.size(); ++i) {
        Window chosen = feasible[i];
        if (i > 0) {
            const Window next =
                Shifted(Window{drafts[i - 1].point.elevation, drafts[i - 1].point.elevation},
                        GradeStep(drafts[i - 1], drafts[i]));
            if (!chosen.And(next).Empty())
                chosen = chosen.And(next);
        }
        drafts[i].point.elevation = Simplest(chosen, drafts[i].target);
    }
}

// The first pair of rows written as one unsymmetric curve that does not read
// back as the same rows, or whose following straight row does not; the first
// such pair at all when the count of rows differs.
std::optional<std::size_t> FirstChangedPair(const std::vector<SegmentRow>& rows,
                                            const std::vector<PviPoint>& points,
                                            const std::vector<bool>& keepApart)
{
    InputProfile back;
    try {
        back = RowsFromPoints(points, "");
    } catch (const InputFileError&) {
        // read back as no rows: every pair differs
    }
    const auto combined = [&](std::size_t k) {
        return k + 1 < rows.size() && !keepApart[k] && FormUnsymmetricCurve(rows[k], rows[k + 1]);
    };
    const bool sameCount = static_cast<std::size_t>(back.numVC) == rows.size();
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::size_t at = k + 1;
        const bool same =
            sameCount && SegmentRow{back.curves[0][at], back.curves[1][at], back.curves[2][at],
                                    back.curves[3][at], back.curves[4][at]} == rows[k];
        // A pair's own rows, or the straight row that begins from its PVI.
        for (std::size_t before = 0; !same && before <= std::min<std::size_t>(k, 2); ++before) {
            if (combined(k - before))
                return k - before;
        }
    }
    return std::nullopt;
}

}  // namespace

std::vector<PviPoint> PointsFromRows(const ProfileState& state, const Tolerances& tolerances)
{
    RefuseBrokenProfile(state, tolerances);
    const std::vector<SegmentRow> rows = CurvesAlongTheRoad(state);
    std::vector<bool> keepApart(rows.size(), false);
    while (true) {
        std::vector<Draft> drafts = Drafts(rows, keepApart);
        ChooseElevations(drafts);
        std::vector<PviPoint> points;
        for (Draft& d : drafts)
            points.push_back(std::move(d.point));
        // An unsymmetric curve is read back through grades found anew from the
        // elevations; where its common grade then rounds otherwise, its two
        // rows are written as two curves, which always read back exactly.
        const std::optional<std::size_t> differs = FirstChangedPair(rows, points, keepApart);
        if (!differs)
            return points;
        keepApart[*differs] = true;
    }
}

}  // namespace ravo
