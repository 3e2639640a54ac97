// The faults of a profile that a road designer wants to hear about before
// using it: rows that apply nowhere or only at one failing station, rows that
// overlap, gaps, and joints where neighbouring rows disagree.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/design/design_speed.h"
#include "core/profile/profile_state.h"

namespace ravo {

// Differences up to these are no fault.
struct Tolerances {
    double elevation = 0.001;  // length units, at a joint of two curves
    double grade = 0.0001;     // grades and superelevations (ratios) at a joint
};

enum class FaultKind {
    NoCurves,       // no vertical curve at all: every grade elevation is 0
    ZeroLength,     // a row that begins and ends at one station ("Invalid Entry" there)
    Reversed,       // a row that ends before it begins: it applies to no station
    Overlap,        // two rows that share a stretch: the later row wins there
    MoreOverlaps,   // the list of overlaps was cut short
    Gap,            // a stretch between neighbouring rows that no row covers
    ElevationStep,  // neighbouring curves meet at different elevations
    GradeStep,      // neighbouring curves meet with different grades
    SuperStep,      // neighbouring segments meet at different superelevations
};

// Rows are numbered as in the file. For two rows, first and second are in row
// order for an overlap (second is the one that wins) and in station order
// otherwise. from and to are the stations concerned (one station: from);
// before and after the values on either side of a joint.
struct Fault {
    FaultKind kind = FaultKind::NoCurves;
    SegmentKind rows = SegmentKind::VerticalCurve;
    std::int32_t first = 0;
    std::int32_t second = 0;
    double from = 0;
    double to = 0;
    double before = 0;
    double after = 0;
};

// Overlaps listed per kind of row before the list is cut short.
inline constexpr std::size_t MaxListedOverlaps = 1000;

// Neighbours are taken along the road, not in file order: rows of positive
// length are ordered by beginning station (row number breaking ties), and each
// row is compared with the row before it that reaches farthest. Zero-length
// and reversed rows are reported on their own and left out of that order.
// Superelevation segments are checked for gaps and for the superelevation at
// joints, not for super grades, which may change at a joint by design.
std::vector<Fault> CheckProfile(const ProfileState& state, const Tolerances& tolerances);

// One line, without a line end, naming the rows and stations.
std::string FaultText(const Fault& fault, bool plusNotation);

// What a profile's curves are checked against beyond continuity.
struct DesignCriteria {
    std::optional<DesignSpeed> speed;  // K of each crest and sag at least its minimum
    std::optional<double> minLength;   // every curve at least this long
};

enum class DesignFaultKind { BelowMinimumK, TooShort };

// A curve row (with differing grades) that falls short: its K or its length
// (value) against the minimum.
struct DesignFault {
    DesignFaultKind kind = DesignFaultKind::BelowMinimumK;
    std::int32_t row = 0;
    bool crest = false;
    double value = 0;
    double minimum = 0;
};

// Rows of zero length and reversed rows are left to CheckProfile.
std::vector<DesignFault> CheckDesign(const ProfileState& state, const DesignCriteria& criteria);

std::string DesignFaultText(const DesignFault& fault, const DesignCriteria& criteria);

}  // namespace ravo
