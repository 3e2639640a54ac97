// ravo-calc's answers as CSV tables, for spreadsheets and scripts: a header
// line naming the columns, one line a row, lines ended by CR LF, numbers in
// their shortest exact text with a point, an empty field where a row has no
// value. New columns may come at the end; readers take columns by name.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/design/design_speed.h"
#include "core/design/profile_check.h"
#include "core/profile/profile_state.h"

namespace ravo::calc {

// "curves --csv": the columns kind (curve or segment), row, extent (normal,
// zero-length, reversed), shape (crest, sag, straight; empty for a segment),
// station1, station2, start and end (elevations of a curve, superelevations
// of a segment, at its two stations), grade1, grade2 (a segment's super
// grades), length, rate, k, minimum_k (with a design speed), pvi_station,
// pvi_elevation, turning_station, turning_elevation; the curves first, then
// the segments.
std::string CurvesCsv(const ProfileState& state, const std::optional<DesignSpeed>& design);

// "check --csv": one line a fault with the columns of "check --json": kind,
// rows, first, second, from, to, before, after, crest (true or false; empty
// for a fault of the rows), value, minimum and text, the line that plain check
// prints for it (quoted, as any field with a comma or a quote).
std::string CheckCsv(const std::vector<Fault>& faults, const std::vector<DesignFault>& design,
                     const DesignCriteria& criteria, bool plusNotation);

}  // namespace ravo::calc
