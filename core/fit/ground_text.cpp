// Reading the ground line of a fit from CSV, plain text or LandXML's ProfSurf.
#include "core/fit/ground_text.h"

#include <pugixml.hpp>

#include <string>

#include "core/formats/input_file.h"
#include "core/formats/landxml_read.h"
#include "core/text/station_notation.h"
#include "core/text/text_encoding.h"

namespace ravo {
namespace {

std::vector<std::string_view> FieldsOf(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t begin = line.find_first_not_of(" \t,;\r", at);
        if (begin == std::string_view::npos)
            break;
        const std::size_t end = line.find_first_of(" \t,;\r", begin);
        fields.push_back(line.substr(begin, end - begin));
        at = end == std::string_view::npos ? line.size() : end;
    }
    return fields;
}

std::vector<GroundPoint> PointsOfLines(std::string_view text)
{
    std::vector<GroundPoint> points;
    int number = 0;
    bool first = true;  // the first line may be a header
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::vector<std::string_view> fields = FieldsOf(text.substr(at, end - at));
        at = end + 1;
        ++number;
        if (fields.empty() || fields.front().starts_with('#'))
            continue;
        const std::string where = "line " + std::to_string(number) + ": ";
        const bool header = first;
        first = false;
        if (fields.size() < 2 && !header)
            throw InputFileError(where + "a ground point needs a station and an elevation");
        if (fields.size() < 2)
            continue;
        try {
            points.push_back({ParseStation(fields[0]), ParsePlainNumber(fields[1])});
        } catch (const NotationError& e) {
            if (header)
                continue;
            throw InputFileError(where + e.what());
        }
    }
    return points;
}

std::vector<GroundPoint> PointsOfLandXml(std::string_view text)
{
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
    if (!parsed)
        throw InputFileError(std::string("the LandXML file does not parse: ") +
                             parsed.description());
    const pugi::xpath_node surface = document.select_node("//*[local-name()='ProfSurf']");
    if (!surface)
        throw InputFileError("the LandXML file holds no ground line (ProfSurf)");
    std::vector<GroundPoint> points;
    for (const pugi::xml_node& list : surface.node().children()) {
        const std::string_view name = list.name();
        if (name == "PntList2D" || name.ends_with(":PntList2D")) {
            const std::vector<GroundPoint> more = GroundPointsOf(list.child_value(), "PntList2D");
            points.insert(points.end(), more.begin(), more.end());
        }
    }
    return points;
}

}  // namespace

GroundProfile GroundFromBytes(std::string_view bytes)
{
    std::string storage;
    const std::string_view text = DecodedText(bytes, storage);
    std::vector<GroundPoint> points =
        LooksLikeLandXml(text) ? PointsOfLandXml(text) : PointsOfLines(text);
    try {
        GroundProfile ground(std::move(points));
        if (ground.Points().size() < 2)
            throw InputFileError("the ground line needs at least two points at different stations");
        return ground;
    } catch (const std::invalid_argument& e) {
        throw InputFileError(e.what());
    }
}

}  // namespace ravo
