// "curves --json": each curve and segment summary as JSON.
#include <optional>
#include <string>

#include "core/design/curve_summary.h"
#include "json_output.h"

namespace ravo::calc {
namespace {

std::string Pair(const char* name, const std::string& json)
{
    return std::string(",\"") + name + "\":" + json;
}

template <typename T>
std::string Optional(const std::optional<T>& value)
{
    return value ? JsonNumber(static_cast<double>(*value)) : "null";
}

std::string PointJson(const std::optional<CurvePoint>& point)
{
    if (!point)
        return "null";
    return "{\"station\":" + JsonNumber(point->station) +
           Pair("elevation", JsonNumber(point->elevation)) + "}";
}

const char* ExtentName(RowExtent extent)
{
    return extent == RowExtent::ZeroLength ? "zero-length"
           : extent == RowExtent::Reversed ? "reversed"
                                           : "normal";
}

const char* ShapeName(CurveShape shape)
{
    return shape == CurveShape::Crest ? "crest" : shape == CurveShape::Sag ? "sag" : "straight";
}

std::string CurveJson(const CurveSummary& c, const std::optional<DesignMinimums>& minimums)
{
    const std::optional<double> minimumK = minimums ? MinimumK(c, *minimums) : std::nullopt;
    return "{\"row\":" + std::to_string(c.row) + Pair("extent", JsonString(ExtentName(c.extent))) +
           Pair("shape", JsonString(ShapeName(c.shape))) +
           Pair("station1", JsonNumber(c.values.station1)) +
           Pair("station2", JsonNumber(c.values.station2)) +
           Pair("elevation1", JsonNumber(c.values.start)) +
           Pair("elevation2", Optional(c.endElevation)) +
           Pair("grade1", JsonNumber(c.values.rate1)) + Pair("grade2", JsonNumber(c.values.rate2)) +
           Pair("length", Optional(c.length)) + Pair("rate", Optional(c.gradeChangeRate)) +
           Pair("k", Optional(c.k)) + Pair("minimum_k", Optional(minimumK)) +
           Pair("pvi", PointJson(c.pvi)) + Pair("turning_point", PointJson(c.turningPoint)) + "}";
}

std::string SegmentJson(const SegmentSummary& s)
{
    return "{\"row\":" + std::to_string(s.row) + Pair("extent", JsonString(ExtentName(s.extent))) +
           Pair("station1", JsonNumber(s.values.station1)) +
           Pair("station2", JsonNumber(s.values.station2)) +
           Pair("super1", JsonNumber(s.values.start)) + Pair("super2", Optional(s.endSuper)) + "}";
}

std::string DesignJson(const std::optional<DesignSpeed>& design,
                       const std::optional<DesignMinimums>& minimums)
{
    if (!design || !minimums)
        return "null";
    return "{\"speed\":" + JsonNumber(design->speed) +
           Pair("units", JsonString(design->units == LengthUnits::Feet ? "ft" : "m")) +
           Pair("stopping_sight_distance", JsonNumber(minimums->stoppingSightDistance)) +
           Pair("crest_k", JsonNumber(minimums->crestK)) +
           Pair("sag_k", JsonNumber(minimums->sagK)) + "}";
}

}  // namespace

std::string CurvesJson(const ProfileState& state, const std::optional<DesignSpeed>& design,
                       const std::vector<std::string>& notes)
{
    std::optional<DesignMinimums> minimums;
    if (design)
        minimums = MinimumsForDesignSpeed(design->speed, design->units);
    std::string curves, segments;
    ForEachRow(state, SegmentKind::VerticalCurve, [&](std::int32_t row, const SegmentRow& values) {
        curves += (curves.empty() ? "" : ",") + CurveJson(SummarizeCurve(row, values), minimums);
    });
    ForEachRow(state, SegmentKind::Superelevation, [&](std::int32_t row, const SegmentRow& values) {
        segments += (segments.empty() ? "" : ",") + SegmentJson(SummarizeSegment(row, values));
    });
    return "{\"command\":\"curves\"" + Pair("version", std::to_string(JsonVersion)) +
           Pair("notes", NotesJson(notes)) + Pair("title", JsonString(state.OutputTitle)) +
           Pair("design", DesignJson(design, minimums)) + Pair("curves", "[" + curves + "]") +
           Pair("segments", "[" + segments + "]") + "}\n";
}

}  // namespace ravo::calc
