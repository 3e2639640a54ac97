// Writing ravo-calc's answers as JSON.
#include "json_output.h"

#include <cmath>
#include <cstdio>

#include "core/formats/pvi_mapping.h"
#include "core/text/numbers.h"

namespace ravo::calc {
namespace {

}  // namespace

const char* FaultKindName(FaultKind kind)
{
    switch (kind) {
    case FaultKind::NoCurves:
        return "no-curves";
    case FaultKind::ZeroLength:
        return "zero-length";
    case FaultKind::Reversed:
        return "reversed";
    case FaultKind::Overlap:
        return "overlap";
    case FaultKind::MoreOverlaps:
        return "more-overlaps";
    case FaultKind::Gap:
        return "gap";
    case FaultKind::ElevationStep:
        return "elevation-step";
    case FaultKind::GradeStep:
        return "grade-step";
    case FaultKind::SuperStep:
        return "super-step";
    }
    return "unknown";
}

namespace {

std::string FaultJson(const Fault& fault, bool plusNotation)
{
    return JsonObject()
        .Add("kind", JsonString(FaultKindName(fault.kind)))
        .Add("rows",
             JsonString(fault.rows == SegmentKind::VerticalCurve ? "curve" : "superelevation"))
        .Add("first", std::to_string(fault.first))
        .Add("second", std::to_string(fault.second))
        .Add("from", JsonNumber(fault.from))
        .Add("to", JsonNumber(fault.to))
        .Add("before", JsonNumber(fault.before))
        .Add("after", JsonNumber(fault.after))
        .Add("text", JsonString(FaultText(fault, plusNotation)))
        .Text();
}

std::string DesignFaultJson(const DesignFault& fault, const DesignCriteria& criteria)
{
    const bool belowK = fault.kind == DesignFaultKind::BelowMinimumK;
    return JsonObject()
        .Add("kind", JsonString(belowK ? "below-minimum-k" : "too-short"))
        .Add("rows", JsonString("curve"))
        .Add("first", std::to_string(fault.row))
        .Add("second", "0")
        .Add("crest", fault.crest ? "true" : "false")
        .Add("value", JsonNumber(fault.value))
        .Add("minimum", JsonNumber(fault.minimum))
        .Add("text", JsonString(DesignFaultText(fault, criteria)))
        .Text();
}

}  // namespace

std::string JsonString(std::string_view text)
{
    std::string json = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                json += escaped;
            } else {
                json += c;
            }
        }
    }
    return json + "\"";
}

std::string JsonNumber(double value) { return std::isfinite(value) ? ShortestText(value) : "null"; }

JsonObject& JsonObject::Add(std::string_view name, std::string_view json)
{
    text_ += text_.empty() ? '{' : ',';
    text_ += '"';
    text_ += name;
    text_ += "\":";
    text_ += json;
    return *this;
}

std::string JsonObject::Text() const
{
    std::string text = text_.empty() ? std::string("{") : text_;
    text += '}';
    return text;
}

std::string JsonArray(const std::vector<std::string>& items)
{
    std::string text = "[";
    for (const std::string& item : items) {
        if (text.size() > 1)
            text += ',';
        text += item;
    }
    text += ']';
    return text;
}

std::string NotesJson(const std::vector<std::string>& notes)
{
    std::vector<std::string> items;
    for (const std::string& note : notes)
        items.push_back(JsonString(note));
    return JsonArray(items);
}

std::string CheckJson(const std::vector<Fault>& faults, const std::vector<DesignFault>& design,
                      const DesignCriteria& criteria, bool plusNotation,
                      const std::vector<std::string>& notes)
{
    std::vector<std::string> items;
    for (const Fault& fault : faults)
        items.push_back(FaultJson(fault, plusNotation));
    for (const DesignFault& fault : design)
        items.push_back(DesignFaultJson(fault, criteria));
    std::string text = JsonObject()
                           .Add("command", JsonString("check"))
                           .Add("version", std::to_string(JsonVersion))
                           .Add("notes", NotesJson(notes))
                           .Add("count", std::to_string(items.size()))
                           .Add("faults", JsonArray(items))
                           .Text();
    text += '\n';
    return text;
}

}  // namespace ravo::calc
