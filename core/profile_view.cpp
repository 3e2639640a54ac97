#include "profile_view.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "elevation.h"
#include "numbers.h"
#include "station_notation.h"

namespace ravo {
namespace {

constexpr double MinimumSpan = 1e-3;
constexpr double MaximumSpan = 1e9;

// The least and greatest value in one pixel column of a panel.
struct ColumnRange {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    bool flagged = false;
    bool gapAfter = false;   // a stretch inside no row begins in the column
    bool gapBefore = false;  // and ends in a later one
    bool HasValue() const { return low <= high; }
};

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
    for (double step : {1.0, 2.0, 5.0, 10.0}) {
        if (step * power >= value * (1 - 1e-9))
            return step * power;
    }
    return 10 * power;
}

int DecimalsFor(double step)
{
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 3);
}

// A number with a fixed count of decimals and a point whatever the locale.
std::string Fixed(double value, int decimals)
{
    return FormatPattern(
        value, decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0'));
}

std::string StationLabel(double station, int decimals, bool plusNotation)
{
    if (!plusNotation)
        return Fixed(station, decimals);
    std::string text = StationText(station, true);  // three decimals
    text.resize(text.size() - static_cast<std::size_t>(3 - decimals) - (decimals == 0 ? 1 : 0));
    return text;
}

double PerPixel(const ProfileView& view)
{
    return (view.lastStation - view.firstStation) / view.plotWidth;
}

class CurveFlags {
public:
    CurveFlags(const ProfileViewIndex& index, const ProfileView& view) : index_(index)
    {
        if (view.designSpeed)
            minimums_ = MinimumsForDesignSpeed(*view.designSpeed, view.units);
    }
    bool Active() const { return minimums_.has_value(); }
    std::optional<double> LeastK(std::int32_t row) const
    {
        const auto i = static_cast<std::size_t>(row);
        if (!minimums_ || std::isnan(index_.curveK[i]))
            return std::nullopt;
        switch (index_.curveShape[i]) {
        case CurveShape::Crest:
            return minimums_->crestK;
        case CurveShape::Sag:
            return minimums_->sagK;
        case CurveShape::Straight:
            break;
        }
        return std::nullopt;
    }
    bool Flagged(std::int32_t row) const
    {
        const std::optional<double> least = LeastK(row);
        return least && index_.curveK[static_cast<std::size_t>(row)] < *least;
    }
    bool Flagged(const PieceBlock& block) const
    {
        return minimums_ && (block.crestK < minimums_->crestK || block.sagK < minimums_->sagK);
    }

private:
    const ProfileViewIndex& index_;
    std::optional<DesignMinimums> minimums_;
};

// Takes whole blocks of pieces that fall into one column, from block b on, and
// returns the first block not taken.
template <typename ColumnOf, typename AddGap>
std::size_t MergeBlocks(const std::vector<PieceBlock>& blocks, std::size_t b,
                        const ColumnOf& column, const ProfileView& view, const CurveFlags* flags,
                        std::vector<ColumnRange>& columns, const AddGap& addGap)
{
    while (b < blocks.size() && blocks[b].first >= view.firstStation) {
        const std::size_t c = column(blocks[b].first);
        const double end = std::min(StationAtX(view, static_cast<double>(c + 1)), view.lastStation);
        ColumnRange& range = columns[c];
        const std::size_t first = b;
        for (; b < blocks.size() && blocks[b].last <= end; ++b) {
            const PieceBlock& block = blocks[b];
            range.low = std::min<double>(range.low, block.low);
            range.high = std::max<double>(range.high, block.high);
            range.flagged = range.flagged || (flags != nullptr && flags->Flagged(block));
            if (block.gap) {
                addGap(block.first, block.last);
                range.gapAfter = true;
            }
        }
        if (b == first)
            break;
    }
    return b;
}

// One min/max pair per pixel column over the pieces in view, and the x ranges
// of the gaps. A piece wider than a column is evaluated column by column, so
// the line stays smooth at any zoom; where many pieces fall into one column,
// whole blocks of them are taken at once.
std::vector<ColumnRange> Columns(const DecidedRows& rows, const ProfileView& view,
                                 const CurveFlags* flags,
                                 std::vector<std::pair<double, double>>& gaps)
{
    const int width = view.plotWidth;
    std::vector<ColumnRange> columns(static_cast<std::size_t>(width));
    const double s0 = view.firstStation;
    const double perPixel = PerPixel(view);
    auto column = [&](double station) {
        return static_cast<std::size_t>(
            std::clamp(std::floor((station - s0) / perPixel), 0.0, width - 1.0));
    };
    auto addGap = [&](double first, double last) {
        const double x0 = (first - s0) / perPixel;
        const double x1 = (last - s0) / perPixel;
        if (!gaps.empty() && x0 - gaps.back().second < 1)
            gaps.back().second = x1;
        else
            gaps.emplace_back(x0, x1);
    };
    auto merge = [&](std::size_t c, double low, double high, bool flagged) {
        columns[c].low = std::min(columns[c].low, low);
        columns[c].high = std::max(columns[c].high, high);
        columns[c].flagged = columns[c].flagged || flagged;
    };
    const std::vector<DecidedPiece>& pieces = rows.Pieces();
    const std::vector<PieceBlock>& blocks = rows.Blocks();
    constexpr std::size_t Block = DecidedRows::BlockPieces;
    for (std::size_t i = rows.FirstPieceEndingAfter(s0);
         i < pieces.size() && pieces[i].first < view.lastStation; ++i) {
        // A block within one column is taken from the blocks alone: the
        // pieces themselves are many times larger than the cache.
        if (i % Block == 0)
            i = MergeBlocks(blocks, i / Block, column, view, flags, columns, addGap) * Block;
        if (i >= pieces.size() || pieces[i].first >= view.lastStation)
            break;
        const DecidedPiece& piece = pieces[i];
        const double first = std::max<double>(piece.first, s0);
        const double last = std::min<double>(piece.last, view.lastStation);
        const std::size_t c0 = column(first);
        const std::size_t c1 = column(last);
        if (piece.row == 0) {
            addGap(first, last);
            columns[c0].gapAfter = true;
            if (c1 != c0)
                columns[c1].gapBefore = true;
            continue;
        }
        const bool flagged = flags != nullptr && flags->Flagged(piece.row);
        if (c0 == c1 && first == piece.first && last == piece.last) {
            merge(c0, piece.low, piece.high, flagged);
            continue;
        }
        for (std::size_t c = c0; c <= c1; ++c) {
            const double a = std::max(first, s0 + static_cast<double>(c) * perPixel);
            const double b = std::min(last, s0 + static_cast<double>(c + 1) * perPixel);
            const auto [low, high] = RowRange(rows.Row(piece.row), a, std::max(a, b));
            merge(c, low, high, flagged);
        }
    }
    return columns;
}

// Joins the columns into polylines, broken at gaps and where the flag changes;
// each column adds its low and high, the end nearer the last point first.
double YOfValue(const Panel& panel, double height, double value)
{
    return (panel.valueAtTop - value) / (panel.valueAtTop - panel.valueAtBottom) * height;
}

std::vector<Polyline> Lines(const std::vector<ColumnRange>& columns, double scale,
                            const Panel& panel, double height)
{
    auto y = [&](double value) { return YOfValue(panel, height, value * scale); };
    std::vector<Polyline> lines;
    bool open = false;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const ColumnRange& column = columns[c];
        if (!column.HasValue() || column.gapBefore)
            open = false;
        if (!column.HasValue())
            continue;
        if (open && lines.back().flagged != column.flagged) {
            const PixelPoint joint = lines.back().points.back();
            lines.push_back({{joint}, column.flagged});
        } else if (!open) {
            lines.push_back({{}, column.flagged});
        }
        open = true;
        const double x = static_cast<double>(c) + 0.5;
        PixelPoint low{x, y(column.low)};
        PixelPoint high{x, y(column.high)};
        std::vector<PixelPoint>& points = lines.back().points;
        if (!points.empty() &&
            std::abs(points.back().y - high.y) < std::abs(points.back().y - low.y))
            std::swap(low, high);
        points.push_back(low);
        if (column.high != column.low)
            points.push_back(high);
        open = !column.gapAfter;
    }
    return lines;
}

