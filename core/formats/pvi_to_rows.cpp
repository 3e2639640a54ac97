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

std::string PointName(const std::vector<PviPoint>& points, std::size_t index)
{
    std::string name = Joined({"point ", std::to_string(index + 1)});
    if (points[index].line > 0)
        name += Joined({" (line ", std::to_string(points[index].line), ")"});
    return name;
}

[[noreturn]] void Refuse(const std::string& text) { throw InputFileError(text); }

void CheckPoint(const std::vector<PviPoint>& points, std::size_t i)
{
    const PviPoint& p = points[i];
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
        Refuse(PointName(points, i) + ": station " + ExactText(p.station) +
               " does not lie beyond the station " + ExactText(points[i - 1].station) +
               " of the point before it");
}

// Each curve must end where the next one begins at the latest; the first and
// last points count as curves of no length.
void CheckRoom(const std::vector<PviPoint>& points, std::size_t i)
{
    const PviPoint& before = points[i - 1];
    const PviPoint& p = points[i];
    const double reach = before.station + before.lengthOut;
    const double begin = p.station - p.lengthIn;
    if (begin < reach)
        Refuse(Joined({"the curves at ", PointName(points, i - 1), " and ", PointName(points, i),
                       " overlap: the first reaches station ", ExactText(reach),
                       " and the second begins at ", ExactText(begin)}));
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

float Stored(double value)
{
    try {
        return ToFloat(value);
    } catch (const OverflowError&) {
        Refuse("a value of the profile lies beyond the 32-bit float range");
    }
}

class RowList {
public:
    // Rows that round to no length are left out: they would apply to one
    // station only, where the elevation cannot be computed.
    void Add(double elevation, double grade1, double grade2, double station1, double station2)
    {
        const RowValues row{Stored(elevation), Stored(grade1), Stored(grade2), Stored(station1),
                            Stored(station2)};
        if (row[3] < row[4]) {
            if (rows_.size() >= static_cast<std::size_t>(MaxSegmentCount))
                RefuseRows(MaxSegmentCount, 0);
            rows_.push_back(row);
        }
    }

    InputProfile Profile(const std::string& title) const
    {
        InputProfile profile;
        profile.title = title;
        profile.numVC = static_cast<std::int32_t>(rows_.size());
        for (std::size_t c = 0; c < ColumnCount; ++c) {
            profile.curves[c].assign(rows_.size() + 1, 0.0f);
            for (std::size_t r = 0; r < rows_.size(); ++r)
                profile.curves[c][r + 1] = rows_[r][c];
        }
        return profile;
    }

private:
    std::vector<RowValues> rows_;
};

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

std::string ExactText(double value) { return ShortestText(value); }

std::string Joined(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (std::string_view part : parts)
        text.append(part);
    return text;
}

InputProfile RowsFromPoints(const std::vector<PviPoint>& points, const std::string& title)
{
    if (points.size() < 2)
        Refuse(Joined({"a profile needs at least two points, the first and the last; this one has ",
                       std::to_string(points.size())}));
    for (std::size_t i = 0; i < points.size(); ++i) {
        CheckPoint(points, i);
        if (i > 0)
            CheckRoom(points, i);
    }
    // Rows hold float grades; computing their elevations from the same floats
    // keeps the rows consistent and lets a writer reproduce them exactly.
    std::vector<double> grades;
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        grades.push_back(Stored(Grade(points[i].station, points[i].elevation, points[i + 1].station,
                                      points[i + 1].elevation)));

    RowList rows;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const PviPoint& before = points[i - 1];
        const PviPoint& p = points[i];
        const double gIn = grades[i - 1];
        const double l1 = p.lengthIn;
        const double l2 = p.lengthOut;
        rows.Add(StraightStart(before.elevation, gIn, before.lengthOut), gIn, gIn,
                 before.station + before.lengthOut, p.station - l1);
        if (i + 1 == points.size() || l1 + l2 == 0)
            continue;
        const double gOut = grades[i];
        const double begin = CurveStart(p.elevation, gIn, l1);
        if (p.kind != PviKind::Unsym) {
            rows.Add(begin, gIn, gOut, p.station - l1, p.station + l2);
            continue;
        }
        const double gm = Stored((l1 * gIn + l2 * gOut) / (l1 + l2));
        rows.Add(begin, gIn, gm, p.station - l1, p.station);
        rows.Add(SecondCurveStart(begin, gIn, gm, l1), gm, gOut, p.station, p.station + l2);
    }
    return rows.Profile(title);
}

double CircularCurveDeviation(const PviPoint& p, double gIn, double gOut)
{
    const double length = p.lengthIn + p.lengthOut;
    const double a1 = std::atan(gIn);
    const double a2 = std::atan(gOut);
    const double turn = a2 - a1;
    if (turn == 0 || length <= 0)
        return 0;
    const double radius = p.radius > 0 ? p.radius : length / std::fabs(turn);
    const double side = turn > 0 ? 1 : -1;  // a sag turns up, its centre lies above
    const double tangent = radius * std::tan(std::fabs(turn) / 2);
    const double t1 = p.station - tangent * std::cos(a1);
    const double t2 = p.station + tangent * std::cos(a2);
    const double centreX = t1 - side * radius * std::sin(a1);
    const double centreY = p.elevation - tangent * std::sin(a1) + side * radius * std::cos(a1);
    const double bvc = p.station - p.lengthIn;
    const double evc = p.station + p.lengthOut;
    const auto onTangents = [&](double x) {
        return p.elevation + (x < p.station ? gIn : gOut) * (x - p.station);
    };
    const auto circle = [&](double x) {
        if (x <= t1 || x >= t2)
            return onTangents(x);
        const double dx = x - centreX;
        return centreY - side * std::sqrt(std::max(0.0, radius * radius - dx * dx));
    };
    const auto parabolic = [&](double x) {
        if (x <= bvc || x >= evc)
            return onTangents(x);
        const double dx = x - bvc;
        return p.elevation - gIn * p.lengthIn + gIn * dx + (gOut - gIn) * dx * dx / (2 * length);
    };
    const double from = std::min(bvc, t1);
    const double to = std::max(evc, t2);
    constexpr int Steps = 2000;
    double largest = 0;
    for (int k = 0; k <= Steps; ++k) {
        const double x = from + (to - from) * k / Steps;
        largest = std::max(largest, std::fabs(circle(x) - parabolic(x)));
    }
    return largest;
}

}  // namespace ravo
