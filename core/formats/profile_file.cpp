// Loading a profile from any file that holds one, recognised by content, and
// saving one in the format its file name asks for.
#include "core/formats/profile_file.h"

#include <cctype>
#include <optional>
#include <utility>

#include "core/formats/landxml_write.h"
#include "core/formats/pvi_mapping.h"
#include "core/formats/pvi_table.h"
#include "core/formats/row_point_stream.h"
#include "core/formats/station_precision.h"
#include "core/io/file_replace.h"
#include "core/text/text_encoding.h"

namespace ravo {
namespace {

ProfileState StateOf(InputProfile&& profile)
{
    ProfileState state;
    ApplyInputProfile(state, std::move(profile));
    return state;
}

bool EndsWith(const std::string& path, std::string_view extension)
{
    if (path.size() < extension.size())
        return false;
    for (std::size_t i = 0; i < extension.size(); ++i) {
        const char c = path[path.size() - extension.size() + i];
        if (std::tolower(static_cast<unsigned char>(c)) != extension[i])
            return false;
    }
    return true;
}

// What a file that is none of the formats looks like: the kind of file its
// first bytes mark, XML of another kind, binary data, or its first line.
std::string LooksLike(std::string_view bytes, std::string_view text, const XmlShape& xml)
{
    const struct {
        std::string_view mark;
        const char* kind;
    } marks[] = {
        {"\x89PNG", "a PNG image"},
        {"\xFF\xD8\xFF", "a JPEG image"},
        {"GIF8", "a GIF image"},
        {"%PDF", "a PDF document"},
        {"PK\x03\x04", "a ZIP archive (or an office document)"},
        {"\x1F\x8B", "a gzip archive"},
        {"\x7F"
         "ELF",
         "a program (ELF)"},
    };
    for (const auto& m : marks) {
        if (bytes.starts_with(m.mark))
            return m.kind;
    }
    if (!xml.root.empty())
        return "an XML document whose root element is \"" + std::string(xml.root) + "\"";
    if (text.find('\0') != std::string_view::npos)
        return "binary data";
    const std::string_view line = text.substr(0, text.find_first_of("\r\n"));
    constexpr std::size_t shown = 60;
    return "text whose first line is \"" + std::string(line.substr(0, shown)) +
           (line.size() > shown ? "...\"" : "\"");
}

[[noreturn]] void RefuseUnknown(std::string_view bytes, std::string_view text, const XmlShape& xml)
{
    throw InputFileError(
        "the file is none of the formats that Ravo reads (a Ravo input file, LandXML, a PVI "
        "table): it looks like " +
        LooksLike(bytes, text, xml));
}

LoadedProfile InputFileFromText(std::string_view bytes, std::string_view text, const XmlShape& xml)
{
    InputFileNotes notes;
    InputProfile profile;
    try {
        profile = ParseInputText(text, notes);
    } catch (const InputFileError&) {
        // A text that ends before its counts, none of which held a number, is
        // better told by what it looks like; an empty file by where it ends.
        if (notes.countHoldsNumber || text.find_first_not_of(" \t\r\n") == std::string_view::npos)
            throw;
        RefuseUnknown(bytes, text, xml);
    }
    // Counts without a number read 0: such a text holds no rows at all.
    if (!notes.countHoldsNumber)
        RefuseUnknown(bytes, text, xml);
    return {std::move(profile),
            ProfileFormat::InputFile,
            LengthUnit::Meter,
            {},
            FieldsWithoutNumberLines(notes)};
}

LoadedProfile OfPoints(const std::vector<PviPoint>& points, ProfileFormat format,
                       const JointRules& joints)
{
    PointRows rows = RowsFromPoints(points, "", joints);
    return {std::move(rows.profile), format, LengthUnit::Meter, std::move(rows.notes)};
}

LoadedProfile ProfileOfFormat(std::string_view bytes, const ProfileSource& source)
{
    std::string storage;
    std::string_view text = DecodedText(bytes, storage);
    // UTF-16 without its mark is taken for a format that shows what it is.
    if (std::optional<std::string> wide = DecodeUtf16WithoutMark(bytes);
        wide && (!XmlShapeOf(*wide).root.empty() || LooksLikePviCsv(*wide))) {
        storage = std::move(*wide);
        text = storage;
    }
    const XmlShape xml = XmlShapeOf(text);
    if (text.find('\0') != std::string_view::npos)
        RefuseUnknown(bytes, text, xml);
    if (LooksLikeLandXml(text)) {
        ImportedProfile imported = ImportLandXml(text, source.selection, source.joints);
        return {std::move(imported.profile),
                ProfileFormat::LandXml,
                imported.unit.value_or(source.unit.value_or(LengthUnit::Meter)),
                std::move(imported.notes),
                {},
                std::move(imported.ground),
                imported.unit.has_value()};
    }
    // A title may begin with "<"; only a declared document is XML of another kind.
    if (xml.declared)
        RefuseUnknown(bytes, text, xml);
    if (LooksLikePviCsv(text))
        return OfPoints(ParsePviCsv(text), ProfileFormat::PviCsv, source.joints);
    if (source.plainPvi)
        return OfPoints(ParsePviPlain(text), ProfileFormat::PviPlain, source.joints);
    return InputFileFromText(bytes, text, xml);
}

}  // namespace

LoadedProfile AnyProfileFromBytes(std::string_view bytes, const ProfileSource& source)
{
    LoadedProfile loaded = ProfileOfFormat(bytes, source);
    if (loaded.format != ProfileFormat::LandXml && source.unit) {
        loaded.unit = *source.unit;
        loaded.notes.push_back(std::string("Lengths are in ") + UnitWords(*source.unit) +
                               ", as given.");
    }
    if (std::optional<std::string> note = StationPrecisionNote(loaded.profile))
        loaded.notes.push_back(std::move(*note));
    return loaded;
}

LoadedProfile ReadAnyProfile(const std::string& path, const ProfileSource& source)
{
    return AnyProfileFromBytes(ReadInputFileBytes(path), source);
}

ProfileState LoadProfile(const std::string& path, const ProfileSource& source)
{
    return StateOf(std::move(ReadAnyProfile(path, source).profile));
}

ProfileFormat FormatOfName(const std::string& path)
{
    if (EndsWith(path, ".xml"))
        return ProfileFormat::LandXml;
    return EndsWith(path, ".csv") ? ProfileFormat::PviCsv : ProfileFormat::InputFile;
}

std::vector<std::string> WriteProfile(ByteSink& sink, const ProfileState& state,
                                      ProfileFormat format, LengthUnit unit,
                                      const std::vector<GroundLine>& ground)
{
    if (format == ProfileFormat::LandXml)
        return WriteLandXml(sink, state, unit, ground);
    if (format == ProfileFormat::InputFile)
        WriteInputFile(state, sink);
    else
        WritePviCsv(sink, RowPointStream(state, {}));
    return {};
}

std::vector<std::string> SaveProfileAs(const ProfileState& state, const std::string& path,
                                       LengthUnit unit, const std::vector<GroundLine>& ground)
{
    const ProfileFormat format = FormatOfName(path);
    if (format == ProfileFormat::InputFile) {
        WriteInputFile(state, path);
        return {};
    }
    std::vector<std::string> notes;
    ReplaceFile(path,
                [&](ByteSink& sink) { notes = WriteProfile(sink, state, format, unit, ground); });
    return notes;
}

}  // namespace ravo
