// Loading a profile from any file that holds one, recognised by its content
// whatever its name: a Ravo input file, a LandXML file (its root element is
// LandXML), a PVI table in CSV (its first line is the header
// station,elevation,length...), or when asked, a plain PVI table
// ("station elevation [length]" per line). And saving one in the format its
// file name asks for.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/design/design_speed.h"
#include "core/formats/input_file.h"
#include "core/formats/landxml_read.h"
#include "core/formats/length_unit.h"
#include "core/io/file_replace.h"
#include "core/profile/profile_state.h"

namespace ravo {

enum class ProfileFormat { InputFile, LandXml, PviCsv, PviPlain };

struct ProfileSource {
    ProfileSelection selection;  // for a LandXML file with several profiles
    bool plainPvi = false;       // read a file that is not recognised as a plain PVI table
    JointRules joints{};         // for the points of LandXML files and PVI tables
    // The unit of a file that names none (an input file, a PVI table, LandXML
    // without Units); metres when not given.
    std::optional<LengthUnit> unit{};
};

struct LoadedProfile {
    InputProfile profile;
    ProfileFormat format = ProfileFormat::InputFile;
    LengthUnit unit = LengthUnit::Meter;  // the unit the rows are in
    std::vector<std::string> notes{};     // for the user to read after the load
    // For an input file: one line for each kind with fields that hold no
    // number and read as 0 (FieldsWithoutNumberLines).
    std::vector<std::string> fieldsWithoutNumber{};
    std::vector<GroundLine> ground{};  // a LandXML profile's ground lines
    bool unitNamed = false;            // the file names its unit (LandXML's Units)
};

// The file's bytes are decoded once (DecodedText), and the format recognised
// on the text. A file that is none of the formats is refused with what it
// looks like: binary data (a NUL in the text, or the mark of a known kind of
// file), XML with another root element, or an input file whose counts hold no
// number and so no rows.
//
// Throws InputFileError when the file cannot be read, is none of the formats,
// does not parse, or holds more than MaxSegmentCount rows of a kind; its
// ProfileChoiceError when a LandXML file holds several profiles that the
// selection does not tell apart.
LoadedProfile ReadAnyProfile(const std::string& path, const ProfileSource& source = {});
LoadedProfile AnyProfileFromBytes(std::string_view bytes, const ProfileSource& source = {});

// The same, as a record of its own like the desktop program's after "Load
// Input"; the notes are dropped.
ProfileState LoadProfile(const std::string& path, const ProfileSource& source = {});

// Writes the profile as LandXML when the path ends in ".xml", naming the unit
// the rows are in, as a PVI table when it ends in ".csv" (either case),
// otherwise as a Ravo input file; the file is replaced only when the whole
// text is written. Returns the notes of the export. Throws ProfileNotContinuousError for rows that
// make no PVI profile, InputFileError or FileWriteError when the file cannot be written.
// A LandXML file's ground lines, in the rows' unit, are written beside its
// profile.
std::vector<std::string> SaveProfileAs(const ProfileState& state, const std::string& path,
                                       LengthUnit unit, const std::vector<GroundLine>& ground = {});

// The format that a file name asks for, as SaveProfileAs takes it: LandXml,
// PviCsv or InputFile.
ProfileFormat FormatOfName(const std::string& path);

// Writes the profile in the format (InputFile, LandXml or PviCsv) into the
// sink, a piece at a time, and gives the notes of the export. Throws as
// SaveProfileAs, before anything is written when the rows cannot be written.
std::vector<std::string> WriteProfile(ByteSink& sink, const ProfileState& state,
                                      ProfileFormat format, LengthUnit unit,
                                      const std::vector<GroundLine>& ground = {});

}  // namespace ravo
