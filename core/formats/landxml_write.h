// Writing the profile's vertical curves as a LandXML 1.2 file.
//
// The curve rows must form one continuous profile (see RowPointStream). The
// file holds Units, Application (Ravo and its version) and one Alignment named
// after the title, with staStart and length of the profile, a CoordGeom of one
// straight Line of that length marked as a placeholder (Ravo holds no
// horizontal alignment), and a Profile with one ProfAlign: a PVI at each end
// and at each grade break, a ParaCurve for each symmetric curve and an
// UnsymParaCurve for two rows that form one. Values are written with the
// digits that read back as the same numbers. Superelevation is not written.
#pragma once

#include <string>
#include <vector>

#include "core/design/design_speed.h"
#include "core/design/profile_check.h"
#include "core/formats/ground_line.h"
#include "core/formats/length_unit.h"
#include "core/io/file_replace.h"
#include "core/profile/profile_state.h"

namespace ravo {

struct LandXmlExport {
    std::string text;
    std::vector<std::string> notes;  // e.g. that the superelevation was left out
};

// Writes the file into the sink a piece at a time, never holding its whole
// text; returns the notes of the export. The ground lines (in the rows' unit)
// are written as ProfSurf elements beside the ProfAlign, each with its points
// in one PntList2D. Throws ProfileNotContinuousError listing the faults, before
// anything is written, when the rows do not form one profile. Unit names the
// unit that the rows are in, written as the linearUnit of a Metric (meter) or
// Imperial (foot, USSurveyFoot) system.
std::vector<std::string> WriteLandXml(ByteSink& sink, const ProfileState& state, LengthUnit unit,
                                      const std::vector<GroundLine>& ground = {},
                                      const Tolerances& tolerances = {});

// The same text in memory.
LandXmlExport LandXmlText(const ProfileState& state, LengthUnit unit,
                          const Tolerances& tolerances = {},
                          const std::vector<GroundLine>& ground = {});
// Metres or feet, as the design speed's unit system names them.
LandXmlExport LandXmlText(const ProfileState& state, LengthUnits units,
                          const Tolerances& tolerances = {});

// Writes the file so that a failure leaves an existing one as it was. Throws
// ProfileNotContinuousError, or FileWriteError when the file cannot be written.
std::vector<std::string> WriteLandXml(const ProfileState& state, const std::string& path,
                                      LengthUnit unit, const Tolerances& tolerances = {},
                                      const std::vector<GroundLine>& ground = {});
std::vector<std::string> WriteLandXml(const ProfileState& state, const std::string& path,
                                      LengthUnits units, const Tolerances& tolerances = {});

}  // namespace ravo
