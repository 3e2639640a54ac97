// The text encodings that input files come in, and their conversion to the
// UTF-8 that the program holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ravo {

bool IsAscii(std::string_view text);

// Well-formed UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Windows-1252 text in UTF-8. The five codes that Windows-1252 leaves
// undefined become the control characters of the same number (U+0081 etc.).
std::string Windows1252ToUtf8(std::string_view text);

// A file's bytes that begin with a UTF-16 byte order mark (FF FE little
// endian, FE FF big endian), decoded to UTF-8 without the mark; nothing for
// any other file. A surrogate without its partner and an odd last byte become
// U+FFFD, the replacement character.
std::optional<std::string> DecodeUtf16File(std::string_view bytes);

// The text of a file's bytes in UTF-8, decoded once for every reader: UTF-16
// with a byte order mark; UTF-8 without its byte order mark; any other bytes
// as Windows-1252. The result is a view of the bytes when they need no
// conversion, of storage otherwise.
std::string_view DecodedText(std::string_view bytes, std::string& storage);

// Bytes that may be UTF-16 without a byte order mark, as their first two
// characters show (each an ASCII character beside a zero byte), decoded to
// UTF-8; nothing for any other bytes. Only a reader that then recognises its
// format in the text should take it, since 8-bit text may hold zero bytes too.
std::optional<std::string> DecodeUtf16WithoutMark(std::string_view bytes);

// The bytes without the UTF-8 byte order mark that some editors put first.
inline std::string_view WithoutUtf8Bom(std::string_view bytes)
{
    constexpr std::string_view mark = "\xEF\xBB\xBF";
    return bytes.starts_with(mark) ? bytes.substr(mark.size()) : bytes;
}

}  // namespace ravo
