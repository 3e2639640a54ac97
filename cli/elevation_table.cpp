// ravo-calc's elevation table: the station walk and the rows it writes as text or CSV.
#include "elevation_table.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "core/profile/elevation_walk.h"
#include "core/report/report_layout.h"
#include "core/text/numbers.h"
#include "core/text/station_notation.h"
#include "progress.h"

namespace ravo::calc {
namespace {

constexpr std::string_view InvalidEntry = "Invalid Entry";
constexpr std::string_view NoCurve = "no curve";
constexpr std::string_view NoGround = "no ground";
constexpr int GroundColumns[] = {60, 75};
constexpr std::size_t GroundRuleWidth = 82;  // to the end of "CUT/FILL"

float StationFloat(double station, const char* which)
{
    try {
        return ToFloat(station);
    } catch (const OverflowError&) {
        throw TableRequestError(std::string(which) +
                                " lies beyond the range of a station (about 3.4e38)");
    }
}

// The point at a station and offset as the desktop program's calculation
// gives it; the stations of one walk come in a monotonic order.
TablePoint CalculatePoint(const ProfileState& state, ElevationWalk& elevations, float station,
                          float offset)
{
    const WalkPoint point = elevations.At(station, offset);
    TablePoint out{.station = station, .offset = offset, .valid = point.ok};
    out.onCurve = !point.ok || point.curveRow != 0;
    if (point.ok) {
        out.super = point.super;
        out.elevation = point.elevation;
    } else {
        out.reason = InvalidEntryReason(state, point);
    }
    return out;
}

struct RowTexts {
    std::string station, offset, super, elevation;
    std::optional<std::string> ground{}, cutFill{};  // with a ground only
};

// Where no curve row contains the station there is no road to give an
// elevation of: plain text says so, CSV leaves the field empty.
RowTexts TextsOf(const TablePoint& point, const TableLayout& layout)
{
    RowTexts texts{StationText(point.station, layout.plusNotation), ElevationText(point.offset), "",
                   std::string(InvalidEntry)};
    if (point.valid) {
        texts.super = GradeText(point.super);
        if (point.onCurve)
            texts.elevation = ElevationText(point.elevation);
        else
            texts.elevation = layout.format == TableFormat::Csv ? "" : std::string(NoCurve);
    }
    return texts;
}

// The ground and the cut or fill at the point; true when the ground is there.
bool AddGroundTexts(RowTexts& texts, const TablePoint& point, const TableLayout& layout)
{
    const bool csv = layout.format == TableFormat::Csv;
    const CutFill here = CutFillAt(*layout.ground, point.station, point.elevation);
    if (!here.ground) {
        texts.ground = texts.cutFill = csv ? "" : std::string(NoGround);
        return false;
    }
    texts.ground = ElevationText(*here.ground);
    if (point.valid && point.onCurve)
        texts.cutFill = ElevationText(*here.depth);
    else
        texts.cutFill = csv ? "" : texts.elevation;
    return true;
}

// The fields at the columns of the report's elevation log.
void WritePlainLine(std::ostream& out, const RowTexts& texts)
{
    ReportLine line = ReportFields({texts.station, texts.offset, texts.super, texts.elevation});
    if (texts.ground)
        line.At(GroundColumns[0], *texts.ground).At(GroundColumns[1], *texts.cutFill);
    for (const std::string& physical : line.PhysicalLines())
        out << physical << '\n';
}

// No field holds a comma, a quote or a line end, so none needs quoting.
void WriteCsvLine(std::ostream& out, const RowTexts& texts)
{
    out << texts.station << ',' << texts.offset << ',' << texts.super << ',' << texts.elevation;
    if (texts.ground)
        out << ',' << *texts.ground << ',' << *texts.cutFill;
    out << "\r\n";
}

void WriteHeader(std::ostream& out, TableFormat format, bool ground)
{
    if (format == TableFormat::Csv) {
        out << "station,offset,superelevation,elevation" << (ground ? ",ground,cut_fill" : "")
            << "\r\n";
        return;
    }
    ReportLine headings = LogHeadingLine();
    if (ground)
        headings.At(GroundColumns[0], "GROUND").At(GroundColumns[1], "CUT/FILL");
    for (const std::string& physical : headings.PhysicalLines())
        out << physical << '\n';
    out << (ground ? std::string(GroundRuleWidth, '-') : HyphenRule) << '\n';
}

}  // namespace

StationWalk::StationWalk(double from, double to, double step) : from_(from), to_(to), step_(step)
{
    StationFloat(from, "--from");
    StationFloat(to, "--to");
    if (step == 0 || !std::isfinite(step))
        throw TableRequestError("--step must be a number other than 0");
    if (step < 0 && to > from)
        throw TableRequestError(
            "--step is negative, but --to lies above --from: give a positive "
            "step to walk upwards");
    step_ = to < from ? -std::fabs(step) : std::fabs(step);

    const double steps = (to - from) / step_;
    if (!(steps < static_cast<double>(MaxTableRows)))
        throw TableRequestError("the table would have more than " + std::to_string(MaxTableRows) +
                                " stations: use a larger --step or a shorter range");
    const double nearest = std::round(steps);
    landsOnEnd_ = std::fabs(steps - nearest) <= 1e-9 * std::fmax(1.0, nearest);
    steps_ = static_cast<std::uint64_t>(landsOnEnd_ ? nearest : std::floor(steps));
    // A last step that ends a hair short of `to` must not give the same float twice.
    extraEnd_ = !landsOnEnd_ && At(steps_) != ToFloat(to_);
}

float StationWalk::At(std::uint64_t k) const
{
    if (k > steps_ || (k == steps_ && landsOnEnd_))
        return ToFloat(to_);
    return ToFloat(from_ + static_cast<double>(k) * step_);
}

TableCounts WriteTable(std::ostream& out, std::ostream& err, const ProfileState& state,
                       const StationWalk& walk, const std::vector<float>& offsets,
                       const TableLayout& layout)
{
    if (offsets.empty())
        throw TableRequestError("the table needs at least one offset");
    if (walk.Count() > MaxTableRows / offsets.size())
        throw TableRequestError("the table would have more than " + std::to_string(MaxTableRows) +
                                " rows: use a larger --step, a shorter range or fewer offsets");

    WriteHeader(out, layout.format, layout.ground != nullptr);
    ElevationWalk elevations(state);
    TableCounts counts;
    std::string firstOffCurve, firstNoGround;
    Progress progress(err, "ravo-calc table", walk.Count() * offsets.size(), layout.progress);
    std::uint64_t rows = 0;
    for (std::uint64_t k = 0; k < walk.Count(); ++k) {
        for (float offset : offsets) {
            progress.Advance(++rows);
            const TablePoint point = CalculatePoint(state, elevations, walk.At(k), offset);
            RowTexts texts = TextsOf(point, layout);
            if (layout.ground != nullptr && !AddGroundTexts(texts, point, layout) &&
                counts.noGround++ == 0)
                firstNoGround = texts.station;
            if (layout.format == TableFormat::Csv)
                WriteCsvLine(out, texts);
            else
                WritePlainLine(out, texts);
            if (!point.valid) {
                progress.Clear();
                ++counts.invalid;
                err << "ravo-calc: station " << texts.station << ", offset " << texts.offset
                    << ": Invalid Entry (" << point.reason << ")\n";
            } else if (!point.onCurve && counts.noCurve++ == 0) {
                firstOffCurve = texts.station;
            }
        }
    }
    progress.Clear();
    if (counts.noCurve > 0)
        err << "ravo-calc: " << counts.noCurve << (counts.noCurve == 1 ? " row lies" : " rows lie")
            << " where no curve row contains the station, the first at station " << firstOffCurve
            << ": no curve, no elevation\n";
    if (counts.noGround > 0)
        err << "ravo-calc: " << counts.noGround
            << (counts.noGround == 1 ? " row lies" : " rows lie")
            << " where the ground has no point, the first at station " << firstNoGround
            << ": no ground, no cut or fill\n";
    return counts;
}

}  // namespace ravo::calc
