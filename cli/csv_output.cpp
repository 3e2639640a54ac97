// Writing ravo-calc's curve summaries and faults as CSV tables.
#include "csv_output.h"

#include <cmath>

#include "core/design/curve_summary.h"
#include "core/text/numbers.h"
#include "json_output.h"

namespace ravo::calc {
namespace {

constexpr const char* LineEnd = "\r\n";

std::string Number(double value) { return std::isfinite(value) ? ShortestText(value) : ""; }

template <typename T>
std::string Optional(const std::optional<T>& value)
{
    return value ? Number(static_cast<double>(*value)) : "";
}

// A field as RFC 4180 has it: quoted, its quotes doubled, when it holds a
// comma, a quote or a line end.
std::string Field(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string Line(const std::vector<std::string>& fields)
{
    std::string line;
    for (const std::string& field : fields) {
        if (!line.empty() || &field != &fields.front())
            line += ',';
        line += Field(field);
    }
    return line + LineEnd;
}

std::string ExtentName(RowExtent extent)
{
    return extent == RowExtent::ZeroLength ? "zero-length"
           : extent == RowExtent::Reversed ? "reversed"
                                           : "normal";
}

std::string ShapeName(CurveShape shape)
{
    return shape == CurveShape::Crest ? "crest" : shape == CurveShape::Sag ? "sag" : "straight";
}

std::string CurveLine(const CurveSummary& c, const std::optional<DesignMinimums>& minimums)
{
    const std::optional<double> minimumK = minimums ? MinimumK(c, *minimums) : std::nullopt;
    const auto station = [](const std::optional<CurvePoint>& p) {
        return p ? Number(p->station) : "";
    };
    const auto elevation = [](const std::optional<CurvePoint>& p) {
        return p ? Number(p->elevation) : "";
    };
    return Line({"curve", std::to_string(c.row), ExtentName(c.extent), ShapeName(c.shape),
                 Number(c.values.station1), Number(c.values.station2), Number(c.values.start),
                 Optional(c.endElevation), Number(c.values.rate1), Number(c.values.rate2),
                 Optional(c.length), Optional(c.gradeChangeRate), Optional(c.k), Optional(minimumK),
                 station(c.pvi), elevation(c.pvi), station(c.turningPoint),
                 elevation(c.turningPoint)});
}

std::string SegmentLine(const SegmentSummary& s)
{
    return Line({"segment", std::to_string(s.row), ExtentName(s.extent), "",
                 Number(s.values.station1), Number(s.values.station2), Number(s.values.start),
                 Optional(s.endSuper), Number(s.values.rate1), Number(s.values.rate2), "", "", "",
                 "", "", "", "", ""});
}

}  // namespace

std::string CurvesCsv(const ProfileState& state, const std::optional<DesignSpeed>& design)
{
    std::optional<DesignMinimums> minimums;
    if (design)
        minimums = MinimumsForDesignSpeed(design->speed, design->units);
    std::string text = std::string(
                           "kind,row,extent,shape,station1,station2,start,end,grade1,"
                           "grade2,length,rate,k,minimum_k,pvi_station,pvi_elevation,"
                           "turning_station,turning_elevation") +
                       LineEnd;
    ForEachRow(state, SegmentKind::VerticalCurve, [&](std::int32_t row, const SegmentRow& values) {
        text += CurveLine(SummarizeCurve(row, values), minimums);
    });
    ForEachRow(state, SegmentKind::Superelevation, [&](std::int32_t row, const SegmentRow& values) {
        text += SegmentLine(SummarizeSegment(row, values));
    });
    return text;
}

std::string CheckCsv(const std::vector<Fault>& faults, const std::vector<DesignFault>& design,
                     const DesignCriteria& criteria, bool plusNotation)
{
    std::string text =
        std::string("kind,rows,first,second,from,to,before,after,crest,value,minimum,text") +
        LineEnd;
    for (const Fault& f : faults)
        text +=
            Line({FaultKindName(f.kind),
                  f.rows == SegmentKind::VerticalCurve ? "curve" : "superelevation",
                  std::to_string(f.first), std::to_string(f.second), Number(f.from), Number(f.to),
                  Number(f.before), Number(f.after), "", "", "", FaultText(f, plusNotation)});
    for (const DesignFault& f : design)
        text +=
            Line({f.kind == DesignFaultKind::BelowMinimumK ? "below-minimum-k" : "too-short",
                  "curve", std::to_string(f.row), "0", "", "", "", "", f.crest ? "true" : "false",
                  Number(f.value), Number(f.minimum), DesignFaultText(f, criteria)});
    return text;
}

}  // namespace ravo::calc
