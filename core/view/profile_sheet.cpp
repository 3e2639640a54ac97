// The profile sheet's tangents, curve ends, labels and superelevation line.
#include "core/view/profile_sheet.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include "core/design/curve_summary.h"
#include "core/profile/elevation.h"
#include "core/text/numbers.h"
#include "core/text/station_notation.h"
#include "core/view/profile_view_lines.h"

namespace ravo {
namespace {

// The rows deciding some piece in view, in row order; none when there are too
// many to label each one.
std::set<std::int32_t> RowsInView(const DecidedRows& rows, const ProfileView& view)
{
    std::set<std::int32_t> found;
    const std::vector<DecidedPiece>& pieces = rows.Pieces();
    const auto most = static_cast<std::size_t>(view.plotWidth / 8);
    std::size_t visited = 0;
    for (std::size_t i = rows.FirstPieceEndingAfter(view.firstStation);
         i < pieces.size() && pieces[i].first < view.lastStation; ++i) {
        if (++visited > 4 * most)
            return {};
        if (pieces[i].row != 0 && found.insert(pieces[i].row).second && found.size() > most)
            return {};
    }
    return found;
}

class SheetBuilder {
public:
    SheetBuilder(const ProfileViewIndex& index, const ProfileView& view, const ProfileScene& scene,
                 const MeasureText& measure)
        : index_(index), view_(view), scene_(scene), measure_(measure), flags_(index, view)
    {
    }

    void AddCurve(const CurveSummary& curve, ProfileSheet& sheet)
    {
        const SegmentRow& v = curve.values;
        if (curve.extent != RowExtent::Normal || !curve.length)
            return;
        const double middle = (double(v.station1) + v.station2) / 2;
        const PixelPoint mid = At(middle, RowValue(v, middle));
        if (curve.shape == CurveShape::Straight) {
            if (index_.curves.RowAt(static_cast<float>(middle)) == curve.row)
                Label(sheet, GradePercentText(v.rate1), mid, LabelRank::Grade);
            return;
        }
        const PixelPoint bvc = At(v.station1, v.start);
        const PixelPoint evc = At(v.station2, curve.endElevation.value_or(NAN));
        if (curve.pvi)
            sheet.tangents.push_back({bvc, At(curve.pvi->station, curve.pvi->elevation), evc});
        End(sheet, "BVC ", v.station1, bvc);
        End(sheet, "EVC ", v.station2, evc);
        std::string data = "L " + FixedText(*curve.length, 3) + "  K " +
                           FixedText(curve.k.value_or(0), 1) + "  A " +
                           GradePercentText(double(v.rate2) - v.rate1);
        if (const std::optional<double> least = flags_.LeastK(curve.row))
            data += "  (least K " + FixedText(*least, 0) + ")";
        Label(sheet, data, mid, LabelRank::Design, curve.shape == CurveShape::Sag);
    }

    // A PVI or a high or low point of the scene: its box and its label.
    void AddMark(const Mark& mark, ProfileSheet& sheet)
    {
        sheet.marks.push_back(BoxAround(mark.at, MarkHalf, MarkHalf));
        const CurveSummary curve = SummarizeCurve(mark.row, index_.curves.Row(mark.row));
        const std::optional<CurvePoint> point =
            mark.kind == MarkKind::Pvi ? curve.pvi : curve.turningPoint;
        if (!point)
            return;
        const char* name = mark.kind == MarkKind::Pvi         ? "PVI "
                           : mark.kind == MarkKind::HighPoint ? "High "
                                                              : "Low ";
        Label(sheet, name + Station(point->station) + "\nEl " + FixedText(point->elevation, 3),
              mark.at, mark.kind == MarkKind::Pvi ? LabelRank::Design : LabelRank::Turn,
              curve.shape == CurveShape::Sag);
    }

    // Two curves end to end with no tangent between them: the grade at the joint.
    void AddJoint(const CurveSummary& before, const CurveSummary& after, ProfileSheet& sheet)
    {
        if (before.shape == CurveShape::Straight || after.shape == CurveShape::Straight ||
            before.values.station2 != after.values.station1 || !before.endElevation)
            return;
        Label(sheet, GradePercentText(before.values.rate2),
              At(before.values.station2, *before.endElevation), LabelRank::Grade);
    }

private:
    PixelPoint At(double station, double elevation) const
    {
        return {XOfStation(view_, station), YOfValue(scene_.grade, view_.gradeHeight, elevation)};
    }
    bool InPlot(PixelPoint p) const
    {
        return p.x >= 0 && p.x <= view_.plotWidth && p.y >= 0 && p.y <= view_.gradeHeight;
    }
    std::string Station(double station) const
    {
        return StationInStyle(station, StationDecimals(view_.stationStyle), view_.plusNotation,
                              view_.stationStyle);
    }
    void End(ProfileSheet& sheet, const char* name, double station, PixelPoint at) const
    {
        if (!InPlot(at))
            return;
        sheet.curveEnds.push_back(at);
        sheet.marks.push_back(BoxAround(at, 1.5, TickHalfHeight));
        Label(sheet, name + Station(station), at, LabelRank::Tick);
    }
    void Label(ProfileSheet& sheet, std::string text, PixelPoint at, LabelRank rank,
               bool below = false) const
    {
        if (!InPlot(at))
            return;
        const auto [width, height] = measure_(text);
        sheet.labels.push_back({std::move(text), at, width, height, rank, below});
    }

