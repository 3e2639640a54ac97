#include "curve_summary.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

#include "elevation.h"
#include "numbers.h"
#include "report.h"
#include "station_notation.h"

namespace ravo {
namespace {

// The value of a row at one of its stations, as the desktop program stores it;
// none when it lies beyond the float range.
std::optional<float> StoredValueAt(const SegmentRow& values, float station)
{
    try {
        return ToFloat(RowValue(values, station));
    } catch (const OverflowError&) {
        return std::nullopt;
    }
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
            line.At(30, label2).At(45, value2);
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

void WriteCurve(BlockWriter& w, const CurveSummary& c)
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

CurveSummary SummarizeCurve(std::int32_t row, const SegmentRow& values)
{
    CurveSummary summary{.row = row, .values = values, .extent = ExtentOf(values)};
    if (values.rate2 < values.rate1)
        summary.shape = CurveShape::Crest;
    else if (values.rate2 > values.rate1)
        summary.shape = CurveShape::Sag;
    if (summary.extent != RowExtent::Normal)
        return summary;

    const double length = static_cast<double>(values.station2) - values.station1;
    const double gradeChange = static_cast<double>(values.rate2) - values.rate1;
    summary.length = length;
    summary.endElevation = StoredValueAt(values, values.station2);
    summary.gradeChangeRate = gradeChange / length;
    if (gradeChange != 0)
        summary.k = length / (100 * std::fabs(gradeChange));
    summary.turningPoint = TurningPoint(values, length);
    return summary;
}

SegmentSummary SummarizeSegment(std::int32_t row, const SegmentRow& values)
{
    SegmentSummary summary{.row = row, .values = values, .extent = ExtentOf(values)};
    if (summary.extent == RowExtent::Normal)
        summary.endSuper = StoredValueAt(values, values.station2);
    return summary;
}

void WriteCurves(std::ostream& out, const ProfileState& state, bool plusNotation)
{
    BlockWriter writer(out, plusNotation);
    if (!state.OutputTitle.empty())
        out << state.OutputTitle << "\n\n";
    if (state.NumVC < 1)
        out << "No vertical curves.\n";
    ForEachRow(state, SegmentKind::VerticalCurve, [&](std::int32_t row, const SegmentRow& values) {
        WriteCurve(writer, SummarizeCurve(row, values));
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
