// Reading the vertical alignments of a LandXML file into curve rows.
#include "core/formats/landxml_read.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <new>
#include <pugixml.hpp>
#include <utility>

#include "core/formats/circular_curve.h"
#include "core/formats/landxml_scan.h"
#include "core/text/numbers.h"
#include "core/text/text_encoding.h"
#include "core/text/words.h"

namespace ravo {
namespace {

// A name without its namespace prefix.
std::string_view LocalName(std::string_view name)
{
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string_view LocalName(const pugi::xml_node& node) { return LocalName(node.name()); }

std::vector<pugi::xml_node> Children(const pugi::xml_node& node, std::string_view name)
{
    std::vector<pugi::xml_node> found;
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_element && LocalName(child) == name)
            found.push_back(child);
    }
    return found;
}

pugi::xml_node Child(const pugi::xml_node& node, std::string_view name)
{
    const std::vector<pugi::xml_node> found = Children(node, name);
    return found.empty() ? pugi::xml_node() : found.front();
}

// Elements named so below a node. The walk is pugixml's, a loop without
// recursion, so that no depth of nesting can exhaust the stack.
int CountDescendants(pugi::xml_node node, std::string_view name)
{
    struct Counter : pugi::xml_tree_walker {
        std::string_view name;
        int count = 0;
        bool for_each(pugi::xml_node& n) override
        {
            count += n.type() == pugi::node_element && LocalName(n) == name ? 1 : 0;
            return true;
        }
    } counter;
    counter.name = name;
    node.traverse(counter);
    return counter.count;
}

// The first node nested deeper than MaxXmlDepth, or none.
pugi::xml_node TooDeep(pugi::xml_document& document)
{
    struct Finder : pugi::xml_tree_walker {
        pugi::xml_node found;
        bool for_each(pugi::xml_node& n) override
        {
            if (depth() < MaxXmlDepth)
                return true;
            found = n;
            return false;
        }
    } finder;
    document.traverse(finder);
    return finder.found;
}

// An xs:double as design programs write it: optional sign, digits, point,
// exponent.
bool ReadNumber(std::string_view text, double& value)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const char* end = text.data() + text.size();
    const std::from_chars_result result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

std::string At(const pugi::xml_node& node, int line)
{
    return "line " + std::to_string(line) + ", " + std::string(LocalName(node));
}

double Attribute(const pugi::xml_node& node, const char* name, int line)
{
    const pugi::xml_attribute attribute = node.attribute(name);
    double value = 0;
    if (!attribute)
        throw InputFileError(At(node, line) + ": the attribute " + name + " is missing");
    if (!ReadNumber(attribute.value(), value))
        throw InputFileError(At(node, line) + ": " + name + "=\"" + attribute.value() +
                             "\" is not a number");
    return value;
}

PviPoint PointOf(const pugi::xml_node& node, std::string_view kind, int line)
{
    PviPoint p{.desc = node.attribute("desc").value(), .line = line};
    const std::string text = node.child_value();
    const std::vector<std::string_view> words = Words(text);
    if (words.size() != 2 || !ReadNumber(words[0], p.station) || !ReadNumber(words[1], p.elevation))
        throw InputFileError(At(node, line) + ": \"" + text +
                             "\" is not a station and an elevation");
    if (kind == "ParaCurve" || kind == "CircCurve") {
        p.kind = kind == "ParaCurve" ? PviKind::Para : PviKind::Circ;
        p.lengthIn = p.lengthOut = Attribute(node, "length", line) / 2;
        if (p.kind == PviKind::Circ && node.attribute("radius"))
            p.radius = Attribute(node, "radius", line);
    } else if (kind == "UnsymParaCurve") {
        p.kind = PviKind::Unsym;
        p.lengthIn = Attribute(node, "lengthIn", line);
        p.lengthOut = Attribute(node, "lengthOut", line);
    }
    return p;
}

std::vector<PviPoint> PointsOf(const pugi::xml_node& profAlign, LineCounter& lines)
{
    std::vector<PviPoint> points;
    RowCounter rows;
    for (pugi::xml_node node : profAlign.children()) {
        const std::string_view kind = LocalName(node);
        if (node.type() == pugi::node_element &&
            (kind == "PVI" || kind == "ParaCurve" || kind == "UnsymParaCurve" ||
             kind == "CircCurve")) {
            points.push_back(PointOf(node, kind, lines.LineOf(node.offset_debug())));
            rows.Add(points.back());
        }
    }
    return points;
}

// The ground lines of a Profile: each ProfSurf's name, state and points,
// which stand in its PntList2D.
std::vector<GroundLine> GroundOf(const pugi::xml_node& profile, LineCounter& lines)
{
    std::vector<GroundLine> ground;
    for (const pugi::xml_node& surface : Children(profile, "ProfSurf")) {
        GroundLine line{surface.attribute("name").value(), surface.attribute("state").value(), {}};
        for (const pugi::xml_node& list : Children(surface, "PntList2D")) {
            const std::vector<GroundPoint> points =
                GroundPointsOf(list.child_value(), At(list, lines.LineOf(list.offset_debug())));
            line.points.insert(line.points.end(), points.begin(), points.end());
        }
        ground.push_back(std::move(line));
    }
    return ground;
}

void ReadAlignment(const pugi::xml_node& alignment, int number, LineCounter& lines,
                   LandXmlFile& file)
{
    const std::string name = alignment.attribute("name").value();
    int profileNumber = 0;
    const int superelevations = CountDescendants(alignment, "Superelevation");
    const int equations = static_cast<int>(Children(alignment, "StaEquation").size());
    for (const pugi::xml_node& profile : Children(alignment, "Profile")) {
        const std::vector<GroundLine> ground = GroundOf(profile, lines);
        for (const pugi::xml_node& profAlign : Children(profile, "ProfAlign")) {
            std::string profileName = profAlign.attribute("name").value();
            if (profileName.empty())
                profileName = profile.attribute("name").value();
            file.profiles.push_back({name, profileName, PointsOf(profAlign, lines), superelevations,
                                     equations, number, ++profileNumber, ground});
        }
    }
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Title(const LandXmlProfile& p)
{
    if (p.alignment.empty() || p.profile.empty() || p.alignment == p.profile)
        return p.alignment.empty() ? p.profile : p.alignment;
    return p.alignment + " - " + p.profile;
}

std::vector<std::string> Notes(const LandXmlFile& file, const LandXmlProfile& p)
{
    std::vector<std::string> notes;
    if (p.superelevations > 0)
        notes.push_back("The superelevation of the alignment (" +
                        std::to_string(p.superelevations) +
                        " Superelevation elements) was not imported: Ravo's superelevation "
                        "segments cannot hold LandXML's transitions faithfully.");
    if (p.stationEquations > 0)
        notes.push_back("The alignment's " + std::to_string(p.stationEquations) +
                        " station equations (StaEquation) were not applied: stations are taken "
                        "as written.");
    const std::string unit = file.linearUnit.empty() ? file.unitSystem : file.linearUnit;
    notes.push_back(unit.empty() ? "The file names no unit; lengths are taken as written."
                                 : "Lengths are in " + unit +
                                       " (the file's unit); they are taken as written, without "
                                       "conversion.");
    return notes;
}

// The whole number that a text of digits alone stands for; 0 for any other.
int NumberOf(const std::string& text)
{
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() ? number : 0;
}

// A wanted name matches the name, or when no name of the file is so, the
// position: "2" chooses the second of its kind unless something is named "2".
bool NameOrNumber(const std::string& wanted, const std::string& name, int number, bool named)
{
    return wanted.empty() || name == wanted || (!named && NumberOf(wanted) == number);
}

// Whether any profile of the file has the name, looked up once per selection.
template <typename Member>
bool Named(const LandXmlFile& file, Member member, const std::string& wanted)
{
    return std::any_of(file.profiles.begin(), file.profiles.end(),
                       [&](const LandXmlProfile& q) { return q.*member == wanted; });
}

struct Selection {
    const ProfileSelection& wanted;
    bool alignmentNamed;  // some alignment has the wanted name
    bool profileNamed;
};

bool Matches(const LandXmlProfile& p, const Selection& s)
{
    const ProfileSelection& w = s.wanted;
    return (w.alignmentNumber == 0 || w.alignmentNumber == p.alignmentNumber) &&
           (w.profileNumber == 0 || w.profileNumber == p.profileNumber) &&
           NameOrNumber(w.alignment, p.alignment, p.alignmentNumber, s.alignmentNamed) &&
           NameOrNumber(w.profile, p.profile, p.profileNumber, s.profileNamed);
}

}  // namespace

bool LooksLikeLandXml(std::string_view text)
{
    return LocalName(XmlShapeOf(text).root) == "LandXML";
}

LandXmlFile ParseLandXml(std::string_view text)
{
    if (std::optional<LandXmlFile> scanned = ScanLandXml(text))
        return std::move(*scanned);
    return ParseLandXmlTree(text);
}

LandXmlFile ParseLandXmlTree(std::string_view text)
{
    CheckXmlElementCount(text);
    pugi::xml_document document;
    const pugi::xml_parse_result result =
        document.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
    if (result.status == pugi::status_out_of_memory)
        throw std::bad_alloc();  // the caller says that the file is too large for this machine
    LineCounter lines(text);
    if (!result)
        throw InputFileError("line " + std::to_string(lines.LineOf(result.offset)) +
                             ": the XML is malformed: " + result.description());
    if (const pugi::xml_node deep = TooDeep(document))
        throw InputFileError("line " + std::to_string(lines.LineOf(deep.offset_debug())) +
                             ": elements are nested more than " + std::to_string(MaxXmlDepth) +
                             " deep; a LandXML profile needs far fewer");
    const pugi::xml_node root = document.document_element();
    if (LocalName(root) != "LandXML")
        throw InputFileError("not a LandXML file: the root element is " +
                             Quoted(std::string(LocalName(root))));
    LandXmlFile file;
    for (const char* system : {"Metric", "Imperial"}) {
        if (const pugi::xml_node units = Child(Child(root, "Units"), system)) {
            file.unitSystem = system;
            file.linearUnit = units.attribute("linearUnit").value();
        }
    }
    int number = 0;
    for (const pugi::xml_node& alignments : Children(root, "Alignments")) {
        for (const pugi::xml_node& alignment : Children(alignments, "Alignment"))
            ReadAlignment(alignment, ++number, lines, file);
    }
    return file;
}

ProfileChoiceError::ProfileChoiceError(std::vector<ProfileSelection> candidates)
    : InputFileError([&candidates] {
          std::string text =
              "the file holds several profiles; choose one with --alignment NAME "
              "(and --profile NAME), a name or a number counted from 1 in the file:";
          for (const std::string& choice : ChoiceTexts(candidates))
              text += "\n  " + choice;
          return text;
      }()),
      candidates_(std::move(candidates))
{
}

std::string SelectionText(const ProfileSelection& s)
{
    return "alignment " + Quoted(s.alignment) + ", profile " + Quoted(s.profile);
}

std::vector<std::string> ChoiceTexts(const std::vector<ProfileSelection>& candidates)
{
    std::map<std::pair<std::string, std::string>, int> uses;
    for (const ProfileSelection& c : candidates)
        ++uses[{c.alignment, c.profile}];
    std::vector<std::string> texts;
    for (const ProfileSelection& c : candidates) {
        texts.push_back(SelectionText(c));
        if (uses[{c.alignment, c.profile}] > 1)
            texts.back() += " (alignment " + std::to_string(c.alignmentNumber) + ", profile " +
                            std::to_string(c.profileNumber) + " of the file)";
    }
    return texts;
}

ImportedProfile ImportLandXml(std::string_view bytes, const ProfileSelection& selection,
                              const JointRules& joints)
{
    LandXmlFile file = ParseLandXml(bytes);
    const Selection wanted{selection, Named(file, &LandXmlProfile::alignment, selection.alignment),
                           Named(file, &LandXmlProfile::profile, selection.profile)};
    std::vector<LandXmlProfile*> matching;
    for (LandXmlProfile& p : file.profiles) {
        if (Matches(p, wanted))
            matching.push_back(&p);
    }
    if (matching.empty()) {
        std::string text =
            file.profiles.empty()
                ? "the file holds no design profile (ProfAlign)"
                : "no profile matches " + SelectionText(selection) + "; the file holds:";
        for (const LandXmlProfile& p : file.profiles)
            text += "\n  " + SelectionText({p.alignment, p.profile});
        throw InputFileError(text);
    }
    if (matching.size() > 1) {
        std::vector<ProfileSelection> candidates;
        for (const LandXmlProfile* p : matching)
            candidates.push_back({p->alignment, p->profile, p->alignmentNumber, p->profileNumber});
        throw ProfileChoiceError(std::move(candidates));
    }
    LandXmlProfile& chosen = *matching.front();
    try {
        // The points are taken, not copied: a long profile's are its largest part.
        std::vector<PviPoint> points = std::move(chosen.points);
        std::vector<std::string> notes = PlaceCircularCurves(points, joints.tolerance);
        PointRows rows = RowsFromPoints(points, Title(chosen), joints);
        notes.insert(notes.end(), rows.notes.begin(), rows.notes.end());
        for (std::string& note : Notes(file, chosen))
            notes.push_back(std::move(note));
        return {std::move(rows.profile), std::move(notes),
                LandXmlUnitOf(file.unitSystem, file.linearUnit), std::move(chosen.ground)};
    } catch (const InputFileError& e) {
        throw InputFileError(SelectionText({chosen.alignment, chosen.profile}) + ": " + e.what());
    }
}

}  // namespace ravo
