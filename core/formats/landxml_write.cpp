// Writing the vertical curves as a LandXML 1.2 profile of PVIs.
#include "core/formats/landxml_write.h"

#include <pugixml.hpp>
#include <sstream>

#include "core/formats/pvi_mapping.h"
#include "core/io/file_replace.h"
#include "core/text/numbers.h"
#include "core/text/text_encoding.h"
#include "core/version.h"

namespace ravo {
namespace {

constexpr const char* Namespace = "http://www.landxml.org/schema/LandXML-1.2";

void SetNumber(pugi::xml_node node, const char* name, double value)
{
    node.append_attribute(name) = ShortestText(value).c_str();
}

// A title as XML 1.0 can hold it: control characters other than tab, line
// feed and carriage return, and the non-characters U+FFFE and U+FFFF, have no
// place in an XML document, not even as character references, and are left
// out. A title that is not UTF-8 is taken as Windows-1252, as files are read.
std::string XmlText(std::string_view text)
{
    const std::string utf8 = IsValidUtf8(text) ? std::string(text) : Windows1252ToUtf8(text);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r')
            continue;
        const std::string_view rest = std::string_view(utf8).substr(i);
        if (rest.starts_with("\xEF\xBF\xBE") || rest.starts_with("\xEF\xBF\xBF")) {
            i += 2;
            continue;
        }
        out += utf8[i];
    }
    return out;
}

LengthUnit UnitOf(LengthUnits units)
{
    return units == LengthUnits::Feet ? LengthUnit::Foot : LengthUnit::Meter;
}

void AddUnits(pugi::xml_node root, LengthUnit unit)
{
    const bool metric = unit == LengthUnit::Meter;
    pugi::xml_node system = root.append_child("Units").append_child(metric ? "Metric" : "Imperial");
    system.append_attribute("areaUnit") = metric ? "squareMeter" : "squareFoot";
    system.append_attribute("linearUnit") = LandXmlUnitName(unit);
    system.append_attribute("volumeUnit") = metric ? "cubicMeter" : "cubicFeet";
    system.append_attribute("temperatureUnit") = metric ? "celsius" : "fahrenheit";
    system.append_attribute("pressureUnit") = metric ? "milliBars" : "inHG";
}

void AddApplication(pugi::xml_node root)
{
    pugi::xml_node application = root.append_child("Application");
    application.append_attribute("name") = "Ravo";
    application.append_attribute("manufacturer") = "Ravo";
    application.append_attribute("version") = std::string(RavoVersion).c_str();
}

void AddPlaceholderLine(pugi::xml_node alignment, double start, double length)
{
    pugi::xml_node line = alignment.append_child("CoordGeom").append_child("Line");
    line.append_attribute("desc") =
        "placeholder: Ravo holds no horizontal alignment, only the profile";
    SetNumber(line, "staStart", start);
    SetNumber(line, "length", length);
    const std::string end = "0 " + ShortestText(length);
    line.append_child("Start").text() = "0 0";
    line.append_child("End").text() = end.c_str();
}

void AddPoint(pugi::xml_node profAlign, const PviPoint& p)
{
    const char* element = p.kind == PviKind::Para    ? "ParaCurve"
                          : p.kind == PviKind::Unsym ? "UnsymParaCurve"
                                                     : "PVI";
    pugi::xml_node node = profAlign.append_child(element);
    if (p.kind == PviKind::Para)
        SetNumber(node, "length", p.lengthIn + p.lengthOut);
    if (p.kind == PviKind::Unsym) {
        SetNumber(node, "lengthIn", p.lengthIn);
        SetNumber(node, "lengthOut", p.lengthOut);
    }
    const std::string text = ShortestText(p.station) + " " + ShortestText(p.elevation);
    node.text() = text.c_str();
}

}  // namespace

LandXmlExport LandXmlText(const ProfileState& state, LengthUnits units,
                          const Tolerances& tolerances)
{
    return LandXmlText(state, UnitOf(units), tolerances);
}

LandXmlExport LandXmlText(const ProfileState& state, LengthUnit unit, const Tolerances& tolerances)
{
    const std::vector<PviPoint> points = PointsFromRows(state, tolerances);
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node root = document.append_child("LandXML");
    root.append_attribute("xmlns") = Namespace;
    root.append_attribute("version") = "1.2";
    AddUnits(root, unit);
    AddApplication(root);

    const double start = points.front().station;
    const double length = points.back().station - start;
    const std::string title = XmlText(state.OutputTitle);
    pugi::xml_node alignment = root.append_child("Alignments").append_child("Alignment");
    alignment.append_attribute("name") = title.c_str();
    SetNumber(alignment, "staStart", start);
    SetNumber(alignment, "length", length);
    AddPlaceholderLine(alignment, start, length);
    pugi::xml_node profAlign = alignment.append_child("Profile").append_child("ProfAlign");
    profAlign.append_attribute("name") = title.c_str();
    for (const PviPoint& p : points)
        AddPoint(profAlign, p);

    std::ostringstream text;
    document.save(text, "  ", pugi::format_default, pugi::encoding_utf8);
    LandXmlExport result{text.str(), {}};
    if (!result.text.ends_with('\n'))
        result.text += '\n';
    if (state.NumSup > 0)
        result.notes.push_back(
            "The superelevation segments were not written: LandXML's superelevation cannot "
            "hold them faithfully.");
    return result;
}

std::vector<std::string> WriteLandXml(const ProfileState& state, const std::string& path,
                                      LengthUnits units, const Tolerances& tolerances)
{
    return WriteLandXml(state, path, UnitOf(units), tolerances);
}

std::vector<std::string> WriteLandXml(const ProfileState& state, const std::string& path,
                                      LengthUnit unit, const Tolerances& tolerances)
{
    LandXmlExport result = LandXmlText(state, unit, tolerances);
    ReplaceFile(path, [&result](ByteSink& sink) { sink.Write(result.text); });
    return std::move(result.notes);
}

}  // namespace ravo