    const ProfileViewIndex& index_;
    const ProfileView& view_;
    const ProfileScene& scene_;
    const MeasureText& measure_;
    CurveFlags flags_;
};

// Points of one row across a piece: its ends, and between them every few
// pixels where the row bends.
void AddRowPoints(const SegmentRow& row, double first, double last, const ProfileView& view,
                  const Panel& panel, Polyline& line)
{
    const double width = XOfStation(view, last) - XOfStation(view, first);
    const int steps = row.rate1 == row.rate2 ? 1 : std::clamp(int(width / 3), 1, 4096);
    for (int i = 0; i <= steps; ++i) {
        const double station = first + (last - first) * i / steps;
        line.points.push_back({XOfStation(view, station),
                               YOfValue(panel, view.superHeight, RowValue(row, station) * 100)});
    }
}

}  // namespace

ProfileSheet BuildSheet(const ProfileViewIndex& index, const ProfileView& view,
                        const ProfileScene& scene, const MeasureText& measure,
                        const std::vector<Box>& reserved)
{
    ProfileSheet sheet;
    sheet.marks = reserved;
    SheetBuilder builder(index, view, scene, measure);
    std::optional<CurveSummary> before;
    for (std::int32_t row : RowsInView(index.curves, view)) {
        const CurveSummary curve = SummarizeCurve(row, index.curves.Row(row));
        builder.AddCurve(curve, sheet);
        if (before)
            builder.AddJoint(*before, curve, sheet);
        before = curve;
    }
    for (const Mark& mark : scene.marks)
        builder.AddMark(mark, sheet);
    std::vector<Polyline> lines = scene.grade.lines;
    for (const auto& tangent : sheet.tangents)
        lines.push_back({{tangent.begin(), tangent.end()}});
    sheet.placement = PlaceLabels(sheet.labels, sheet.marks,
                                  {0, 0, double(view.plotWidth), double(view.gradeHeight)}, lines);
    sheet.superLine = SuperLine(index, view, scene);
    return sheet;
}

std::vector<Polyline> SuperLine(const ProfileViewIndex& index, const ProfileView& view,
                                const ProfileScene& scene)
{
    const DecidedRows& rows = index.segments;
    const std::vector<DecidedPiece>& pieces = rows.Pieces();
    std::size_t i = rows.FirstPieceEndingAfter(view.firstStation);
    const auto most = static_cast<std::size_t>(view.plotWidth);
    std::size_t end = i;
    while (end < pieces.size() && pieces[end].first < view.lastStation && end - i <= most)
        ++end;
    if (end - i > most)
        return scene.super.lines;  // denser than the pixels: the columns are as exact
    std::vector<Polyline> lines;
    bool open = false;
    for (; i < end; ++i) {
        if (pieces[i].row == 0) {
            open = false;
            continue;
        }
        if (!open)
            lines.emplace_back();
        open = true;
        const double first = std::max(double(pieces[i].first), view.firstStation);
        const double last = std::min(double(pieces[i].last), view.lastStation);
        AddRowPoints(rows.Row(pieces[i].row), first, last, view, scene.super, lines.back());
    }
    for (Polyline& line : lines) {
        const bool finite = std::all_of(line.points.begin(), line.points.end(), [](PixelPoint p) {
            return std::isfinite(p.y) && std::abs(p.y) < 1e7;
        });
        if (!finite)
            return scene.super.lines;
    }
    return lines;
}

std::string PointerReadout(const ProfileViewIndex& index, const ProfileView& view,
                           const ProfileScene& scene, double x, double y)
{
    const double station = StationAtX(view, x);
    const Panel& grade = scene.grade;
    const double perPixel = (grade.valueAtTop - grade.valueAtBottom) / view.gradeHeight;
    const int decimals = std::clamp(int(std::ceil(-std::log10(perPixel))), 0, 3);
    const double elevation = grade.valueAtTop - y * perPixel;
    std::string text = "Pointer " +
                       StationInStyle(station, StationDecimals(view.stationStyle),
                                      view.plusNotation, view.stationStyle) +
                       "  Elevation " + FixedText(elevation, decimals);
    const std::int32_t row = index.curves.RowAt(static_cast<float>(station));
    const double line = row == 0 ? NAN : RowValue(index.curves.Row(row), station);
    if (std::isfinite(line) && std::abs(line) < 1e15)
        text += "  Grade line " + FixedText(line, 3);
    return text;
}

std::string CursorCaption(const ProfileViewIndex& index, const ProfileView& view, float station,
                          float offset)
{
    auto valueAt = [station](const DecidedRows& rows) {
        const std::int32_t row = rows.RowAt(station);
        return row == 0 ? 0.0 : RowValue(rows.Row(row), station);
    };
    std::string elevation = "Invalid Entry";
    try {
        const float grade = ToFloat(valueAt(index.curves));
        const float super = ToFloat(valueAt(index.segments));
        const float value = ToFloat(double(offset) * super + double(grade));
        if (std::isfinite(value))
            elevation = ElevationText(value);
    } catch (const OverflowError&) {
    }
    const std::string where = view.plusNotation && view.stationStyle != StationStyle::Hundreds3
                                  ? StationInStyle(station, 3, true, view.stationStyle)
                                  : StationText(station, view.plusNotation);
    std::string caption = "Station " + where + "  Elevation " + elevation;
    if (offset != 0)
        caption += " at offset " + FixedText(offset, 3);
    return caption;
}

}  // namespace ravo
