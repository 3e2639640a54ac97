// Ground lines: reading a list of station and elevation pairs, and their notes.
#include "core/formats/ground_line.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/formats/input_file.h"
#include "core/formats/pvi_mapping.h"
#include "core/text/numbers.h"
#include "core/text/words.h"

namespace ravo {
namespace {

bool ReadDouble(std::string_view text, double& value)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const char* end = text.data() + text.size();
    const std::from_chars_result result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

}  // namespace

std::vector<GroundPoint> GroundPointsOf(std::string_view text, const std::string& where)
{
    const std::vector<std::string_view> words = Words(text);
    if (words.size() % 2 != 0)
        throw InputFileError(where + ": " + std::to_string(words.size()) +
                             " numbers, not station and elevation pairs");
    if (words.size() / 2 > MaxGroundLinePoints)
        throw InputFileError(where + ": more than " + std::to_string(MaxGroundLinePoints) +
                             " ground points; at most " + std::to_string(MaxGroundLinePoints) +
                             " can be loaded");
    std::vector<GroundPoint> points(words.size() / 2);
    for (std::size_t i = 0; i < words.size(); ++i) {
        double& value = i % 2 == 0 ? points[i / 2].station : points[i / 2].elevation;
        if (!ReadDouble(words[i], value))
            throw InputFileError(where + ": \"" + std::string(words[i].substr(0, 40)) +
                                 "\" is not a number");
    }
    return points;
}

std::vector<std::string> GroundLineNotes(const std::vector<GroundLine>& lines)
{
    std::vector<std::string> notes;
    for (const GroundLine& line : lines) {
        std::string note = "Ground line \"" + line.name + "\"";
        if (!line.state.empty())
            note += " (" + line.state + ")";
        if (line.points.empty()) {
            notes.push_back(note + ": no points.");
            continue;
        }
        const auto [low, high] = std::minmax_element(
            line.points.begin(), line.points.end(),
            [](const GroundPoint& a, const GroundPoint& b) { return a.station < b.station; });
        const std::size_t count = line.points.size();
        notes.push_back(note + ": " + std::to_string(count) + (count == 1 ? " point" : " points") +
                        " from station " + ShortestText(low->station) + " to " +
                        ShortestText(high->station) + ".");
    }
    return notes;
}

}  // namespace ravo