void ValueRange(const std::vector<ColumnRange>& columns, double scale, double& low, double& high)
{
    low = std::numeric_limits<double>::infinity();
    high = -low;
    for (const ColumnRange& column : columns) {
        if (column.HasValue()) {
            low = std::min(low, column.low * scale);
            high = std::max(high, column.high * scale);
        }
    }
}

std::vector<Tick> ValueTicks(const Panel& panel, double height)
{
    const double range = panel.valueAtTop - panel.valueAtBottom;
    const double step = NiceAtLeast(range * 30 / height);
    const int decimals = DecimalsFor(step);
    std::vector<Tick> ticks;
    for (double v = std::ceil(panel.valueAtBottom / step) * step; v <= panel.valueAtTop; v += step)
        ticks.push_back({(panel.valueAtTop - v) / range * height, Fixed(v, decimals)});
    return ticks;
}

// The grade panel keeps one scale for both directions times a round
// exaggeration, the largest that leaves a margin above and below the line.
double FitGrade(Panel& panel, double low, double high, const ProfileView& view)
{
    const double horizontal = 1 / PerPixel(view);
    double exaggeration = 1;
    if (high > low)
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

std::vector<Tick> StationTicks(const ProfileView& view)
{
    const double step = NiceAtLeast(PerPixel(view) * 110);
    const int decimals = DecimalsFor(step);
    std::vector<Tick> ticks;
    for (double s = std::ceil(view.firstStation / step) * step; s <= view.lastStation; s += step)
        ticks.push_back({XOfStation(view, s), StationLabel(s, decimals, view.plusNotation)});
    return ticks;
}

}  // namespace

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
    const double margin = last > first ? (last - first) * 0.02 : 50;
    view.firstStation = first - margin;
    view.lastStation = last + margin;
    return view;
}

