// A profile file in any format: recognised by content when read, chosen by name when written.
#include "core/formats/profile_file.h"

#include <cctype>
#include <optional>
#include <utility>

#include "core/formats/landxml_write.h"
#include "core/formats/pvi_mapping.h"
#include "core/formats/pvi_table.h"
#include "core/formats/station_precision.h"
#include "core/io/file_replace.h"

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

LoadedProfile ProfileOfFormat(std::string_view bytes, const ProfileSource& source)
{
    if (LooksLikeLandXml(bytes)) {
        ImportedProfile imported = ImportLandXml(bytes, source.selection);
        return {std::move(imported.profile), ProfileFormat::LandXml, std::move(imported.notes)};
    }
    if (LooksLikePviCsv(bytes))
        return {RowsFromPoints(ParsePviCsv(bytes), ""), ProfileFormat::PviCsv, {}};
    if (source.plainPvi)
        return {RowsFromPoints(ParsePviPlain(bytes), ""), ProfileFormat::PviPlain, {}};
    return {ParseInputFile(bytes), ProfileFormat::InputFile, {}};
}

}  // namespace

LoadedProfile AnyProfileFromBytes(std::string_view bytes, const ProfileSource& source)
{
    LoadedProfile loaded = ProfileOfFormat(bytes, source);
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

std::vector<std::string> SaveProfileAs(const ProfileState& state, const std::string& path,
                                       LengthUnits units)
{
    if (EndsWith(path, ".xml"))
        return WriteLandXml(state, path, units);
    if (EndsWith(path, ".csv")) {
        const std::string text = PviCsvText(PointsFromRows(state, {}));
        ReplaceFile(path, [&text](ByteSink& sink) { sink.Write(text); });
        return {};
    }
    WriteInputFile(state, path);
    return {};
}

}  // namespace ravo
