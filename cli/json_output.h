// ravo-calc's machine-readable answers in JSON. Every document is one object
// on one line with "command" (the command that wrote it) and "version" (of
// its shape: a field that changes meaning or goes away takes a new version;
// new fields may come in any version, so readers ignore the ones they do not
// know).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/design/design_speed.h"
#include "core/design/profile_check.h"
#include "core/profile/profile_state.h"

namespace ravo::calc {

inline constexpr int JsonVersion = 1;

// The name of a fault's kind in JSON and CSV answers: "no-curves", "overlap"...
const char* FaultKindName(FaultKind kind);

// text as a JSON string, quoted and escaped.
std::string JsonString(std::string_view text);

// value as a JSON number, the shortest text that reads back as it; null when
// it is not finite.
std::string JsonNumber(double value);

// A JSON object put together field by field (the values already JSON).
class JsonObject {
public:
    JsonObject& Add(std::string_view name, std::string_view json);
    std::string Text() const;

private:
    std::string text_;
};

// The items (each already JSON) as a JSON array.
std::string JsonArray(const std::vector<std::string>& items);

// The faults that "check --json" reports, version 1:
// {"command":"check","version":1,"count":N,"faults":[F,...]} where each F has
// "kind" (no-curves, zero-length, reversed, overlap, more-overlaps, gap,
// elevation-step, grade-step, super-step, below-minimum-k, too-short),
// "rows" (curve or superelevation), "first" and "second" (row numbers as in
// the file; 0 where a fault names fewer rows), "from", "to", "before",
// "after" (stations and values as the kind has them), for the last two kinds
// "crest", "value" and "minimum", and "text", the line that plain check
// prints for it.
std::string CheckJson(const std::vector<Fault>& faults, const std::vector<DesignFault>& design,
                      const DesignCriteria& criteria, bool plusNotation,
                      const std::vector<std::string>& notes);

// The summaries that "curves --json" reports, version 1:
// {"command":"curves","version":1,"title":T,"design":D,"curves":[C,...],
// "segments":[S,...]}. D is null without a design speed, else "speed",
// "units" (m or ft), "stopping_sight_distance", "crest_k" and "sag_k". Each C
// has "row", "extent" (normal, zero-length, reversed), "shape" (crest, sag,
// straight), "station1", "station2", "elevation1", "elevation2", "grade1",
// "grade2", "length", "rate", "k", "minimum_k", "pvi" and "turning_point"
// (each {"station","elevation"}); each S has "row", "extent", "station1",
// "station2", "super1" and "super2". What a row does not have is null.
std::string CurvesJson(const ProfileState& state, const std::optional<DesignSpeed>& design,
                       const std::vector<std::string>& notes);

// Both documents have "notes" after "version": what the import of the file
// left out or approximated, one string each (an input file has none).
std::string NotesJson(const std::vector<std::string>& notes);

}  // namespace ravo::calc