ProfileView ZoomView(ProfileView view, double x, double factor)
{
    const double station = StationAtX(view, x);
    const double span =
        std::clamp((view.lastStation - view.firstStation) / factor, MinimumSpan, MaximumSpan);
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
        if (++visited > 4 * most)
            return {};
        if (pieces[i].row == 0)
            continue;
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

void AddCurveMarks(const ProfileViewIndex& index, const ProfileView& view, ProfileScene& scene)
{
    const CurveFlags flags(index, view);
    constexpr double KLabelRoom = 40;
    constexpr double MarkLabelRoom = 120;
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
        if (curve.shape == CurveShape::Straight || !curve.length)
            continue;
        const SegmentRow& v = curve.values;
        const double half = *curve.length / 2;
        const double pviStation = v.station1 + half;
        const double pviElevation = v.start + v.rate1 * half;
        const std::string pviText = room ? StationLabel(pviStation, 3, view.plusNotation) : "";
        scene.marks.push_back(
            {MarkKind::Pvi,
             {XOfStation(view, pviStation), YOfValue(scene.grade, view.gradeHeight, pviElevation)},
             row,
             room ? "PVI " + pviText : std::string()});
        const std::optional<CurvePoint> turn = curve.turningPoint;
        if (!turn || index.curves.RowAt(turn->station) != row)
            continue;  // off the curve, or where a later row decides
        const bool crest = curve.shape == CurveShape::Crest;
        std::string label;
        if (room)
            label = std::string(crest ? "High " : "Low ") +
                    StationLabel(turn->station, 3, view.plusNotation) + " / " +
                    Fixed(turn->elevation, 3);
        scene.marks.push_back({crest ? MarkKind::HighPoint : MarkKind::LowPoint,
                               {XOfStation(view, turn->station),
                                YOfValue(scene.grade, view.gradeHeight, turn->elevation)},
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
    scene.exaggeration = FitGrade(scene.grade, low, high, view);
    scene.exaggerationText = ExaggerationText(scene.exaggeration);
    ValueRange(super, 100, low, high);
    FitSuper(scene.super, low, high);
    scene.grade.lines = Lines(grade, 1, scene.grade, view.gradeHeight);
    scene.super.lines = Lines(super, 100, scene.super, view.superHeight);
    scene.grade.valueTicks = ValueTicks(scene.grade, view.gradeHeight);
    scene.super.valueTicks = ValueTicks(scene.super, view.superHeight);
    scene.stationTicks = StationTicks(view);
    scene.rowBoundaries = RowBoundaries(index.curves, view);
    AddCurveMarks(index, view, scene);
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
                     FormatPattern(elevation, "#####0.000");
    return cursor;
}

std::string HoverText(const ProfileViewIndex& index, const ProfileView& view, double x)
{
    const double station = StationAtX(view, x);
    const std::int32_t row = index.curves.RowAt(static_cast<float>(station));
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
