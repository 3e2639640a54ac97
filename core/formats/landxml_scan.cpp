// One pass over a LandXML text that takes its profiles without a document
// tree: the elements are walked with a stack of their names, and only those
// on the way to a profile, its points and its ground lines are looked at.
#include "core/formats/landxml_scan.h"

#include <string.h>

#include <string>
#include <utility>
#include <vector>

#include "core/formats/xml_pull.h"

namespace ravo {
namespace {

std::string_view LocalName(std::string_view name)
{
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// What an open element is on the way to the profiles.
enum class Role { Other, Root, Units, Alignments, Alignment, Profile, Surface, ProfAlign };

struct Open {
    std::string_view name;
    Role role;
};

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text), xml_(text), lines_(text) {}

    LandXmlFile Run()
    {
        xml_.Start();
        Start();
        Content();
        xml_.Finish();
        SetUnits();
        return std::move(file_);
    }

private:
    std::string_view Text(std::string_view name) const { return xml_.Text(name); }
    double Number(std::string_view name) const { return xml_.Number(name); }
    bool Has(std::string_view name) const { return xml_.Has(name); }

    // The text of an element that holds nothing else; its end tag is read.
    std::string_view OwnText(const XmlTag& tag)
    {
        closed_ = true;
        return xml_.OwnText(tag);
    }

    void Content()
    {
        while (!stack_.empty()) {
            if (xml_.NextIsEnd()) {
                xml_.EndTag(stack_.back().name);
                End(stack_.back().role);
                stack_.pop_back();
            } else {
                Start();
            }
        }
    }

    void Start()
    {
        if (stack_.size() + 2 >= static_cast<std::size_t>(MaxXmlDepth))
            LeaveToParser();
        const XmlTag tag = xml_.ReadTag();
        const std::string_view local = LocalName(tag.name);
        if (alignment_ && local == "Superelevation")
            ++alignment_->superelevations;
        const Role parent = stack_.empty() ? Role::Other : stack_.back().role;
        closed_ = false;
        const Role role = Begin(stack_.empty(), parent, local, tag);
        if (tag.empty || closed_)
            End(role);
        else
            stack_.push_back({tag.name, role});
    }

    Role Begin(bool root, Role parent, std::string_view local, const XmlTag& tag);
    void End(Role role);
    void BeginAlignment();
    void BeginProfAlign(const XmlTag& tag);
    void ReadPoint(const XmlTag& tag, std::string_view kind);
    void ReadGround(const XmlTag& tag);
    void ReserveFor(const XmlTag& tag, std::vector<PviPoint>& points) const;

    void SetUnits()
    {
        for (const auto& [system, unit] : {std::pair{"Metric", metric_}, {"Imperial", imperial_}}) {
            if (unit) {
                file_.unitSystem = system;
                file_.linearUnit = std::string(*unit);
            }
        }
    }

    struct AlignmentState {
        std::string name;
        int number = 0;
        int profiles = 0;  // ProfAligns so far
        int superelevations = 0;
        int equations = 0;
        std::size_t first = 0;  // its first profile in the file
    };

