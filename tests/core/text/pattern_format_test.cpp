// Tests of the pattern formatting against its exact path.
#include "core/text/pattern_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/text/numbers.h"

namespace ravo {
namespace {

TEST(FormatPattern, ThePatternsOfTheReportsAndTheElevationBox)
{
    struct Case {
        double value;
        const char* pattern;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {0, "#####0.000", "0.000"},
        {101.3125, "#####0.000", "101.313"},  // an exact half rounds away from zero
        {-101.3125, "#####0.000", "-101.313"},
        {0.0005, "#####0.000", "0.001"},  // 0.0005 is a little above the half as a double
        {0.125, "0.00", "0.13"},          // exact half: to_chars alone would give 0.12
        {2.675, "0.00", "2.67"},          // 2.675 is a little below the half as a double
        {12345678901.0, "#####0.000", "12345678901.000"},
        {static_cast<double>(12345.678f), "#####0.000", "12345.678"},
        {-0.0001, "#####0.000", "0.000"},  // rounds to zero: no minus sign
        {999.9996, "#####0.000", "1000.000"},
        {1234.5678, "######.000", "1234.568"},
        {0, "######.000", ".000"},
        {0.02, "0.########", "0.02"},
        {2, "0.########", "2."},
        {0, "0.########", "0."},
        {-0.0125, "0.########", "-0.0125"},
        {static_cast<double>(0.02f), "0.########", "0.02"},
        {static_cast<double>(1.0f / 3.0f), "0.########", "0.33333334"},
        {3, "##", "3"},
        {5.25, "00.0", "05.3"},
        {0, "##", ""},
        {2.5, "##", "3"},
        // beyond the double rounding: whole numbers and the exact expansion
        {0x1.fffffep+127, "##", "340282346638528859811704183484516925440"},
        {4503599627370495.5, "0.###", "4503599627370495.5"},
        {static_cast<double>(std::nextafter(16777215.0f, 0.0f)), "0.########", "16777214."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatPattern(c.value, c.pattern), c.expected) << c.value << " " << c.pattern;
    EXPECT_EQ(FormatPattern(1e300, "##").substr(0, 5), "10000");
    EXPECT_EQ(FormatPattern(1e300, "##").size(), 301u);
    EXPECT_EQ(FormatPattern(4.9406564584124654e-324, "0.########"), "0.");
    EXPECT_THROW(FormatPattern(INFINITY, "0.000"), OverflowError);
    EXPECT_THROW(FormatPattern(NAN, "0.000"), OverflowError);
}

// Every value, however it is rounded inside, gives the text of its exact
// decimal expansion (whose halves the table above pins down): a random sample of all floats, and
// the exact halves of each pattern's last place (odd multiples of 2^-(places + 1)) with the floats
// and doubles on either side of them.
TEST(FormatPattern, SameTextAsTheExactExpansion)
{
    const std::vector<std::pair<const char*, int>> patterns = {
        {"#####0.000", 3}, {"######.000", 3}, {"0.########", 8}, {"##", 0}};
    std::vector<double> values;
    std::mt19937 random(4321);
    for (int i = 0; i < 20000; ++i)
        values.push_back(std::bit_cast<float>(static_cast<std::uint32_t>(random())));
    for (int i = 0; i < 2000; ++i) {
        const std::int64_t odd =
            2 * std::uniform_int_distribution<std::int64_t>(0, 1 << 30)(random) + 1;
        const int places = patterns[static_cast<std::size_t>(i) % patterns.size()].second;
        const double half = std::ldexp(static_cast<double>(odd), -(places + 1));
        const float single = static_cast<float>(half);
        for (double v : {half, std::nextafter(half, 0.0), std::nextafter(half, 1e300),
                         static_cast<double>(std::nextafter(single, 0.0f)),
                         static_cast<double>(std::nextafter(single, 1e30f)), -half})
            values.push_back(v);
    }
    for (const auto& [pattern, places] : patterns) {
        for (double v : values) {
            if (!std::isfinite(v))
                continue;
            ASSERT_EQ(FormatPattern(v, pattern), FormatPatternExactly(v, pattern))
                << std::hexfloat << v << " " << pattern;
        }
    }
}

}  // namespace
}  // namespace ravo
