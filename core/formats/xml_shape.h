// The start of an XML text as XML sees it, and the limits that keep a
// hostile document from exhausting the stack or the memory.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/profile/profile_state.h"

namespace ravo {

// Limits that keep a hostile file from exhausting the stack or the memory.
inline constexpr int MaxXmlDepth = 256;
inline constexpr std::size_t MaxXmlElements = 4 * static_cast<std::size_t>(MaxSegmentCount);

// The start of a text as XML sees it: the name of its root element after an
// optional byte order mark, XML declaration, comments, processing
// instructions and document type declaration (empty when there is none), and
// whether an XML declaration or document type declaration said it was XML.
struct XmlShape {
    std::string_view root;
    bool declared = false;
};
XmlShape XmlShapeOf(std::string_view text);

// Throws InputFileError naming the line where the text holds more than
// MaxXmlElements element tags, before any tree is built for it.
void CheckXmlElementCount(std::string_view text);

}  // namespace ravo
