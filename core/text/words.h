// Blanks around and between the words of a line of text.
#pragma once

#include <algorithm>
#include <string_view>
#include <vector>

namespace ravo {

// The text without the blanks and tabs at either end.
inline std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The words of the text, separated by blanks, tabs and line ends.
inline std::vector<std::string_view> Words(std::string_view text)
{
    constexpr std::string_view separators = " \t\r\n";
    std::vector<std::string_view> words;
    for (std::size_t at = text.find_first_not_of(separators); at != std::string_view::npos;
         at = text.find_first_not_of(separators, at)) {
        const std::size_t end = std::min(text.find_first_of(separators, at), text.size());
        words.push_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

}  // namespace ravo
