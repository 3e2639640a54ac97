// Points of vertical intersection to Ravo's curve rows, and the texts of the
// numbers that the PVI formats write.
#include "core/formats/pvi_mapping.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>

#include "core/design/curve_summary.h"
#include "core/text/numbers.h"

namespace ravo {
namespace {

// Where a point stands in its file: points found from rows have no file.
int LineOf(const PviPoint& p) { return p.line; }
int LineOf(const RowPoint&) { return 0; }

template <class Point>
std::string PointName(const std::vector<Point>& points, std::size_t index)
{
    std::string name = Joined({"point ", std::to_string(index + 1)});
    if (LineOf(points[index]) > 0)
        name += Joined({" (line ", std::to_string(LineOf(points[index])), ")"});
    return name;
}

[[noreturn]] void Refuse(const std::string& text) { throw InputFileError(text); }

template <class Point>
void CheckPoint(const std::vector<Point>& points, std::size_t i)
{
    const Point& p = points[i];
    for (double value : {p.station, p.elevation, p.lengthIn, p.lengthOut}) {
        if (!std::isfinite(value) || std::fabs(value) >= FirstFloatOverflow)
            Refuse(PointName(points, i) + ": a value lies beyond the range of the profile");
    }
    if (p.lengthIn < 0 || p.lengthOut < 0)
        Refuse(PointName(points, i) + ": a curve length cannot be negative");
    const bool end = i == 0 || i + 1 == points.size();
    if (end && p.lengthIn + p.lengthOut > 0)
        Refuse(PointName(points, i) + ": the " + (i == 0 ? "first" : "last") +
               " point cannot have a curve, since the profile has no grade " +
               (i == 0 ? "before" : "after") + " it");
    if (i > 0 && !(p.station > points[i - 1].station))
        Refuse(PointName(points, i) + ": station " + ShortestText(p.station) +
               " does not lie beyond the station " + ShortestText(points[i - 1].station) +
               " of the point before it");
}

// Each curve must end where the next one begins at the latest; the first and
// last points count as curves of no length.
template <class Point>
void CheckRoom(const std::vector<Point>& points, std::size_t i, double tolerance)
{
    const Point& before = points[i - 1];
    const Point& p = points[i];
    const double reach = before.station + before.lengthOut;
    const double begin = p.station - p.lengthIn;
    if (begin < reach - tolerance)
        Refuse(Joined({"the curves at ", PointName(points, i - 1), " and ", PointName(points, i),
                       " overlap: the first reaches station ", ShortestText(reach),
                       " and the second begins at ", ShortestText(begin)}));
}

using RowValues = std::array<float, ColumnCount>;

// Whether a row between the stations keeps a length once they are rounded to
// the floats that rows hold, as RowList decides; false beyond the float range.
bool RowHasLength(double from, double to)
{
    const auto inRange = [](double v) { return std::isfinite(v) && std::fabs(v) < 3.4e38; };
    return inRange(from) && inRange(to) && static_cast<float>(from) < static_cast<float>(to);
}

[[noreturn]] void RefuseRows(std::int64_t limit, int line)
{
    Refuse(Joined({line > 0 ? Joined({"line ", std::to_string(line), ": "}) : "",
                   "the points up to here make more than ", std::to_string(limit),
                   " curve rows; at most ", std::to_string(limit), " can be loaded"}));
}

float StoredOrRefused(double value)
{
    try {
        return ToFloat(value);
    } catch (const OverflowError&) {
        Refuse("a value of the profile lies beyond the 32-bit float range");
    }
}

// The common case without a call; beyond the float range, refused.
inline float Stored(double value)
{
    return std::fabs(value) < FirstFloatOverflow ? static_cast<float>(value)
                                                 : StoredOrRefused(value);
}

// The largest of the joints that were snapped.
struct Snaps {
    int count = 0;
    double largest = 0;
    double station = 0;
};

class RowList {
public:
    // Room for about the rows of `points` points: mostly a straight and a
    // curve each.
    RowList(const JointRules& joints, std::size_t points) : joints_(joints)
    {
        const std::size_t rows = std::min(2 * points, static_cast<std::size_t>(MaxSegmentCount));
        for (std::vector<float>& column : columns_) {
            column.reserve(rows + 1);
            column.push_back(0.0f);  // rows are numbered from 1
        }
    }

    // Rows that round to no length are left out: they would apply to one
    // station only, where the elevation cannot be computed. A row that begins
    // within the joint tolerance before the previous row ends is cut to begin
    // there.
    void Add(double elevation, double grade1, double grade2, double station1, double station2)
    {
        if (!(station1 < station2))
            return;
        const double overlap = end_ - station1;
        if (columns_[0].size() > 1 && overlap > 0 && overlap <= joints_.tolerance) {
            if (!(end_ < station2))
                return;
            const double length = station2 - station1;
            elevation += grade1 * overlap + (grade2 - grade1) * overlap * overlap / (2 * length);
            grade1 += (grade2 - grade1) * overlap / length;
            station1 = end_;
            Snapped(overlap);
        }
        Push({Stored(elevation), Stored(grade1), Stored(grade2), Stored(station1),
              Stored(station2)});
        end_ = std::max(end_, station2);
    }

    // The rows as a profile; the list is left empty.
    InputProfile TakeProfile(const std::string& title)
    {
        InputProfile profile;
        profile.title = title;
        profile.numVC = static_cast<std::int32_t>(columns_[0].size() - 1);
        for (std::size_t c = 0; c < ColumnCount; ++c)
            profile.curves[c] = std::move(columns_[c]);
        return profile;
    }

