// Text encodings of input files: checks, and conversions to UTF-8.
#include "core/text/text_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

namespace ravo {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t code)
{
    const auto unit = [&out](char32_t bits) { out += static_cast<char>(bits); };
    if (code < 0x80) {
        unit(code);
    } else if (code < 0x800) {
        unit(0xC0 | (code >> 6));
        unit(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        unit(0xE0 | (code >> 12));
        unit(0x80 | ((code >> 6) & 0x3F));
        unit(0x80 | (code & 0x3F));
    } else {
        unit(0xF0 | (code >> 18));
        unit(0x80 | ((code >> 12) & 0x3F));
        unit(0x80 | ((code >> 6) & 0x3F));
        unit(0x80 | (code & 0x3F));
    }
}

// Length of the UTF-8 sequence at text[i], or 0 when it is not well formed.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    }
    return length;
}

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Reads the 16-bit units of a byte text in either byte order.
class Utf16Units {
public:
    Utf16Units(std::string_view bytes, bool bigEndian) : bytes_(bytes), bigEndian_(bigEndian) {}
    bool Done() const { return pos_ + 1 >= bytes_.size(); }
    bool OddByteLeft() const { return pos_ < bytes_.size() && Done(); }
    char32_t Peek() const
    {
        const auto first = static_cast<unsigned char>(bytes_[pos_]);
        const auto second = static_cast<unsigned char>(bytes_[pos_ + 1]);
        return bigEndian_ ? char32_t{first} << 8 | second : char32_t{second} << 8 | first;
    }
    void Skip() { pos_ += 2; }

private:
    std::string_view bytes_;
    bool bigEndian_;
    std::size_t pos_ = 0;
};

std::string Utf16ToUtf8(Utf16Units units)
{
    std::string out;
    while (!units.Done()) {
        const char32_t unit = units.Peek();
        units.Skip();
        if (IsHighSurrogate(unit) && !units.Done() && IsLowSurrogate(units.Peek())) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units.Peek() - 0xDC00));
            units.Skip();
        } else {
            const bool lone = IsHighSurrogate(unit) || IsLowSurrogate(unit);
            AppendUtf8(out, lone ? kReplacement : unit);
        }
    }
    if (units.OddByteLeft())
        AppendUtf8(out, kReplacement);
    return out;
}

// UTF-16 without a byte order mark, recognised by its first two characters:
// each a nonzero byte beside a zero one, which no ASCII or UTF-8 text holds.
std::optional<bool> Utf16WithoutMark(std::string_view bytes)
{
    if (bytes.size() < 4)
        return std::nullopt;
    const auto zero = [&bytes](std::size_t i) { return bytes[i] == '\0'; };
    if (!zero(0) && zero(1) && !zero(2) && zero(3))
        return false;  // little endian
    if (zero(0) && !zero(1) && zero(2) && !zero(3))
        return true;  // big endian
    return std::nullopt;
}

}  // namespace

std::string_view DecodedText(std::string_view bytes, std::string& storage)
{
    if (std::optional<std::string> decoded = DecodeUtf16File(bytes)) {
        storage = std::move(*decoded);
        return storage;
    }
    bytes = WithoutUtf8Bom(bytes);
    if (IsValidUtf8(bytes))
        return bytes;
    storage = Windows1252ToUtf8(bytes);
    return storage;
}

std::optional<std::string> DecodeUtf16WithoutMark(std::string_view bytes)
{
    if (const std::optional<bool> bigEndian = Utf16WithoutMark(bytes))
        return Utf16ToUtf8(Utf16Units(bytes, *bigEndian));
    return std::nullopt;
}

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsValidUtf8(std::string_view text)
{
    constexpr std::uint64_t highBits = 0x8080808080808080;
    for (std::size_t i = 0; i < text.size();) {
        // ASCII, the most of any profile, eight bytes at a time.
        std::uint64_t word = 0;
        if (text.size() - i >= sizeof word) {
            std::memcpy(&word, text.data() + i, sizeof word);
            if ((word & highBits) == 0) {
                i += sizeof word;
                continue;
            }
        }
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool remapped = byte >= 0x80 && byte <= 0x9F;
        AppendUtf8(out, remapped ? kWindows1252High[byte - 0x80] : char32_t{byte});
    }
    return out;
}

std::optional<std::string> DecodeUtf16File(std::string_view bytes)
{
    constexpr std::string_view littleEndianMark = "\xFF\xFE";
    constexpr std::string_view bigEndianMark = "\xFE\xFF";
    const bool little = bytes.starts_with(littleEndianMark);
    if (!little && !bytes.starts_with(bigEndianMark))
        return std::nullopt;
    bytes.remove_prefix(littleEndianMark.size());
    return Utf16ToUtf8(Utf16Units(bytes, !little));
}

}  // namespace ravo
