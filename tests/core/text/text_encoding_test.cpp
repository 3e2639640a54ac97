// Input files in Windows-1252, UTF-8 and UTF-16: titles come out as UTF-8.
#include <gtest/gtest.h>

#include "core/text/text_encoding.h"
#include "support/input_profiles.h"

namespace ravo {
namespace {

using namespace ravo::test;

// How a whole file is taken; the bytes of each encoding are DecodedText's.
TEST(ParseInputFile, TitlesOfEveryEncodingBecomeUtf8)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {Lines({"\"Gro\xDF \x80 \x81\"", "0", "0"}), "Gro\xC3\x9F \xE2\x82\xAC \xC2\x81"},
        // Valid as UTF-8 in the title, but not elsewhere: the file is Windows-1252.
        {Lines({"\"Gro\xC3\x9F\"", "1", "caf\xE9,0,0,0,0", "0"}), "Gro\xC3\x83\xC5\xB8"},
        // Only the two byte order marks make a file UTF-16.
        {Lines({"\xFE\xFE", "0", "0"}), "\xC3\xBE\xC3\xBE"},
        {Utf16(u"\"Gro\u00DF \u0800\U0001F6E3\"\r\n0\r\n0\r\n", false),
         "Gro\xC3\x9F \xE0\xA0\x80\xF0\x9F\x9B\xA3"},
        {Utf16(u"\"a\xD800z\xDC00\"\r\n0\r\n0\r\n", true), "a\xEF\xBF\xBDz\xEF\xBF\xBD"},
    };
    for (const auto& [text, title] : cases)
        EXPECT_EQ(ParseInputFile(text).title, title) << text;
}

// Every reader gets its text from one door.
TEST(DecodedText, EveryEncodingBecomesUtf8)
{
    const std::string utf8 = "a\xC3\x9F<";
    for (const std::string& bytes : {Utf16(u"a\u00DF<", false), Utf16(u"a\u00DF<", true),
                                     std::string("a\xDF<"),  // Windows-1252
                                     "\xEF\xBB\xBF" + utf8, utf8}) {
        std::string storage;
        EXPECT_EQ(DecodedText(bytes, storage), utf8) << bytes;
    }
    // The edges of each encoding: the first code point of two UTF-8 bytes, a
    // lead byte that UTF-8 never uses, a Windows-1252 byte just above ASCII.
    const std::pair<std::string, std::string> edges[] = {
        {Utf16(u"\u0080", false), "\xC2\x80"},
        {"\xF5\x80\x80\x80", "\xC3\xB5\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC"},
        {"price \x80", "price \xE2\x82\xAC"},
        {Utf16(u"ab", false) + "x", "ab\xEF\xBF\xBD"},  // an odd byte at the end
    };
    for (const auto& [bytes, expected] : edges) {
        std::string room;
        EXPECT_EQ(DecodedText(bytes, room), expected) << bytes;
    }
    // Without the mark, only when asked, and only where zero bytes show it.
    const std::string unmarked = Utf16(u"a\u00DF<", false).substr(2);
    std::string storage;
    EXPECT_NE(DecodedText(unmarked, storage), utf8);
    EXPECT_EQ(DecodeUtf16WithoutMark(unmarked), utf8);
    EXPECT_EQ(DecodeUtf16WithoutMark(std::string("ab\0c", 4)), std::nullopt);
    EXPECT_EQ(DecodeUtf16WithoutMark(std::string("a\0b\0", 4)), "ab");
}

// The well-formed byte sequences of UTF-8 at the edges of each lead byte's
// range, after ASCII read a word at a time and alone.
TEST(IsValidUtf8, TakesTheWellFormedSequencesOnly)
{
    const std::pair<const char*, bool> cases[] = {
        {"\xC2\x80", true},          {"\xDF\xBF", true},          {"\xC1\xBF", false},
        {"\xE0\xA0\x80", true},      {"\xE0\x9F\xBF", false},     {"\xED\x9F\xBF", true},
        {"\xED\xA0\x80", false},     {"\xEF\xBF\xBF", true},      {"\xE1\x80\xC0", false},
        {"\xF0\x90\x80\x80", true},  {"\xF0\x8F\xBF\xBF", false}, {"\xF4\x8F\xBF\xBF", true},
        {"\xF4\x90\x80\x80", false}, {"\xF5\x80\x80\x80", false}, {"\xE1\x80", false},
    };
    for (const auto& [sequence, valid] : cases)
        for (const std::string before : {"", "abc", "abcdefgh"})
            EXPECT_EQ(IsValidUtf8(before + sequence + "z"), valid) << before << sequence;
}

}  // namespace
}  // namespace ravo
