// Reading the vertical alignments of a LandXML 1.x file (the exchange format
// of road design programs) into curve rows.
//
// LandXML/Alignments/Alignment (name) holds Profile elements; each ProfAlign
// (name) in them is one design profile, a list of PVI, ParaCurve (length),
// UnsymParaCurve (lengthIn, lengthOut) and CircCurve (length, radius)
// elements whose text is "station elevation". ProfSurf elements (ground
// lines) of the same Profile are kept with it. Elements are matched by their local name, whatever
// the namespace, so national variants of the format read the same.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/ground_line.h"
#include "core/formats/input_file.h"
#include "core/formats/length_unit.h"
#include "core/formats/pvi_mapping.h"
#include "core/formats/xml_shape.h"

namespace ravo {

struct LandXmlProfile {
    std::string alignment;
    std::string profile;
    std::vector<PviPoint> points;      // each with the line of its element
    int superelevations = 0;           // Superelevation elements of the alignment
    int stationEquations = 0;          // StaEquation elements of the alignment
    int alignmentNumber = 0;           // 1 for the file's first Alignment
    int profileNumber = 0;             // 1 for the alignment's first ProfAlign
    std::vector<GroundLine> ground{};  // the ProfSurf elements of its Profile

    bool operator==(const LandXmlProfile&) const = default;
};

struct LandXmlFile {
    std::string unitSystem;  // "Metric" or "Imperial"; empty when the file names none
    std::string linearUnit;  // e.g. "meter", "foot"; empty when not given
    std::vector<LandXmlProfile> profiles;

    bool operator==(const LandXmlFile&) const = default;
};

// True when the text holds an XML document whose root element is LandXML,
// whatever its namespace prefix.
bool LooksLikeLandXml(std::string_view text);

// Reads UTF-8 text (see DecodedText). Throws InputFileError with the XML
// parser's own words and the line for a malformed document, naming the line
// for elements nested deeper than MaxXmlDepth, more than MaxXmlElements
// elements or a profile of more than MaxSegmentCount curve rows, and naming
// the element and its line for a station, elevation or length that is not a
// number.
LandXmlFile ParseLandXml(std::string_view text);

// Which profile of a file with several to take; an empty name takes any. A
// name of digits alone that no alignment (profile) has chooses by position:
// "2" is the file's second alignment (the alignment's second profile). The
// numbers, when not 0, choose by position too: the choices of a
// ProfileChoiceError carry them, so that profiles of the same names can be
// told apart.
struct ProfileSelection {
    std::string alignment;
    std::string profile;
    int alignmentNumber = 0;
    int profileNumber = 0;
};

// The file holds several profiles that the selection does not tell apart.
class ProfileChoiceError : public InputFileError {
public:
    explicit ProfileChoiceError(std::vector<ProfileSelection> candidates);
    const std::vector<ProfileSelection>& Candidates() const { return candidates_; }

private:
    std::vector<ProfileSelection> candidates_;
};

// One line naming an alignment and its profile, for a list to choose from.
std::string SelectionText(const ProfileSelection& selection);

// The lines of the candidates, each with the numbers of its alignment and
// profile when another candidate has the same names.
std::vector<std::string> ChoiceTexts(const std::vector<ProfileSelection>& candidates);

struct ImportedProfile {
    InputProfile profile;
    std::vector<std::string> notes;  // what the user should know about the import
    // The file's unit: its linearUnit, or when that is none of the known ones,
    // meter for a Metric and foot for an Imperial file; none when it names none.
    std::optional<LengthUnit> unit{};
    std::vector<GroundLine> ground{};  // the ground lines along the profile
};

// The selected profile as curve rows, titled after its alignment and profile,
// its circular curves placed from radius and grades and its joints taken by the
// rules (PlaceCircularCurves, RowsFromPoints), with notes on circular curves,
// snapped joints, superelevation and station equations left
// out, and the file's unit. Throws ProfileChoiceError when several profiles
// match the selection, InputFileError when none does or the points do not
// make a profile.
ImportedProfile ImportLandXml(std::string_view bytes, const ProfileSelection& selection,
                              const JointRules& joints = {});

}  // namespace ravo
