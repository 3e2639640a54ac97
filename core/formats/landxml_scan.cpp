// One pass over a LandXML text that takes its profiles without a document
// tree: the elements are walked with a stack of their names, and only those
// on the way to a profile, its points and its ground lines are looked at.
#include "core/formats/landxml_scan.h"

#include <string.h>

#include <charconv>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/formats/xml_shape.h"

namespace ravo {
namespace {

// The text is left to the tree reading.
struct NotPlain {};

[[noreturn]] void GiveUp() { throw NotPlain{}; }

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameStart(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u == ':' || u >= 0x80;
}

bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

std::string_view LocalName(std::string_view name)
{
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// As the tree reading takes a number: optional plus sign, from_chars, finite.
bool ReadNumber(std::string_view text, double& value)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const char* end = text.data() + text.size();
    const std::from_chars_result result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

// What an open element is on the way to the profiles.
enum class Role { Other, Root, Units, Alignments, Alignment, Profile, Surface, ProfAlign };

struct Open {
    std::string_view name;
    Role role;
};

struct Attribute {
    std::string_view name;
    std::string_view value;
};

struct Tag {
    std::string_view name;
    std::size_t nameAt = 0;
    bool empty = false;  // <name ... />
};

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text), lines_(text) {}

    LandXmlFile Run()
    {
        if (text_.find('\0') != std::string_view::npos)
            GiveUp();
        if (text_.starts_with("\xEF\xBB\xBF"))
            pos_ = 3;
        Misc();
        if (!Take("<"))
            GiveUp();
        CountTag(pos_ - 1);
        Start();
        Content();
        Misc();
        if (pos_ != text_.size())
            GiveUp();
        SetUnits();
        return std::move(file_);
    }

private:
    bool Take(std::string_view what)
    {
        if (!text_.substr(pos_).starts_with(what))
            return false;
        pos_ += what.size();
        return true;
    }

    // A comment, CDATA section or processing instruction: its tags count too.
    void SkipPast(std::string_view end)
    {
        const std::size_t at = text_.find(end, pos_);
        if (at == std::string_view::npos)
            GiveUp();
        for (std::size_t lt = text_.find('<', pos_); lt < at; lt = text_.find('<', lt + 1))
            CountTag(lt);
        pos_ = at + end.size();
    }

    // The bound on element tags that the tree reading sets (CheckXmlElementCount):
    // every "<" before a name counts, wherever it stands. Beyond it the tree
    // reading refuses the file in its words.
    void CountTag(std::size_t lt)
    {
        if (lt + 1 < text_.size() && IsNameStart(text_[lt + 1]) && ++tags_ > MaxXmlElements)
            GiveUp();
    }

    void SkipSpace()
    {
        while (pos_ < text_.size() && IsSpace(text_[pos_]))
            ++pos_;
    }

    // Blanks, comments and processing instructions before and after the root.
    void Misc()
    {
        for (;;) {
            SkipSpace();
            if (Take("<!--"))
                SkipPast("-->");
            else if (text_.substr(pos_).starts_with("<?") && pos_ + 2 < text_.size() &&
                     IsNameStart(text_[pos_ + 2]))
                SkipPast("?>");
            else
                return;
        }
    }

