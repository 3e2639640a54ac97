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

// The fields at the columns of the report's elevation log.
void WritePlainLine(std::ostream& out, const RowTexts& texts)
{
    const ReportLine line =
        ReportFields({texts.station, texts.offset, texts.super, texts.elevation});
    for (const std::string& physical : line.PhysicalLines())
        out << physical << '\n';
}

// No field holds a comma, a quote or a line end, so none needs quoting.
void WriteCsvLine(std::ostream& out, const RowTexts& texts)
{
    out << texts.station << ',' << texts.offset << ',' << texts.super << ',' << texts.elevation
        << "\r\n";
}

void WriteHeader(std::ostream& out, TableFormat format)
{
    if (format == TableFormat::Csv) {
        out << "station,offset,superelevation,elevation\r\n";
        return;
    }
    const ReportLine headings = LogHeadingLine();
    for (const std::string& physical : headings.PhysicalLines())
        out << physical << '\n';
    out << HyphenRule << '\n';
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

    WriteHeader(out, layout.format);
    ElevationWalk elevations(state);
    TableCounts counts;
    std::string firstOffCurve;
    Progress progress(err, "ravo-calc table", walk.Count() * offsets.size(), layout.progress);
    std::uint64_t rows = 0;
    for (std::uint64_t k = 0; k < walk.Count(); ++k) {
        for (float offset : offsets) {
            progress.Advance(++rows);
            const TablePoint point = CalculatePoint(state, elevations, walk.At(k), offset);
            const RowTexts texts = TextsOf(point, layout);
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
    return counts;
}

}  // namespace ravo::calc
