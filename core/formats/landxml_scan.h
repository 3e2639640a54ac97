// Reading the profiles of a LandXML text in one pass, without a document
// tree, and the tree reading that words every message.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
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
// value that is not a number, more element tags than MaxXmlElements, any
// fault of the XML) gives none, and the caller reads the text with
// ParseLandXmlTree, which also words the message.
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
        line_ += static_cast<int>(CountByte(bytes_.data() + at_, bytes_.data() + to, '\n'));
        at_ = to;
        return line_;
    }

    // The bytes equal to `byte` from `from` to `to`, eight at a time: a byte
    // equal to it becomes zero, and the high bit of each byte then says
    // whether it was.
    static std::size_t CountByte(const char* from, const char* to, char byte)
    {
        constexpr std::uint64_t ones = 0x0101010101010101;
        constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7F;
        std::size_t count = 0;
        for (; to - from >= 8; from += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, from, sizeof word);
            const std::uint64_t x = word ^ (ones * static_cast<unsigned char>(byte));
            const std::uint64_t nonzero = ((x & low7) + low7) | x;
            // The high bits summed by one multiplication into the top byte.
            count += static_cast<std::size_t>((((~nonzero & ~low7) >> 7) * ones) >> 56);
        }
        return count + static_cast<std::size_t>(std::count(from, to, byte));
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
    int line_ = 1;
};

}  // namespace ravo
