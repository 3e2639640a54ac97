// Ground tables (CSV or plain lists) and LandXML ground lines read into a
// ground profile, and the ground written as CSV.
#include "core/ground/ground_read.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

#include "core/formats/input_file.h"
#include "core/formats/landxml_read.h"
#include "core/io/file_read.h"
#include "core/io/file_replace.h"
#include "core/text/numbers.h"
#include "core/text/station_notation.h"
#include "core/text/text_encoding.h"
#include "core/text/words.h"

namespace ravo {
namespace {

std::string LineError(std::size_t line, const std::string& what)
{
    return "line " + std::to_string(line) + ": " + what;
}

// The fields of a CSV line, each trimmed and without its surrounding quotes.
std::vector<std::string_view> CsvFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (std::size_t at = 0;;) {
        const std::size_t comma = std::min(line.find(',', at), line.size());
        std::string_view field = Trimmed(line.substr(at, comma - at));
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
            field = Trimmed(field.substr(1, field.size() - 2));
        fields.push_back(field);
        if (comma == line.size())
            return fields;
        at = comma + 1;
    }
}

bool ReadNumber(std::string_view text, double& value)
{
    if (text.size() > 1 && text.front() == '+')
        text.remove_prefix(1);
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && ptr == end && std::isfinite(value);
}

// A station as a plain number, or in road-station notation (12+34.56).
bool ReadStation(std::string_view text, double& value)
{
    if (ReadNumber(text, value))
        return true;
    try {
        value = ParseStation(text);
        return std::isfinite(value);
    } catch (const NotationError&) {
        return false;
    }
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// Which fields of a line hold the station and the elevation.
struct Columns {
    std::size_t station = 0;
    std::size_t elevation = 1;
};

// A header that names its columns chooses them; any other takes the first two.
Columns ColumnsOfHeader(const std::vector<std::string_view>& header)
{
    Columns columns;
    bool station = false, elevation = false;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string name = Lower(header[i]);
        if (!station && name == "station") {
            columns.station = i;
            station = true;
        } else if (!elevation && (name == "elevation" || name == "ground")) {
            columns.elevation = i;
            elevation = true;
        }
    }
    return station && elevation ? columns : Columns{};
}

class TableReader {
public:
    explicit TableReader(bool csv) : csv_(csv) {}

    void Line(std::string_view text, std::size_t number)
    {
        const std::vector<std::string_view> fields = csv_ ? CsvFields(text) : Words(text);
        double station = 0;
        if (first_) {
            first_ = false;
            if (!ReadStation(fields.front(), station)) {
                columns_ = ColumnsOfHeader(fields);
                return;
            }
        }
        const std::size_t needed = std::max(columns_.station, columns_.elevation) + 1;
        if (fields.size() < needed || (!csv_ && fields.size() > 2))
            throw InputFileError(LineError(number, "expected a station and an elevation, found \"" +
                                                       std::string(text.substr(0, 60)) + "\""));
        GroundPoint point;
        if (!ReadStation(fields[columns_.station], point.station))
            throw InputFileError(
                LineError(number, NotANumber(fields[columns_.station], "station")));
        if (!ReadNumber(fields[columns_.elevation], point.elevation))
            throw InputFileError(
                LineError(number, NotANumber(fields[columns_.elevation], "elevation")));
        if (points_.size() == MaxGroundPoints)
            throw InputFileError(LineError(number, "more than " + std::to_string(MaxGroundPoints) +
                                                       " ground points; at most " +
                                                       std::to_string(MaxGroundPoints) +
                                                       " can be read"));
        points_.push_back(point);
    }

    std::vector<GroundPoint> Points() && { return std::move(points_); }

private:
    static std::string NotANumber(std::string_view field, const char* what)
    {
        return std::string("the ") + what + " \"" + std::string(field.substr(0, 40)) +
               "\" is not a number";
    }

    bool csv_;
    bool first_ = true;
    Columns columns_;
    std::vector<GroundPoint> points_;
};

std::string LineNames(const std::vector<GroundLine>& lines)
{
    std::string names;
    for (const GroundLine& line : lines)
        names += (names.empty() ? "\"" : ", \"") + line.name + "\"";
    return names;
}

}  // namespace

std::vector<GroundPoint> GroundPointsOfTable(std::string_view text)
{
    std::optional<TableReader> reader;
    std::size_t number = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = Trimmed(line);
        if (line.empty() || line.front() == '#')
            continue;
        if (!reader)
            reader.emplace(line.find(',') != std::string_view::npos);
        reader->Line(line, number);
    }
    std::vector<GroundPoint> points;
    if (reader)
        points = std::move(*reader).Points();
    if (points.empty())
        throw InputFileError("the ground file holds no station and elevation points");
    return points;
}

const GroundLine& ChooseGroundLine(const std::vector<GroundLine>& lines, const std::string& name)
{
    if (lines.empty())
        throw InputFileError("the LandXML file holds no ground line (ProfSurf)");
    std::vector<const GroundLine*> matches;
    for (const GroundLine& line : lines)
        if (name.empty() ? line.state == "existing" : line.name == name)
            matches.push_back(&line);
    if (name.empty() && lines.size() == 1)
        return lines.front();
    if (matches.size() == 1)
        return *matches.front();
    const std::string choice = name.empty() ? "several ground lines (ProfSurf)"
                               : matches.empty()
                                   ? "no ground line (ProfSurf) named \"" + name + "\""
                                   : "several ground lines (ProfSurf) named \"" + name + "\"";
    throw InputFileError("the LandXML file holds " + choice +
                         "; choose one by name: " + LineNames(lines));
}

GroundSource GroundSourceOf(std::string_view bytes)
{
    std::string storage;
    const std::string_view text = DecodedText(bytes, storage);
    GroundSource source;
    if (!LooksLikeLandXml(text)) {
        source.table.emplace(GroundPointsOfTable(text));
        return source;
    }
    for (LandXmlProfile& profile : ParseLandXml(text).profiles)
        for (GroundLine& line : profile.ground)
            source.lines.push_back(std::move(line));
    return source;
}

GroundProfile GroundFromBytes(std::string_view bytes, const std::string& name)
{
    GroundSource source = GroundSourceOf(bytes);
    return source.table ? std::move(*source.table) : GroundFromLines(source.lines, name);
}

GroundProfile GroundFromLines(const std::vector<GroundLine>& lines, const std::string& name)
{
    const GroundLine& line = ChooseGroundLine(lines, name);
    if (line.points.empty())
        throw InputFileError("the ground line \"" + line.name + "\" holds no points");
    return GroundProfile(line.points);
}

GroundSource ReadGroundSource(const std::string& path)
{
    std::string bytes;
    try {
        bytes = ReadRegularFile(path, MaxGroundFileBytes);
    } catch (const FileReadError& e) {
        throw InputFileError(e.what());
    }
    return GroundSourceOf(bytes);
}

GroundProfile ReadGroundFile(const std::string& path, const std::string& name)
{
    GroundSource source = ReadGroundSource(path);
    return source.table ? std::move(*source.table) : GroundFromLines(source.lines, name);
}

std::string GroundCsvText(const GroundProfile& ground)
{
    std::string text = "station,elevation\r\n";
    for (const GroundPoint& point : ground.Points())
        text += ShortestText(point.station) + ',' + ShortestText(point.elevation) + "\r\n";
    return text;
}

void SaveGroundCsv(const GroundProfile& ground, const std::string& path)
{
    const std::string text = GroundCsvText(ground);
    ReplaceFile(path, [&text](ByteSink& sink) { sink.Write(text); });
}

}  // namespace ravo
