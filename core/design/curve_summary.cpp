#include "core/design/curve_summary.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/profile/elevation.h"
#include "core/report/report.h"
#include "core/text/numbers.h"
#include "core/text/station_notation.h"

namespace ravo {
namespace {

// Design values are whole numbers.
std::string WholeText(double value) { return FormatPattern(value, "0"); }

// A value as the desktop program stores it; none beyond the float range.
std::optional<float> StoredValueOf(double value)
{
    try {
        return ToFloat(value);
    } catch (const OverflowError&) {
        return std::nullopt;
    }
}

// The value of a row at one of its stations.
std::optional<float> StoredValueAt(const SegmentRow& values, float station)
{
    return StoredValueOf(RowValue(values, station));
}

std::optional<CurvePoint> TurningPoint(const SegmentRow& values, double length)
{
    const double gradeChange = static_cast<double>(values.rate2) - values.rate1;
    if (gradeChange == 0)
        return std::nullopt;
    const double x = -static_cast<double>(values.rate1) * length / gradeChange;
    if (!(x >= 0 && x <= length))
        return std::nullopt;
    const float station = static_cast<float>(values.station1 + x);
    const std::optional<float> elevation = StoredValueAt(values, station);
    if (!elevation)
        return std::nullopt;
    return CurvePoint{station, *elevation};
}

// Six significant digits, for rates that may be very small.
std::string Rate(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

class BlockWriter {
public:
    BlockWriter(std::ostream& out, bool plusNotation) : out_(out), plus_(plusNotation) {}

    void Line(std::string_view label, std::string_view value, std::string_view label2 = {},
              std::string_view value2 = {})
    {
        ReportLine line(label);
        line.At(15, value);
        if (!label2.empty())
            line.At(30, label2);
        if (!value2.empty())
            line.At(45, value2);
        for (const std::string& physical : line.PhysicalLines())
            out_ << physical << '\n';
    }

    std::string Station(float station) const { return StationText(station, plus_); }

    std::ostream& Out() { return out_; }

private:
    std::ostream& out_;
    bool plus_;
};

const char* ExtentNote(RowExtent extent)
{
    switch (extent) {
    case RowExtent::ZeroLength:
        return "zero length: \"Invalid Entry\" at its station";
    case RowExtent::Reversed:
        return "ends before it begins: applies to no station";
    case RowExtent::Normal:
        break;
    }
    return "";
}

const char* ShapeName(CurveShape shape)
{
    switch (shape) {
    case CurveShape::Crest:
        return "crest";
    case CurveShape::Sag:
        return "sag";
    case CurveShape::Straight:
        break;
    }
    return "straight grade";
}

void WriteDesign(BlockWriter& w, const DesignSpeed& design, const DesignMinimums& m)
{
    const std::string unit = LengthUnitName(design.units);
    w.Line("DESIGN SPEED", Rate(design.speed) + " " + SpeedUnitName(design.units), "SIGHT DIST",
           WholeText(m.stoppingSightDistance) + " " + unit);
    w.Line("MIN K", "crest " + WholeText(m.crestK) + ", sag " + WholeText(m.sagK));
    w.Out() << "(the stopping sight distance taken as shorter than the curve)\n\n";
}

void WriteCurve(BlockWriter& w, const CurveSummary& c, const std::optional<DesignMinimums>& m)
{
    const char* kind = c.extent == RowExtent::Normal       ? ShapeName(c.shape)
                       : c.extent == RowExtent::ZeroLength ? "zero length"
                                                           : "reversed";
    w.Out() << "VERTICAL CURVE " << c.row << " (" << kind << ")\n";
    const std::string endElevation =
        c.endElevation ? ElevationText(*c.endElevation) : std::string("-");
    w.Line("STA 1", w.Station(c.values.station1), "ELEV 1", ElevationText(c.values.start));
    w.Line("STA 2", w.Station(c.values.station2), "ELEV 2", endElevation);
    w.Line("GRADE 1", GradeText(c.values.rate1), "GRADE 2", GradeText(c.values.rate2));
    if (c.extent != RowExtent::Normal) {
        w.Line("NOTE", ExtentNote(c.extent));
        return;
    }
    w.Line("LENGTH", ElevationText(*c.length), "RATE", Rate(*c.gradeChangeRate));
    w.Line("K", c.k ? ElevationText(*c.k) : "none (equal grades)");
    if (c.shape == CurveShape::Straight)
        return;
    if (c.pvi)
        w.Line("PVI", w.Station(c.pvi->station), "ELEV", ElevationText(c.pvi->elevation));
    if (const std::optional<double> least = m ? MinimumK(c, *m) : std::nullopt)
        w.Line("MIN K", WholeText(*least), *c.k < *least ? "BELOW MINIMUM" : "");
    const char* label = c.shape == CurveShape::Crest ? "HIGH POINT" : "LOW POINT";
    if (c.turningPoint)
        w.Line(label, w.Station(c.turningPoint->station), "ELEV",
               ElevationText(c.turningPoint->elevation));
    else
        w.Line(label, "none on the curve");
}

void WriteSegment(BlockWriter& w, const SegmentSummary& s)
{
    w.Out() << "SUPERELEVATION SEGMENT " << s.row << "\n";
    w.Line("STA 1", w.Station(s.values.station1), "SUPER 1", GradeText(s.values.start));
    w.Line("STA 2", w.Station(s.values.station2), "SUPER 2",
           s.endSuper ? GradeText(*s.endSuper) : std::string("-"));
    if (s.extent != RowExtent::Normal)
        w.Line("NOTE", ExtentNote(s.extent));
}

}  // namespace

RowExtent ExtentOf(const SegmentRow& row)
{
    if (row.station2 > row.station1)
        return RowExtent::Normal;
    return row.station2 == row.station1 ? RowExtent::ZeroLength : RowExtent::Reversed;
}

CurveShape ShapeOf(const SegmentRow& row)
{
    if (row.rate2 < row.rate1)
        return CurveShape::Crest;
    return row.rate2 > row.rate1 ? CurveShape::Sag : CurveShape::Straight;
}

std::optional<double> KOf(const SegmentRow& row)
{
    const double gradeChange = static_cast<double>(row.rate2) - row.rate1;
    if (ExtentOf(row) != RowExtent::Normal || gradeChange == 0)
        return std::nullopt;
    return (static_cast<double>(row.station2) - row.station1) / (100 * std::fabs(gradeChange));
}

std::optional<double> LeastKFor(CurveShape shape, const DesignMinimums& minimums)
{
    switch (shape) {
    case CurveShape::Crest:
        return minimums.crestK;
    case CurveShape::Sag:
        return minimums.sagK;
    case CurveShape::Straight:
        break;
    }
    return std::nullopt;
}

CurveSummary SummarizeCurve(std::int32_t row, const SegmentRow& values)
{
    CurveSummary summary{
        .row = row, .values = values, .extent = ExtentOf(values), .shape = ShapeOf(values)};
    if (summary.extent != RowExtent::Normal)
        return summary;

    const double length = static_cast<double>(values.station2) - values.station1;
    const double gradeChange = static_cast<double>(values.rate2) - values.rate1;
    summary.length = length;
    summary.endElevation = StoredValueAt(values, values.station2);
    summary.gradeChangeRate = gradeChange / length;
    summary.k = KOf(values);
    summary.turningPoint = TurningPoint(values, length);
    if (gradeChange != 0) {
        const float middle = static_cast<float>(values.station1 + length / 2);
        const std::optional<float> elevation = StoredValueOf(
            values.start + values.rate1 * (middle - static_cast<double>(values.station1)));
        if (elevation)
            summary.pvi = CurvePoint{middle, *elevation};
    }
    return summary;
}

SegmentSummary SummarizeSegment(std::int32_t row, const SegmentRow& values)
{
    SegmentSummary summary{.row = row, .values = values, .extent = ExtentOf(values)};
    if (summary.extent == RowExtent::Normal)
        summary.endSuper = StoredValueAt(values, values.station2);
    return summary;
}

std::optional<double> MinimumK(const CurveSummary& curve, const DesignMinimums& minimums)
{
    if (curve.extent != RowExtent::Normal)
        return std::nullopt;
    return LeastKFor(curve.shape, minimums);
}

void WriteCurves(std::ostream& out, const ProfileState& state, bool plusNotation,
                 const std::optional<DesignSpeed>& design)
{
    BlockWriter writer(out, plusNotation);
    if (!state.OutputTitle.empty())
        out << state.OutputTitle << "\n\n";
    std::optional<DesignMinimums> minimums;
    if (design) {
        minimums = MinimumsForDesignSpeed(design->speed, design->units);
        WriteDesign(writer, *design, *minimums);
    }
    if (state.NumVC < 1)
        out << "No vertical curves.\n";
    ForEachRow(state, SegmentKind::VerticalCurve, [&](std::int32_t row, const SegmentRow& values) {
        WriteCurve(writer, SummarizeCurve(row, values), minimums);
        out << '\n';
    });
    if (state.NumSup < 1)
        out << "No superelevation segments.\n";
    ForEachRow(state, SegmentKind::Superelevation, [&](std::int32_t row, const SegmentRow& values) {
        if (row > 1)
            out << '\n';
        WriteSegment(writer, SummarizeSegment(row, values));
    });
}

}  // namespace ravo