    std::string_view Name()
    {
        const std::size_t start = pos_;
        if (pos_ >= text_.size() || !IsNameStart(text_[pos_]))
            GiveUp();
        while (pos_ < text_.size() && IsNameChar(text_[pos_]))
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

    // The start tag after its "<": its name and attributes.
    Tag ReadTag()
    {
        Tag tag{.name = {}, .nameAt = pos_};
        tag.name = Name();
        attributes_.clear();
        for (;;) {
            const std::size_t before = pos_;
            SkipSpace();
            if (Take(">"))
                return tag;
            if (Take("/>")) {
                tag.empty = true;
                return tag;
            }
            if (pos_ == before)
                GiveUp();  // attributes are separated by blanks
            const std::string_view name = Name();
            SkipSpace();
            if (!Take("="))
                GiveUp();
            SkipSpace();
            if (pos_ >= text_.size() || (text_[pos_] != '"' && text_[pos_] != '\''))
                GiveUp();
            const std::size_t close = text_.find(text_[pos_], pos_ + 1);
            if (close == std::string_view::npos)
                GiveUp();
            const std::string_view value = text_.substr(pos_ + 1, close - pos_ - 1);
            if (value.find('<') != std::string_view::npos)
                GiveUp();
            attributes_.push_back({name, value});
            pos_ = close + 1;
        }
    }

    // The value of an attribute as written, when the tree would read it so.
    std::string_view Text(std::string_view name) const
    {
        for (const Attribute& a : attributes_) {
            if (a.name != name)
                continue;
            if (a.value.find_first_of("&\t\r\n") != std::string_view::npos)
                GiveUp();
            return a.value;
        }
        return {};
    }

    double Number(std::string_view name) const
    {
        for (const Attribute& a : attributes_) {
            double value = 0;
            if (a.name == name) {
                if (!ReadNumber(a.value, value))
                    GiveUp();
                return value;
            }
        }
        GiveUp();
    }

    bool Has(std::string_view name) const
    {
        for (const Attribute& a : attributes_) {
            if (a.name == name)
                return true;
        }
        return false;
    }

    // The end tag after its "</", which must close `name`.
    void EndTag(std::string_view name)
    {
        if (!Take(name))
            GiveUp();
        SkipSpace();
        if (!Take(">"))
            GiveUp();
    }

    // The text of an element that holds nothing else, up to its end tag.
    std::string_view OwnText(const Tag& tag)
    {
        if (tag.empty)
            return {};
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != '<' && text_[pos_] != '&')
            ++pos_;
        const std::string_view text = text_.substr(start, pos_ - start);
        if (!Take("</"))
            GiveUp();
        EndTag(tag.name);
        closed_ = true;
        return text;
    }

    void Content()
    {
        while (!stack_.empty()) {
            const std::size_t lt = text_.find('<', pos_);
            if (lt == std::string_view::npos)
                GiveUp();
            pos_ = lt + 1;
            CountTag(lt);
            if (Take("/")) {
                EndTag(stack_.back().name);
                End(stack_.back().role);
                stack_.pop_back();
            } else if (Take("!--")) {
                SkipPast("-->");
            } else if (Take("![CDATA[")) {
                SkipPast("]]>");
            } else {
                Start();
            }
        }
    }

    void Start()
    {
        if (stack_.size() + 2 >= static_cast<std::size_t>(MaxXmlDepth))
            GiveUp();
        const Tag tag = ReadTag();
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

    Role Begin(bool root, Role parent, std::string_view local, const Tag& tag);
    void End(Role role);
    void BeginAlignment();
    void BeginProfAlign(const Tag& tag);
    void ReadPoint(const Tag& tag, std::string_view kind);
    void ReadGround(const Tag& tag);
    void ReserveFor(const Tag& tag, std::vector<PviPoint>& points) const;

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
    std::size_t pos_ = 0;
    LineCounter lines_;
    std::vector<Open> stack_;
    bool closed_ = false;  // the element just begun was read to its end tag
    std::size_t tags_ = 0;
    std::vector<Attribute> attributes_;
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

Role Scanner::Begin(bool root, Role parent, std::string_view local, const Tag& tag)
{
    if (root) {
        if (local != "LandXML")
            GiveUp();
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

void Scanner::BeginProfAlign(const Tag& tag)
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
void Scanner::ReserveFor(const Tag& tag, std::vector<PviPoint>& points) const
{
    std::string end = "</";
    end += tag.name;
    // memmem skips along the text, where a search from each "<" would stop at
    // every tag.
    const void* at = ::memmem(text_.data() + pos_, text_.size() - pos_, end.data(), end.size());
    if (at == nullptr)
        return;
    const auto tags = std::count(text_.data() + pos_, static_cast<const char*>(at), '<');
    points.reserve(static_cast<std::size_t>(tags) / 2 + 1);
}

void Scanner::ReadPoint(const Tag& tag, std::string_view kind)
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
        while (start < text.size() && IsSpace(text[start]))
            ++start;
        std::size_t end = start;
        while (end < text.size() && !IsSpace(text[end]))
            ++end;
        word = text.substr(start, end - start);
        text.remove_prefix(end);
    }
    for (const char c : text) {
        if (!IsSpace(c))
            GiveUp();  // a third word
    }
    if (!ReadNumber(words[0], p.station) || !ReadNumber(words[1], p.elevation))
        GiveUp();
    file_.profiles.back().points.push_back(std::move(p));
    rows_->Add(file_.profiles.back().points.back());
}

void Scanner::ReadGround(const Tag& tag)
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
    } catch (const NotPlain&) {
        return std::nullopt;
    } catch (const InputFileError&) {
        return std::nullopt;  // the tree reading says where and why
    }
}

}  // namespace ravo
