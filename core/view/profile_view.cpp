// The profile window's scene: axes, ticks, lines, marks and labels for a view.
#include "core/view/profile_view.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "core/profile/elevation.h"
#include "core/text/numbers.h"
#include "core/text/station_notation.h"
#include "core/view/profile_view_lines.h"

namespace ravo {
namespace {

constexpr double MinimumSpan = 1e-3;
constexpr double MaximumSpan = 1e9;

// 1, 2 or 5 times a power of ten, the largest not above the value.
double NiceAtMost(double value)
{
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (double step : {5.0, 2.0, 1.0}) {
        if (step * power <= value)
            return step * power;
    }
    return power;
}

// 1, 2 or 5 times a power of ten, the smallest not below the value.
double NiceAtLeast(double value)
{
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (double step : {1.0, 2.0, 5.0}) {
        if (step * power >= value * (1 - 1e-9))
            return step * power;
    }
    return 10 * power;
}

int DecimalsFor(double step, int most = 3)
{
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, most);
}

// A number with a fixed count of decimals and a point whatever the locale.
std::string Fixed(double value, int decimals)
{
    return FormatPattern(
        value, decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0'));
}

std::string StationLabel(double station, int decimals, bool plusNotation,
                         StationStyle style = StationStyle::Hundreds3)
{
    if (!plusNotation)
        return Fixed(station, decimals);
    if (style != StationStyle::Hundreds3)
        return StationInStyle(station, std::min(decimals, StationDecimals(style)), true, style);
    std::string text = StationText(station, true);  // three decimals
    text.resize(text.size() - static_cast<std::size_t>(3 - decimals) - (decimals == 0 ? 1 : 0));
    return text;
}

// The narrowest view about a station: a millimetre, or wider far out, where
// stations a pixel apart must still be different numbers.
double LeastSpan(double station, int plotWidth)
{
    return std::max(MinimumSpan, std::abs(station) * 1e-12 * std::max(plotWidth, 1));
}

double PerPixel(const ProfileView& view)
{
    return (view.lastStation - view.firstStation) / view.plotWidth;
}

// The grade panel keeps one scale for both directions times a round
// exaggeration, the largest that leaves a margin above and below the line.
double FitGrade(Panel& panel, double low, double high, const ProfileView& view)
{
    const double horizontal = 1 / PerPixel(view);
    double exaggeration = 1;
    if (view.exaggeration && *view.exaggeration > 0)
        exaggeration = *view.exaggeration;
    else if (high > low)
        exaggeration = NiceAtMost(0.8 * view.gradeHeight / (high - low) / horizontal);
    if (!std::isfinite(low)) {
        low = 0;
        high = 0;
    }
    const double halfHeight = view.gradeHeight / 2.0 / (horizontal * exaggeration);
    panel.valueAtTop = (low + high) / 2 + halfHeight;
    panel.valueAtBottom = (low + high) / 2 - halfHeight;
    return exaggeration;
}

void FitSuper(Panel& panel, double low, double high)
{
    if (!std::isfinite(low)) {
        low = 0;
        high = 0;
    }
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
    const double margin = high > low ? (high - low) * 0.1 : 1;
    panel.valueAtTop = high + margin;
    panel.valueAtBottom = low - margin;
}

std::string ExaggerationText(double exaggeration)
{
    const int decimals = exaggeration >= 1 ? 0 : DecimalsFor(exaggeration);
    return "Vertical exaggeration " + Fixed(exaggeration, decimals) + ":1";
}

// A tick at each multiple of step from low to high, made by `make`. Counted
// in whole steps, so that the tick at 0 is at 0 and not -0; and by a count
// of ticks, which ends also where the values are too large for a step to
// change them.
template <class Make>
std::vector<Tick> TicksOfStep(double low, double high, double step, const Make& make)
{
    const double first = std::ceil(low / step);
    const double count = std::floor(high / step) - first;
    std::vector<Tick> ticks;
    for (double i = 0; i <= count; ++i) {
        const double k = first + i;
        ticks.push_back(make(k == 0 ? 0.0 : k * step));
    }
    return ticks;
}

std::vector<Tick> StationTicks(const ProfileView& view)
{
    const double step = NiceAtLeast(PerPixel(view) * 110);
    const int decimals = DecimalsFor(step);
    return TicksOfStep(view.firstStation, view.lastStation, step, [&](double s) {
        return Tick{XOfStation(view, s),
                    StationLabel(s, decimals, view.plusNotation, view.stationStyle)};
    });
}

}  // namespace

std::vector<Tick> ValueTicks(const Panel& panel, double height, double spacing, int mostDecimals)
{
    const double range = panel.valueAtTop - panel.valueAtBottom;
    if (!(range > 0))
        return {};
    const double step = std::max(NiceAtLeast(range * spacing / std::max(height, 1.0)),
                                 std::pow(10.0, -mostDecimals));
    const int decimals = DecimalsFor(step, mostDecimals);
    return TicksOfStep(panel.valueAtBottom, panel.valueAtTop, step, [&](double v) {
        return Tick{YOfValue(panel, height, v), Fixed(v, decimals)};
    });
}

double StationAtX(const ProfileView& view, double x)
{
    return view.firstStation + x * PerPixel(view);
}

double XOfStation(const ProfileView& view, double station)
{
    return (station - view.firstStation) / PerPixel(view);
}

std::string StationTextAtX(const ProfileView& view, double x)
{
    return Fixed(StationAtX(view, x), DecimalsFor(PerPixel(view)));
}

ProfileView FitView(const ProfileViewIndex& index, ProfileView view)
{
    double first = std::numeric_limits<double>::infinity();
    double last = -first;
    for (const DecidedRows* rows : {&index.curves, &index.segments}) {
        if (!rows->Empty()) {
            first = std::min(first, rows->FirstStation());
            last = std::max(last, rows->LastStation());
        }
    }
    if (!std::isfinite(first))
        return view;
    const double margin =
        std::max(last > first ? (last - first) * 0.02 : 50,
                 LeastSpan(std::max(std::abs(first), std::abs(last)), view.plotWidth));
    view.firstStation = first - margin;
    view.lastStation = last + margin;
    return view;
}

ProfileView ZoomView(ProfileView view, double x, double factor)
{
    const double station = StationAtX(view, x);
    const double least = LeastSpan(station, view.plotWidth);
    const double span = std::clamp((view.lastStation - view.firstStation) / factor, least,
                                   std::max(least, MaximumSpan));
    view.firstStation = station - x / view.plotWidth * span;
    view.lastStation = view.firstStation + span;
    return view;
}

ProfileView PanView(ProfileView view, double dx)
{
    const double shift = dx * PerPixel(view);
    view.firstStation -= shift;
    view.lastStation -= shift;
    return view;
}

namespace {

// The rows deciding some piece in view and the x range they cover there; none
// when the rows are too many to mark each one.
std::map<std::int32_t, std::pair<double, double>> CurvesInView(const DecidedRows& rows,
                                                               const ProfileView& view)
{
    std::map<std::int32_t, std::pair<double, double>> curves;
    const std::vector<DecidedPiece>& pieces = rows.Pieces();
    const std::size_t most = static_cast<std::size_t>(view.plotWidth / 8);
    std::size_t visited = 0;
    for (std::size_t i = rows.FirstPieceEndingAfter(view.firstStation);
         i < pieces.size() && pieces[i].first < view.lastStation; ++i) {
        if (pieces[i].row == 0 || pieces[i].first == pieces[i].last)
            continue;  // a gap, or an end repeated by a change of a row
        if (++visited > 4 * most)
            return {};
        const double x0 = std::max(XOfStation(view, pieces[i].first), 0.0);
        const double x1 = std::min(XOfStation(view, pieces[i].last), double(view.plotWidth));
        auto [place, added] = curves.try_emplace(pieces[i].row, x0, x1);
        place->second.first = std::min(place->second.first, x0);
        place->second.second = std::max(place->second.second, x1);
        if (added && curves.size() > most)
            return {};
    }
    return curves;
}

// One tick a pixel at most: after a tick the pieces up to the next pixel are
// passed over at once.
std::vector<double> RowBoundaries(const DecidedRows& rows, const ProfileView& view)
{
    std::vector<double> xs;
    const std::vector<DecidedPiece>& pieces = rows.Pieces();
    std::size_t i = rows.FirstPieceEndingAfter(view.firstStation);
    while (i < pieces.size() && pieces[i].first <= view.lastStation) {
        const bool handover = i == 0 || pieces[i - 1].row != pieces[i].row;
        const double x = XOfStation(view, pieces[i].first);
        if (handover && x >= 0 && (xs.empty() || x - xs.back() >= 1)) {
            xs.push_back(x);
            i = std::max(i + 1, rows.FirstPieceEndingAfter(StationAtX(view, x + 1), i));
        } else {
            ++i;
        }
    }
    if (!pieces.empty() && pieces.back().last <= view.lastStation) {
        const double x = XOfStation(view, pieces.back().last);
        if (x >= 0 && (xs.empty() || x - xs.back() >= 1))
            xs.push_back(x);
    }
    return xs;
}

std::string KText(double k) { return "K " + Fixed(k, 1); }

void AddCurveMarks(const ProfileViewIndex& index, const ProfileView& view, const CurveFlags& flags,
                   ProfileScene& scene)
{
    constexpr double KLabelRoom = 40;
    constexpr double MarkLabelRoom = 120;
    // A high point is labelled above the line where its label keeps clear of
    // the last one, a low point likewise below it.
    constexpr double TurnLabelRoom = 140;
    double lastHighLabel = -TurnLabelRoom;
    double lastLowLabel = -TurnLabelRoom;
    for (const auto& [row, extent] : CurvesInView(index.curves, view)) {
        const CurveSummary curve = SummarizeCurve(row, index.curves.Row(row));
        const double width = extent.second - extent.first;
        const bool room = width >= MarkLabelRoom;
        if (width >= KLabelRoom && curve.k) {
            std::string text = KText(*curve.k);
            if (const std::optional<double> least = flags.LeastK(row))
                text += " (least " + Fixed(*least, 0) + ")";
            scene.curveLabels.push_back({(extent.first + extent.second) / 2, text});
        }
        if (curve.shape == CurveShape::Straight || !curve.pvi)
            continue;
        const CurvePoint pvi = *curve.pvi;
        const std::string pviText = room ? StationLabel(pvi.station, 3, view.plusNotation) : "";
        scene.marks.push_back({MarkKind::Pvi,
                               {XOfStation(view, pvi.station),
                                YOfValue(scene.grade, view.gradeHeight, pvi.elevation)},
                               row,
                               room ? "PVI " + pviText : std::string()});
        const std::optional<CurvePoint> turn = curve.turningPoint;
        if (!turn || index.curves.RowAt(turn->station) != row)
            continue;  // off the curve, or where a later row decides
        const bool crest = curve.shape == CurveShape::Crest;
        const double x = XOfStation(view, turn->station);
        std::string label;
        double& lastLabel = crest ? lastHighLabel : lastLowLabel;
        if (std::abs(x - lastLabel) >= TurnLabelRoom) {
            lastLabel = x;
            label = std::string(crest ? "High " : "Low ") +
                    StationLabel(turn->station, 3, view.plusNotation) + " / " +
                    Fixed(turn->elevation, 3);
        }
        scene.marks.push_back({crest ? MarkKind::HighPoint : MarkKind::LowPoint,
                               {x, YOfValue(scene.grade, view.gradeHeight, turn->elevation)},
                               row,
                               label});
    }
}

}  // namespace

ProfileScene BuildScene(const ProfileViewIndex& index, const ProfileView& view)
{
    ProfileScene scene;
    const CurveFlags flags(index, view);
    const std::vector<ColumnRange> grade =
        Columns(index.curves, view, flags.Active() ? &flags : nullptr, scene.grade.gaps);
    const std::vector<ColumnRange> super = Columns(index.segments, view, nullptr, scene.super.gaps);
    double low = 0;
    double high = 0;
    ValueRange(grade, 1, low, high);
    if (view.alsoShown) {
        low = std::min(low, view.alsoShown->first);
        high = std::max(high, view.alsoShown->second);
    }
    scene.exaggeration = FitGrade(scene.grade, low, high, view);
    scene.exaggerationText = ExaggerationText(scene.exaggeration);
    ValueRange(super, 100, low, high);
    FitSuper(scene.super, low, high);
    scene.grade.lines = Lines(grade, 1, scene.grade, view.gradeHeight);
    scene.super.lines = Lines(super, 100, scene.super, view.superHeight);
    scene.grade.valueTicks = ValueTicks(scene.grade, view.gradeHeight, 30, 3);
    scene.super.valueTicks = ValueTicks(scene.super, view.superHeight, 30, 3);
    scene.stationTicks = StationTicks(view);
    scene.rowBoundaries = RowBoundaries(index.curves, view);
    AddCurveMarks(index, view, flags, scene);
    return scene;
}

Cursor CursorAt(const ProfileViewIndex& index, const ProfileView& view, const ProfileScene& scene,
                float station, float elevation)
{
    Cursor cursor;
    cursor.x = XOfStation(view, station);
    auto valueAt = [station](const DecidedRows& rows) -> std::optional<double> {
        const std::int32_t row = rows.RowAt(station);
        const double value = row == 0 ? NAN : RowValue(rows.Row(row), station);
        return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
    };
    if (const std::optional<double> grade = valueAt(index.curves))
        cursor.gradeY = YOfValue(scene.grade, view.gradeHeight, *grade);
    if (const std::optional<double> super = valueAt(index.segments))
        cursor.superY = YOfValue(scene.super, view.superHeight, *super * 100);
    cursor.caption = "Station " + StationText(station, view.plusNotation) + "  Elevation " +
                     ElevationText(elevation);
    return cursor;
}

std::string HoverText(const ProfileViewIndex& index, const ProfileView& view, double x)
{
    const double station = StationAtX(view, x);
    const std::int32_t row = index.curves.RowAt(static_cast<float>(station));
    if (row == 0 && !index.curves.Empty() && station > index.curves.FirstStation() &&
        station < index.curves.LastStation())
        return "No curve here: the elevation calculated is 0";
    if (row == 0)
        return {};
    const auto i = static_cast<std::size_t>(row);
    std::string text = "Curve " + std::to_string(row);
    if (std::isnan(index.curveK[i]))
        return text + ": straight grade";
    text += ": " + KText(index.curveK[i]);
    const CurveFlags flags(index, view);
    if (const std::optional<double> least = flags.LeastK(row)) {
        text += ", least K " + Fixed(*least, 0) + " for a " +
                (index.curveShape[i] == CurveShape::Crest ? "crest" : "sag");
        if (flags.Flagged(row))
            text += ": too sharp for the design speed";
    }
    return text;
}

}  // namespace ravo
