// Profiles of the input file tests, and how to compare them.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/input_file.h"
#include "core/formats/profile_file.h"
#include "core/profile/profile_state.h"

namespace ravo::test {

using Row = std::array<float, ColumnCount>;

inline std::string Lines(const std::vector<std::string_view>& lines, std::string_view end = "\r\n")
{
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += end;
    }
    return text;
}

inline std::array<std::vector<float>, ColumnCount> TablesOf(const std::vector<Row>& rows)
{
    std::array<std::vector<float>, ColumnCount> tables;
    if (rows.empty())
        return tables;
    for (std::size_t column = 0; column < ColumnCount; ++column) {
        tables[column].push_back(0.0f);
        for (const Row& row : rows)
            tables[column].push_back(row[column]);
    }
    return tables;
}

// The text as a file in UTF-16 with its byte order mark.
inline std::string Utf16(std::u16string_view text, bool bigEndian)
{
    std::string bytes;
    for (char16_t unit : u"\uFEFF" + std::u16string(text)) {
        const auto high = static_cast<char>(unit >> 8);
        const auto low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

inline InputProfile ProfileOf(std::string title, const std::vector<Row>& curves,
                              const std::vector<Row>& segments)
{
    return {std::move(title), static_cast<std::int32_t>(curves.size()),
            static_cast<std::int32_t>(segments.size()), TablesOf(curves), TablesOf(segments)};
}

inline ProfileState StateOf(InputProfile profile)
{
    ProfileState state;
    ApplyInputProfile(state, std::move(profile));
    return state;
}

// A profile read from the text of a file in any format Ravo reads.
inline ProfileState ProfileFromText(std::string_view text)
{
    return StateOf(AnyProfileFromBytes(text).profile);
}

// Equal counts and titles, and every value equal bit for bit (so 0 and -0 differ).
inline void ExpectSameBits(const InputProfile& actual, const InputProfile& expected)
{
    EXPECT_EQ(actual.title, expected.title);
    EXPECT_EQ(actual.numVC, expected.numVC);
    EXPECT_EQ(actual.numSup, expected.numSup);
    const auto bits = [](const std::array<std::vector<float>, ColumnCount>& tables) {
        std::vector<std::uint32_t> out;
        for (const std::vector<float>& table : tables) {
            for (float value : table)
                out.push_back(std::bit_cast<std::uint32_t>(value));
            out.push_back(0xFFFFFFFFu);  // keeps the columns apart
        }
        return out;
    };
    EXPECT_EQ(bits(actual.curves), bits(expected.curves));
    EXPECT_EQ(bits(actual.segments), bits(expected.segments));
}

inline const InputProfile kRidge =
    ProfileOf("Ridge", {{100, 0.02f, -0.01f, 1000, 1200}, {101, -0.01f, -0.01f, 1200, 1500}},
              {{-0.02f, 0.0004f, 0.0004f, 1000, 1100}});

}  // namespace ravo::test
