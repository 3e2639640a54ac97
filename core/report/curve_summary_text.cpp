// The curve summaries of ravo-calc's "curves": a block of report-style lines
// for each vertical curve and superelevation segment.
#include "core/report/curve_summary_text.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/report/report_layout.h"
#include "core/text/numbers.h"
#include "core/text/station_notation.h"

namespace ravo {
namespace {

// A station to a number of decimals, in road-station notation when asked for:
// the hundreds, "+", two digits and the fraction ("0+05.5000").
std::string StationToDecimals(float station, int decimals, bool plusNotation)
{
    const std::string plain =
        FormatPattern(station, "#####0." + std::string(static_cast<std::size_t>(decimals), '0'));
    if (!plusNotation)
        return plain;
    const bool negative = plain.starts_with('-');
    std::string digits = negative ? plain.substr(1) : plain;
    const auto fraction = static_cast<std::size_t>(decimals) + 1;
    if (digits.size() < fraction + 3)
        digits.insert(0, fraction + 3 - digits.size(), '0');
    digits.insert(digits.size() - fraction - 2, 1, '+');
    return negative ? "-" + digits : digits;
}

// A row's end as a text that reads back as the very float the row holds, so
// that a station typed as it is printed lies on the row, not a hair beyond
// it: three decimals when they do, otherwise as many more as it takes.
std::string EndStationText(float station, bool plusNotation)
{
    std::string text = StationText(station, plusNotation);
    constexpr int mostDecimals = 160;  // every float is exact in fewer
    for (int decimals = 4; decimals <= mostDecimals; ++decimals) {
        if (ToFloat(ParseStation(text)) == station)
            break;
        text = StationToDecimals(station, decimals, plusNotation);
    }
    return text;
}

// Design values are whole numbers.
std::string WholeText(double value) { return FormatPattern(value, "0"); }

// Six significant digits, for rates that may be very small.
std::string Rate(double value) { return SignificantText(value, 6); }

class BlockWriter {
public:
    BlockWriter(std::ostream& out, bool plusNotation) : out_(out), plus_(plusNotation) {}

    void Line(std::string_view label, std::string_view value, std::string_view label2 = {},
              std::string_view value2 = {})
    {
        const ReportLine line = !value2.empty()   ? ReportFields({label, value, label2, value2})
                                : !label2.empty() ? ReportFields({label, value, label2})
                                                  : ReportFields({label, value});
        for (const std::string& physical : line.PhysicalLines())
            out_ << physical << '\n';
    }

    std::string Station(float station) const { return StationText(station, plus_); }
    std::string End(float station) const { return EndStationText(station, plus_); }

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
    w.Line("STA 1", w.End(c.values.station1), "ELEV 1", ElevationText(c.values.start));
    w.Line("STA 2", w.End(c.values.station2), "ELEV 2", endElevation);
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
    w.Line("STA 1", w.End(s.values.station1), "SUPER 1", GradeText(s.values.start));
    w.Line("STA 2", w.End(s.values.station2), "SUPER 2",
           s.endSuper ? GradeText(*s.endSuper) : std::string("-"));
    if (s.extent != RowExtent::Normal)
        w.Line("NOTE", ExtentNote(s.extent));
}

}  // namespace

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
