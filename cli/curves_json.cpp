// "curves --json": each curve and segment summary as JSON.
#include <optional>
#include <string>

#include "core/design/curve_summary.h"
#include "json_output.h"

namespace ravo::calc {
namespace {

template <typename T>
std::string Optional(const std::optional<T>& value)
{
    return value ? JsonNumber(static_cast<double>(*value)) : "null";
}

std::string PointJson(const std::optional<CurvePoint>& point)
{
    if (!point)
        return "null";
    return JsonObject()
        .Add("station", JsonNumber(point->station))
        .Add("elevation", JsonNumber(point->elevation))
        .Text();
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
    return JsonObject()
        .Add("row", std::to_string(c.row))
        .Add("extent", JsonString(ExtentName(c.extent)))
        .Add("shape", JsonString(ShapeName(c.shape)))
        .Add("station1", JsonNumber(c.values.station1))
        .Add("station2", JsonNumber(c.values.station2))
        .Add("elevation1", JsonNumber(c.values.start))
        .Add("elevation2", Optional(c.endElevation))
        .Add("grade1", JsonNumber(c.values.rate1))
        .Add("grade2", JsonNumber(c.values.rate2))
        .Add("length", Optional(c.length))
        .Add("rate", Optional(c.gradeChangeRate))
        .Add("k", Optional(c.k))
        .Add("minimum_k", Optional(minimumK))
        .Add("pvi", PointJson(c.pvi))
        .Add("turning_point", PointJson(c.turningPoint))
        .Text();
}

std::string SegmentJson(const SegmentSummary& s)
{
    return JsonObject()
        .Add("row", std::to_string(s.row))
        .Add("extent", JsonString(ExtentName(s.extent)))
        .Add("station1", JsonNumber(s.values.station1))
        .Add("station2", JsonNumber(s.values.station2))
        .Add("super1", JsonNumber(s.values.start))
        .Add("super2", Optional(s.endSuper))
        .Text();
}

std::string DesignJson(const std::optional<DesignSpeed>& design,
                       const std::optional<DesignMinimums>& minimums)
{
    if (!design || !minimums)
        return "null";
    return JsonObject()
        .Add("speed", JsonNumber(design->speed))
        .Add("units", JsonString(design->units == LengthUnits::Feet ? "ft" : "m"))
        .Add("stopping_sight_distance", JsonNumber(minimums->stoppingSightDistance))
        .Add("crest_k", JsonNumber(minimums->crestK))
        .Add("sag_k", JsonNumber(minimums->sagK))
        .Text();
}

}  // namespace

std::string CurvesJson(const ProfileState& state, const std::optional<DesignSpeed>& design,
                       const std::vector<std::string>& notes)
{
    std::optional<DesignMinimums> minimums;
    if (design)
        minimums = MinimumsForDesignSpeed(design->speed, design->units);
    std::vector<std::string> curves, segments;
    ForEachRow(state, SegmentKind::VerticalCurve, [&](std::int32_t row, const SegmentRow& values) {
        curves.push_back(CurveJson(SummarizeCurve(row, values), minimums));
    });
    ForEachRow(state, SegmentKind::Superelevation, [&](std::int32_t row, const SegmentRow& values) {
        segments.push_back(SegmentJson(SummarizeSegment(row, values)));
    });
    std::string text = JsonObject()
                           .Add("command", JsonString("curves"))
                           .Add("version", std::to_string(JsonVersion))
                           .Add("notes", NotesJson(notes))
                           .Add("title", JsonString(state.OutputTitle))
                           .Add("design", DesignJson(design, minimums))
                           .Add("curves", JsonArray(curves))
                           .Add("segments", JsonArray(segments))
                           .Text();
    text += '\n';
    return text;
}

}  // namespace ravo::calc
