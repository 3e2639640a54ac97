// Writing the vertical curves as a LandXML 1.2 profile of PVIs, a piece at
// a time, laid out as pugixml lays out a document (two blanks a level, the
// attribute escapes of its writer), so that the bytes are those of a tree
// saved whole.
#include "core/formats/landxml_write.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/formats/pvi_mapping.h"
#include "core/formats/row_point_stream.h"
#include "core/formats/text_out.h"
#include "core/io/file_replace.h"
#include "core/text/numbers.h"
#include "core/text/text_encoding.h"
#include "core/version.h"

namespace ravo {
namespace {

constexpr const char* Namespace = "http://www.landxml.org/schema/LandXML-1.2";

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

// An attribute value with the escapes of pugixml's writer: &, < and " as
// entities, every control character as a two-digit character reference.
void Escaped(TextOut& out, std::string_view value)
{
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '&')
            out << "&amp;";
        else if (c == '<')
            out << "&lt;";
        else if (c == '"')
            out << "&quot;";
        else if (byte < 0x20)
            out << "&#" << static_cast<char>('0' + byte / 10) << static_cast<char>('0' + byte % 10)
                << ';';
        else
            out << c;
    }
}

// Elements one a line, indented two blanks a level.
class XmlOut {
public:
    explicit XmlOut(ByteSink& sink) : out_(sink) {}

    // "<name": attributes follow, then Open, Empty or a text element's Close.
    XmlOut& Begin(std::string_view name)
    {
        Indent();
        out_ << '<' << name;
        return *this;
    }
    XmlOut& Text(std::string_view name, std::string_view value)
    {
        out_ << ' ' << name << "=\"";
        Escaped(out_, value);
        out_ << '"';
        return *this;
    }
    XmlOut& Number(std::string_view name, double value)
    {
        out_ << ' ' << name << "=\"";
        out_.Number(value) << '"';
        return *this;
    }
    void Open()
    {
        out_ << ">\n";
        ++depth_;
    }
    void Empty() { out_ << " />\n"; }
    void Close(std::string_view name)
    {
        --depth_;
        Indent();
        out_ << "</" << name << ">\n";
    }
    // The text of an element that holds only text, after its attributes.
    TextOut& Content() { return out_ << '>'; }
    void EndContent(std::string_view name) { out_ << "</" << name << ">\n"; }
    void Finish() { out_.Finish(); }
    void Line(std::string_view text) { out_ << text << '\n'; }
    // For text laid out by the caller, indent and all.
    TextOut& Out() { return out_; }
    // The blanks before an element at this depth; the document is never
    // deeper than these allow.
    std::string_view IndentText() const
    {
        constexpr std::string_view blanks = "                    ";
        return blanks.substr(0, std::min(blanks.size(), static_cast<std::size_t>(2 * depth_)));
    }

private:
    void Indent() { out_ << IndentText(); }

    TextOut out_;
    int depth_ = 0;
};

void WriteUnits(XmlOut& xml, LengthUnit unit)
{
    const bool metric = unit == LengthUnit::Meter;
    xml.Begin("Units").Open();
    xml.Begin(metric ? "Metric" : "Imperial")
        .Text("areaUnit", metric ? "squareMeter" : "squareFoot")
        .Text("linearUnit", LandXmlUnitName(unit))
        .Text("volumeUnit", metric ? "cubicMeter" : "cubicFeet")
        .Text("temperatureUnit", metric ? "celsius" : "fahrenheit")
        .Text("pressureUnit", metric ? "milliBars" : "inHG")
        .Empty();
    xml.Close("Units");
}

void WritePlaceholderLine(XmlOut& xml, double start, double length)
{
    xml.Begin("CoordGeom").Open();
    xml.Begin("Line")
        .Text("desc", "placeholder: Ravo holds no horizontal alignment, only the profile")
        .Number("staStart", start)
        .Number("length", length)
        .Open();
    xml.Begin("Start").Content() << "0 0";
    xml.EndContent("Start");
    (xml.Begin("End").Content() << "0 ").Number(length);
    xml.EndContent("End");
    xml.Close("Line");
    xml.Close("CoordGeom");
}

// A point's line, gathered whole before it goes out: a long profile writes
// little else, and one piece a line is much less work than one a word.
class PointLine {
public:
    PointLine& operator<<(std::string_view text)
    {
        end_ = std::copy(text.begin(), text.end(), end_);
        return *this;
    }
    PointLine& Number(double value)
    {
        end_ = WriteShortest(end_, value);
        return *this;
    }
    std::string_view Text() const
    {
        return {text_.data(), static_cast<std::size_t>(end_ - text_.data())};
    }

private:
    // Four numbers at most (an unsymmetric curve's two lengths, the station
    // and the elevation), the longest element name twice, the indent and the
    // markup.
    std::array<char, 4 * ShortestTextRoom + 128> text_{};
    char* end_ = text_.data();
};

