// Writing ravo-calc's answers as JSON.
#include "json_output.h"

#include <cmath>
#include <cstdio>

#include "core/formats/pvi_mapping.h"

namespace ravo::calc {
namespace {

const char* KindName(FaultKind kind)
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

std::string Field(const char* name, const std::string& json)
{
    return std::string("\"") + name + "\":" + json;
}

std::string FaultJson(const Fault& fault, bool plusNotation)
{
    return "{" + Field("kind", JsonString(KindName(fault.kind))) + "," +
           Field("rows", JsonString(fault.rows == SegmentKind::VerticalCurve ? "curve"
                                                                             : "superelevation")) +
           "," + Field("first", std::to_string(fault.first)) + "," +
           Field("second", std::to_string(fault.second)) + "," +
           Field("from", JsonNumber(fault.from)) + "," + Field("to", JsonNumber(fault.to)) + "," +
           Field("before", JsonNumber(fault.before)) + "," +
           Field("after", JsonNumber(fault.after)) + "," +
           Field("text", JsonString(FaultText(fault, plusNotation))) + "}";
}

std::string DesignFaultJson(const DesignFault& fault, const DesignCriteria& criteria)
{
    const bool belowK = fault.kind == DesignFaultKind::BelowMinimumK;
    return "{" + Field("kind", JsonString(belowK ? "below-minimum-k" : "too-short")) + "," +
           Field("rows", JsonString("curve")) + "," + Field("first", std::to_string(fault.row)) +
           "," + Field("second", "0") + "," + Field("crest", fault.crest ? "true" : "false") + "," +
           Field("value", JsonNumber(fault.value)) + "," +
           Field("minimum", JsonNumber(fault.minimum)) + "," +
           Field("text", JsonString(DesignFaultText(fault, criteria))) + "}";
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

std::string JsonNumber(double value) { return std::isfinite(value) ? ExactText(value) : "null"; }

std::string NotesJson(const std::vector<std::string>& notes)
{
    std::string list;
    for (const std::string& note : notes)
        list += (list.empty() ? "" : ",") + JsonString(note);
    return "[" + list + "]";
}

std::string CheckJson(const std::vector<Fault>& faults, const std::vector<DesignFault>& design,
                      const DesignCriteria& criteria, bool plusNotation,
                      const std::vector<std::string>& notes)
{
    std::string list;
    for (const Fault& fault : faults)
        list += (list.empty() ? "" : ",") + FaultJson(fault, plusNotation);
    for (const DesignFault& fault : design)
        list += (list.empty() ? "" : ",") + DesignFaultJson(fault, criteria);
    return "{" + Field("command", JsonString("check")) + "," +
           Field("version", std::to_string(JsonVersion)) + "," + Field("notes", NotesJson(notes)) +
           "," + Field("count", std::to_string(faults.size() + design.size())) + "," +
           Field("faults", "[" + list + "]") + "}\n";
}

}  // namespace ravo::calc
