// The start of an XML text, and the limits that a hostile document meets
// before a tree is built for it.
#include "core/formats/xml_shape.h"

#include <algorithm>
#include <string>

#include "core/formats/input_file.h"
#include "core/text/text_encoding.h"

namespace ravo {
namespace {

bool IsNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' ||
           static_cast<unsigned char>(c) >= 0x80;
}

std::size_t LineOf(std::string_view text, std::size_t offset)
{
    return 1 + static_cast<std::size_t>(std::count(
                   text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

// Where a comment or processing instruction at the start of the text ends:
// 0 when the text starts with neither, npos when it is never closed.
std::size_t PrologItemEnd(std::string_view text)
{
    const std::string_view close = text.starts_with("<!--") ? "-->"
                                   : text.starts_with("<?") ? "?>"
                                                            : "";
    if (close.empty())
        return 0;
    const std::size_t end = text.find(close);
    return end == std::string_view::npos ? end : end + close.size();
}

// Where the document type declaration at the start of the text ends, its
// internal subset in brackets included; npos when it is never closed.
std::size_t DoctypeEnd(std::string_view text)
{
    const std::size_t close = text.find_first_of("[>");
    if (close == std::string_view::npos || text[close] == '>')
        return close == std::string_view::npos ? close : close + 1;
    const std::size_t subsetEnd = text.find("]", close);
    const std::size_t end =
        subsetEnd == std::string_view::npos ? subsetEnd : text.find('>', subsetEnd);
    return end == std::string_view::npos ? end : end + 1;
}

}  // namespace

XmlShape XmlShapeOf(std::string_view text)
{
    XmlShape shape;
    text = WithoutUtf8Bom(text);
    while (true) {
        const std::size_t at = text.find_first_not_of(" \t\r\n");
        if (at == std::string_view::npos)
            return shape;
        text.remove_prefix(at);
        const bool doctype = text.starts_with("<!DOCTYPE");
        shape.declared = shape.declared || doctype || text.starts_with("<?xml");
        const std::size_t end = doctype ? DoctypeEnd(text) : PrologItemEnd(text);
        if (end == 0)
            break;
        if (end == std::string_view::npos)
            return shape;
        text.remove_prefix(end);
    }
    if (!text.starts_with("<"))
        return shape;
    const std::size_t end = text.find_first_of(" \t\r\n/>", 1);
    shape.root = text.substr(1, end == std::string_view::npos ? 0 : end - 1);
    return shape;
}

// Tags in comments count too: a bound, not a census.
void CheckXmlElementCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t at = text.find('<'); at != std::string_view::npos;
         at = text.find('<', at + 1)) {
        if (at + 1 < text.size() && IsNameStart(text[at + 1]) && ++count > MaxXmlElements)
            throw InputFileError("line " + std::to_string(LineOf(text, at)) +
                                 ": the file holds more than " + std::to_string(MaxXmlElements) +
                                 " XML elements; at most that many can be read");
    }
}

}  // namespace ravo