    std::string_view text_;
    XmlPull xml_;
    LineCounter lines_;
    std::vector<Open> stack_;
    bool closed_ = false;  // the element just begun was read to its end tag
    LandXmlFile file_;
    bool unitsSeen_ = false;
    std::optional<std::string_view> metric_, imperial_;
    int alignments_ = 0;
    std::optional<AlignmentState> alignment_;
    std::string profileName_;         // the open Profile's name
    std::size_t profileFirst_ = 0;    // its first ProfAlign in the file
    std::vector<GroundLine> ground_;  // its ProfSurf elements
    std::optional<RowCounter> rows_;  // of the open ProfAlign
};

Role Scanner::Begin(bool root, Role parent, std::string_view local, const XmlTag& tag)
{
    if (root) {
        if (local != "LandXML")
            LeaveToParser();
        return Role::Root;
    }
    switch (parent) {
    case Role::Root:
        if (local == "Units" && !unitsSeen_) {
            unitsSeen_ = true;
            return Role::Units;
        }
        return local == "Alignments" ? Role::Alignments : Role::Other;
    case Role::Units:
        if (local == "Metric" && !metric_)
            metric_ = Text("linearUnit");
        else if (local == "Imperial" && !imperial_)
            imperial_ = Text("linearUnit");
        return Role::Other;
    case Role::Alignments:
        if (local != "Alignment")
            return Role::Other;
        BeginAlignment();
        return Role::Alignment;
    case Role::Alignment:
        if (local == "StaEquation")
            ++alignment_->equations;
        if (local != "Profile")
            return Role::Other;
        profileName_ = Text("name");
        profileFirst_ = file_.profiles.size();
        ground_.clear();
        return Role::Profile;
    case Role::Profile:
        if (local == "ProfSurf") {
            ground_.push_back({std::string(Text("name")), std::string(Text("state")), {}});
            return Role::Surface;
        }
        if (local != "ProfAlign")
            return Role::Other;
        BeginProfAlign(tag);
        return Role::ProfAlign;
    case Role::Surface:
        if (local == "PntList2D")
            ReadGround(tag);
        return Role::Other;
    case Role::ProfAlign:
        if (local == "PVI" || local == "ParaCurve" || local == "UnsymParaCurve" ||
            local == "CircCurve")
            ReadPoint(tag, local);
        return Role::Other;
    default:
        return Role::Other;
    }
}

void Scanner::End(Role role)
{
    if (role == Role::Profile) {
        for (std::size_t i = profileFirst_; i < file_.profiles.size(); ++i)
            file_.profiles[i].ground = ground_;
    } else if (role == Role::Alignment) {
        for (std::size_t i = alignment_->first; i < file_.profiles.size(); ++i) {
            file_.profiles[i].superelevations = alignment_->superelevations;
            file_.profiles[i].stationEquations = alignment_->equations;
        }
        alignment_.reset();
    }
}

void Scanner::BeginAlignment()
{
    alignment_ = AlignmentState{
        .name = std::string(Text("name")), .number = ++alignments_, .first = file_.profiles.size()};
}

void Scanner::BeginProfAlign(const XmlTag& tag)
{
    std::string name(Text("name"));
    if (name.empty())
        name = profileName_;
    LandXmlProfile profile{.alignment = alignment_->name,
                           .profile = std::move(name),
                           .points = {},
                           .alignmentNumber = alignment_->number,
                           .profileNumber = ++alignment_->profiles};
    if (!tag.empty)
        ReserveFor(tag, profile.points);
    file_.profiles.push_back(std::move(profile));
    rows_.emplace();
}

// Room for about as many points as the element holds tags, so that a long
// profile is not copied as its list grows.
void Scanner::ReserveFor(const XmlTag& tag, std::vector<PviPoint>& points) const
{
    std::string end = "</";
    end += tag.name;
    // memmem skips along the text, where a search from each "<" would stop at
    // every tag.
    const std::size_t pos = xml_.Position();
    const void* at = ::memmem(text_.data() + pos, text_.size() - pos, end.data(), end.size());
    if (at == nullptr)
        return;
    const std::size_t tags =
        LineCounter::CountByte(text_.data() + pos, static_cast<const char*>(at), '<');
    points.reserve(tags / 2 + 1);
}

void Scanner::ReadPoint(const XmlTag& tag, std::string_view kind)
{
    PviPoint p{.desc = std::string(Text("desc")),
               .line = lines_.LineOf(static_cast<std::ptrdiff_t>(tag.nameAt))};
    if (kind == "ParaCurve" || kind == "CircCurve") {
        p.kind = kind == "ParaCurve" ? PviKind::Para : PviKind::Circ;
        p.lengthIn = p.lengthOut = Number("length") / 2;
        if (p.kind == PviKind::Circ && Has("radius"))
            p.radius = Number("radius");
    } else if (kind == "UnsymParaCurve") {
        p.kind = PviKind::Unsym;
        p.lengthIn = Number("lengthIn");
        p.lengthOut = Number("lengthOut");
    }
    std::string_view text = OwnText(tag);
    std::string_view words[2];
    for (std::string_view& word : words) {
        std::size_t start = 0;
        while (start < text.size() && IsXmlSpace(text[start]))
            ++start;
        std::size_t end = start;
        while (end < text.size() && !IsXmlSpace(text[end]))
            ++end;
        word = text.substr(start, end - start);
        text.remove_prefix(end);
    }
    for (const char c : text) {
        if (!IsXmlSpace(c))
            LeaveToParser();  // a third word
    }
    if (!ReadXmlNumber(words[0], p.station) || !ReadXmlNumber(words[1], p.elevation))
        LeaveToParser();
    file_.profiles.back().points.push_back(std::move(p));
    rows_->Add(file_.profiles.back().points.back());
}

void Scanner::ReadGround(const XmlTag& tag)
{
    const std::vector<GroundPoint> points = GroundPointsOf(OwnText(tag), {});
    std::vector<GroundPoint>& line = ground_.back().points;
    line.insert(line.end(), points.begin(), points.end());
}

}  // namespace

std::optional<LandXmlFile> ScanLandXml(std::string_view text)
{
    try {
        return Scanner(text).Run();
    } catch (const XmlNotPlain&) {
        return std::nullopt;
    } catch (const InputFileError&) {
        return std::nullopt;  // the tree reading says where and why
    }
}

}  // namespace ravo
