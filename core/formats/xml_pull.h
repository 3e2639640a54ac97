// A pull reader for plain XML: the markup of a text, tag by tag, without a
// tree; whatever it does not take as it stands it leaves to a full parser.
#pragma once

#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "core/formats/plain_decimal.h"
#include "core/formats/xml_shape.h"

namespace ravo {

// Thrown when the text is left to a full parser.
struct XmlNotPlain {};

[[noreturn]] inline void LeaveToParser() { throw XmlNotPlain{}; }

// A number as XML Schema writes an xs:double and design programs write it:
// optional sign, digits, point, exponent; finite.
inline bool ReadXmlNumber(std::string_view text, double& value)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    // Plain decimals, most numbers of a file, read as from_chars reads them;
    // blanks about a number are no part of it here, so those go on to it.
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (!text.empty() && !blank(text.front()) && !blank(text.back())) {
        if (const std::optional<double> plain = PlainDecimal(text)) {
            value = *plain;
            return true;
        }
    }
    const char* end = text.data() + text.size();
    const std::from_chars_result result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

inline bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

inline bool IsXmlNameStart(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u == ':' || u >= 0x80;
}

inline bool IsXmlNameChar(char c)
{
    return IsXmlNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

struct XmlTag {
    std::string_view name;
    std::size_t nameAt = 0;  // where the name stands in the text
    bool empty = false;      // <name ... />
};

// Walks a document: Start, then for each piece of an element's content
// NextIsEnd (and ReadTag or EndTag), then Finish. Throws XmlNotPlain for
// anything it does not take: no NUL, no document type declaration, no
// processing instruction inside the root, attributes of names and quoted
// values without "<", more element tags than MaxXmlElements.
class XmlPull {
public:
    explicit XmlPull(std::string_view text) : text_(text) {}

    std::size_t Position() const { return pos_; }

    // Up to the root element's name: a byte order mark, blanks, comments and
    // processing instructions before it.
    void Start()
    {
        if (text_.find('\0') != std::string_view::npos)
            LeaveToParser();
        if (text_.starts_with("\xEF\xBB\xBF"))
            pos_ = 3;
        Misc();
        if (!Take("<"))
            LeaveToParser();
        CountTag(pos_ - 1);
    }

    // After the root element: only blanks, comments and processing instructions.
    void Finish()
    {
        Misc();
        if (pos_ != text_.size())
            LeaveToParser();
    }

    // Passes over text, comments and CDATA sections to the next tag: true for
    // an end tag (EndTag reads it), false for a start tag (ReadTag reads it).
    bool NextIsEnd()
    {
        for (;;) {
            const std::size_t lt = text_.find('<', pos_);
            if (lt == std::string_view::npos)
                LeaveToParser();
            pos_ = lt + 1;
            CountTag(lt);
            if (Take("/"))
                return true;
            if (Take("!--"))
                SkipPast("-->");
            else if (Take("![CDATA["))
                SkipPast("]]>");
            else
                return false;
        }
    }

    // The start tag after its "<": its name and attributes.
    XmlTag ReadTag()
    {
        XmlTag tag{.name = {}, .nameAt = pos_};
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
                LeaveToParser();  // attributes are separated by blanks
            const std::string_view name = Name();
            SkipSpace();
            if (!Take("="))
                LeaveToParser();
            SkipSpace();
            if (pos_ >= text_.size() || (text_[pos_] != '"' && text_[pos_] != '\''))
                LeaveToParser();
            const std::size_t close = text_.find(text_[pos_], pos_ + 1);
            if (close == std::string_view::npos)
                LeaveToParser();
            const std::string_view value = text_.substr(pos_ + 1, close - pos_ - 1);
            if (value.find('<') != std::string_view::npos)
                LeaveToParser();
            attributes_.push_back({name, value});
            pos_ = close + 1;
        }
    }

    // The value of an attribute as written, when the tree would read it so.
    std::string_view Text(std::string_view name) const
    {
        for (const XmlAttribute& a : attributes_) {
            if (a.name != name)
                continue;
            if (a.value.find_first_of("&\t\r\n") != std::string_view::npos)
                LeaveToParser();
            return a.value;
        }
        return {};
    }

    double Number(std::string_view name) const
    {
        for (const XmlAttribute& a : attributes_) {
            double value = 0;
            if (a.name == name) {
                if (!ReadXmlNumber(a.value, value))
                    LeaveToParser();
                return value;
            }
        }
        LeaveToParser();
    }

    bool Has(std::string_view name) const
    {
        for (const XmlAttribute& a : attributes_) {
            if (a.name == name)
                return true;
        }
        return false;
    }

    // The end tag after its "</", which must close `name`.
    void EndTag(std::string_view name)
    {
        if (!Take(name))
            LeaveToParser();
        SkipSpace();
        if (!Take(">"))
            LeaveToParser();
    }

    // The text of an element that holds nothing else, up to its end tag.
    std::string_view OwnText(const XmlTag& tag)
    {
        if (tag.empty)
            return {};
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != '<' && text_[pos_] != '&')
            ++pos_;
        const std::string_view text = text_.substr(start, pos_ - start);
        if (!Take("</"))
            LeaveToParser();
        EndTag(tag.name);
        return text;
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
            LeaveToParser();
        for (std::size_t lt = text_.find('<', pos_); lt < at; lt = text_.find('<', lt + 1))
            CountTag(lt);
        pos_ = at + end.size();
    }

    // The bound on element tags that the tree reading sets (CheckXmlElementCount):
    // every "<" before a name counts, wherever it stands. Beyond it the tree
    // reading refuses the file in its words.
    void CountTag(std::size_t lt)
    {
        if (lt + 1 < text_.size() && IsXmlNameStart(text_[lt + 1]) && ++tags_ > MaxXmlElements)
            LeaveToParser();
    }

    void SkipSpace()
    {
        while (pos_ < text_.size() && IsXmlSpace(text_[pos_]))
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
                     IsXmlNameStart(text_[pos_ + 2]))
                SkipPast("?>");
            else
                return;
        }
    }

    std::string_view Name()
    {
        const std::size_t start = pos_;
        if (pos_ >= text_.size() || !IsXmlNameStart(text_[pos_]))
            LeaveToParser();
        while (pos_ < text_.size() && IsXmlNameChar(text_[pos_]))
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

    struct XmlAttribute {
        std::string_view name;
        std::string_view value;
    };

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t tags_ = 0;
    std::vector<XmlAttribute> attributes_;  // of the last start tag
};

}  // namespace ravo