void WritePoint(TextOut& out, std::string_view indent, const RowPoint& p)
{
    const std::string_view element = p.kind == PviKind::Para    ? "ParaCurve"
                                     : p.kind == PviKind::Unsym ? "UnsymParaCurve"
                                                                : "PVI";
    PointLine line;
    line << indent << "<" << element;
    if (p.kind == PviKind::Para) {
        line << " length=\"";
        line.Number(p.lengthIn + p.lengthOut) << "\"";
    }
    if (p.kind == PviKind::Unsym) {
        line << " lengthIn=\"";
        line.Number(p.lengthIn) << "\" lengthOut=\"";
        line.Number(p.lengthOut) << "\"";
    }
    line << ">";
    line.Number(p.station) << " ";
    line.Number(p.elevation) << "</" << element << ">\n";
    out << line.Text();
}

// A ground line as a ProfSurf element: its points in one PntList2D.
void WriteGroundLine(XmlOut& xml, const GroundLine& line)
{
    xml.Begin("ProfSurf").Text("name", XmlText(line.name));
    if (!line.state.empty())
        xml.Text("state", XmlText(line.state));
    xml.Open();
    TextOut& out = xml.Begin("PntList2D").Content();
    for (std::size_t i = 0; i < line.points.size(); ++i) {
        if (i > 0)
            out << ' ';
        out.Number(line.points[i].station) << ' ';
        out.Number(line.points[i].elevation);
    }
    xml.EndContent("PntList2D");
    xml.Close("ProfSurf");
}

std::vector<std::string> Notes(const ProfileState& state)
{
    if (state.NumSup == 0)
        return {};
    return {
        "The superelevation segments were not written: LandXML's superelevation cannot "
        "hold them faithfully."};
}

}  // namespace

std::vector<std::string> WriteLandXml(ByteSink& sink, const ProfileState& state, LengthUnit unit,
                                      const std::vector<GroundLine>& ground,
                                      const Tolerances& tolerances)
{
    const RowPointStream points(state, tolerances);
    XmlOut xml(sink);
    xml.Line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    xml.Begin("LandXML").Text("xmlns", Namespace).Text("version", "1.2").Open();
    WriteUnits(xml, unit);
    xml.Begin("Application")
        .Text("name", "Ravo")
        .Text("manufacturer", "Ravo")
        .Text("version", RavoVersion)
        .Empty();
    const double start = points.FirstStation();
    const double length = points.LastStation() - start;
    const std::string title = XmlText(state.OutputTitle);
    xml.Begin("Alignments").Open();
    xml.Begin("Alignment").Text("name", title).Number("staStart", start).Number("length", length);
    xml.Open();
    WritePlaceholderLine(xml, start, length);
    xml.Begin("Profile").Open();
    for (const GroundLine& line : ground)
        WriteGroundLine(xml, line);
    xml.Begin("ProfAlign").Text("name", title).Open();
    points.WriteEach(xml.Out(), [indent = xml.IndentText()](TextOut& out, const RowPoint& p) {
        WritePoint(out, indent, p);
    });
    for (const char* element : {"ProfAlign", "Profile", "Alignment", "Alignments", "LandXML"})
        xml.Close(element);
    xml.Finish();
    return Notes(state);
}

LandXmlExport LandXmlText(const ProfileState& state, LengthUnits units,
                          const Tolerances& tolerances)
{
    return LandXmlText(state, UnitOf(units), tolerances);
}

LandXmlExport LandXmlText(const ProfileState& state, LengthUnit unit, const Tolerances& tolerances,
                          const std::vector<GroundLine>& ground)
{
    StringSink sink;
    std::vector<std::string> notes = WriteLandXml(sink, state, unit, ground, tolerances);
    return {std::move(sink.text), std::move(notes)};
}

std::vector<std::string> WriteLandXml(const ProfileState& state, const std::string& path,
                                      LengthUnits units, const Tolerances& tolerances)
{
    return WriteLandXml(state, path, UnitOf(units), tolerances);
}

std::vector<std::string> WriteLandXml(const ProfileState& state, const std::string& path,
                                      LengthUnit unit, const Tolerances& tolerances,
                                      const std::vector<GroundLine>& ground)
{
    std::vector<std::string> notes;
    ReplaceFile(
        path, [&](ByteSink& sink) { notes = WriteLandXml(sink, state, unit, ground, tolerances); });
    return notes;
}

}  // namespace ravo
