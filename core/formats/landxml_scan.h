// Reading the profiles of a LandXML text in one pass, without a document
// tree, and the tree reading that words every message.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

#include "core/formats/landxml_read.h"

namespace ravo {

// The profiles of a LandXML text as ParseLandXml gives them, read in one pass
// without building a tree, so that a large file costs little more than its
// bytes. Only a plain document is read so; anything this pass does not take
// as it stands (a document type declaration, a processing instruction or a
// CDATA section inside an element, an entity or a line end in a name or
// description it keeps, a comment or element within the text of a point, a
// value that is not a number, any fault of the XML) gives none, and the
// caller reads the text with ParseLandXmlTree, which also words the message.
std::optional<LandXmlFile> ScanLandXml(std::string_view text);

// The same read through pugixml's document tree: it takes any XML and says
// what is wrong with a file in the parser's own words. Throws as ParseLandXml.
LandXmlFile ParseLandXmlTree(std::string_view text);

// Lines of byte offsets, for offsets that mostly come in document order.
class LineCounter {
public:
    explicit LineCounter(std::string_view bytes) : bytes_(bytes) {}

    int LineOf(std::ptrdiff_t offset)
    {
        const std::size_t to =
            std::min(static_cast<std::size_t>(std::max<std::ptrdiff_t>(offset, 0)), bytes_.size());
        if (to < at_) {
            at_ = 0;
            line_ = 1;
        }
        line_ +=
            static_cast<int>(std::count(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
                                        bytes_.begin() + static_cast<std::ptrdiff_t>(to), '\n'));
        at_ = to;
        return line_;
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
    int line_ = 1;
};

}  // namespace ravo