    std::vector<std::string> Notes() const
    {
        if (snaps_.count == 0)
            return {};
        // Three significant digits: the snap is a difference of rounded
        // stations, and its own last digits are noise.
        char largest[64];
        const std::to_chars_result r = std::to_chars(largest, largest + sizeof largest,
                                                     snaps_.largest, std::chars_format::general, 3);
        return {Joined({snaps_.count == 1
                            ? "1 joint between curves was"
                            : std::to_string(snaps_.count) + " joints between curves were",
                        " closer than the joint tolerance of ", ShortestText(joints_.tolerance),
                        " and snapped to one station; the largest snap was ",
                        std::string_view(largest, static_cast<std::size_t>(r.ptr - largest)),
                        " (at station ", FormatPattern(snaps_.station, "0.000"), ")."})};
    }

private:
    void Snapped(double overlap)
    {
        ++snaps_.count;
        if (overlap > snaps_.largest) {
            snaps_.largest = overlap;
            snaps_.station = end_;
        }
    }

    void Push(const RowValues& row)
    {
        if (!(row[3] < row[4]))
            return;
        if (columns_[0].size() > static_cast<std::size_t>(MaxSegmentCount))
            RefuseRows(MaxSegmentCount, 0);
        for (std::size_t c = 0; c < ColumnCount; ++c)
            columns_[c].push_back(row[c]);
    }

    JointRules joints_;
    std::array<std::vector<float>, ColumnCount> columns_;  // the rows' columns, from row 1
    double end_ = 0;                                       // where the rows so far reach
    Snaps snaps_;
};

// RowsFromPoints over either kind of point.
template <class Point>
PointRows RowsOf(const std::vector<Point>& points, const std::string& title,
                 const JointRules& joints)
{
    if (points.size() < 2)
        Refuse(Joined({"a profile needs at least two points, the first and the last; this one has ",
                       std::to_string(points.size())}));
    const double allowed = joints.keepFaults ? HUGE_VAL : joints.tolerance;
    for (std::size_t i = 0; i < points.size(); ++i) {
        CheckPoint(points, i);
        if (i > 0)
            CheckRoom(points, i, allowed);
    }
    // Rows hold float grades; computing their elevations from the same floats
    // keeps the rows consistent and lets a writer reproduce them exactly.
    std::vector<double> grades;
    grades.reserve(points.size());
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        grades.push_back(Stored(Grade(points[i].station, points[i].elevation, points[i + 1].station,
                                      points[i + 1].elevation)));

    RowList rows(joints, points.size());
    for (std::size_t i = 1; i < points.size(); ++i) {
        const Point& before = points[i - 1];
        const Point& p = points[i];
        const double gIn = grades[i - 1];
        const double l1 = p.lengthIn;
        const double l2 = p.lengthOut;
        rows.Add(StraightStart(before.elevation, gIn, before.lengthOut), gIn, gIn,
                 before.station + before.lengthOut, p.station - l1);
        if (i + 1 == points.size() || l1 + l2 == 0)
            continue;
        const double gOut = grades[i];
        const double begin = CurveStart(p.elevation, gIn, l1);
        // A circular curve's sides differ where its grades do.
        if (p.kind != PviKind::Unsym && l1 == l2) {
            rows.Add(begin, gIn, gOut, p.station - l1, p.station + l2);
            continue;
        }
        const double gm = Stored((l1 * gIn + l2 * gOut) / (l1 + l2));
        rows.Add(begin, gIn, gm, p.station - l1, p.station);
        rows.Add(SecondCurveStart(begin, gIn, gm, l1), gm, gOut, p.station, p.station + l2);
    }
    std::vector<std::string> notes = rows.Notes();
    return {rows.TakeProfile(title), std::move(notes)};
}

}  // namespace

void RowCounter::Add(const PviPoint& p)
{
    if (!first_) {
        rows_ += RowHasLength(reach_, p.station - p.lengthIn) ? 1 : 0;
        if (p.kind == PviKind::Unsym)
            rows_ += (RowHasLength(p.station - p.lengthIn, p.station) ? 1 : 0) +
                     (RowHasLength(p.station, p.station + p.lengthOut) ? 1 : 0);
        else
            rows_ += RowHasLength(p.station - p.lengthIn, p.station + p.lengthOut) ? 1 : 0;
    }
    first_ = false;
    reach_ = p.station + p.lengthOut;
    if (rows_ > limit_)
        RefuseRows(limit_, p.line);
}

ProfileNotContinuousError::ProfileNotContinuousError(std::vector<Fault> faults)
    : InputFileError([&faults] {
          std::string text = "the vertical curves do not form one continuous profile:";
          for (const Fault& fault : faults)
              text += Joined({"\n", FaultText(fault, false)});
          return text;
      }()),
      faults_(std::move(faults))
{
}

std::string Joined(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (std::string_view part : parts)
        text.append(part);
    return text;
}

InputProfile RowsFromPoints(const std::vector<PviPoint>& points, const std::string& title)
{
    return RowsFromPoints(points, title, JointRules{}).profile;
}

PointRows RowsFromPoints(const std::vector<PviPoint>& points, const std::string& title,
                         const JointRules& joints)
{
    return RowsOf(points, title, joints);
}

InputProfile RowsFromPoints(const std::vector<RowPoint>& points, const std::string& title)
{
    return RowsOf(points, title, JointRules{}).profile;
}

}  // namespace ravo
