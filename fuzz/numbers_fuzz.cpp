// libFuzzer target for the number conversions: the text of an entry box read
// with LeadingNumber, and the number so read (or the fuzzer's bytes taken as a
// double) written with NumberText, ExactNumberText and the report patterns of
// FormatPattern, then read back. Each must give the number back to the digits
// that it writes; LeadingNumber may refuse a number too large for a double
// with OverflowError and nothing else. Anything else ends the run.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/text/numbers.h"

namespace {

[[noreturn]] void Fail(const char* what, double value, const std::string& text)
{
    std::fprintf(stderr, "number conversions: %s\nvalue %.17g, text \"%s\"\n", what, value,
                 text.c_str());
    std::abort();
}

// Reads back a text that the program wrote; it must be a plain number.
double ReadBack(const std::string& text, double value)
{
    try {
        return ravo::LeadingNumber(text);
    } catch (const ravo::OverflowError&) {
        Fail("a written text does not read back", value, text);
    }
}

void ExpectNear(double back, double value, double tolerance, const std::string& text)
{
    if (!(std::fabs(back - value) <= tolerance))
        Fail("the text read back is another number", value, text);
}

// The patterns of the reports, each with half a unit of its last place.
struct Pattern {
    const char* pattern;
    double halfUnit;
};
constexpr Pattern kPatterns[] = {
    {"#####0.000", 0.0005}, {"######.000", 0.0005}, {"0.########", 0.000000005}, {"##", 0.5}};

void CheckDouble(double value)
{
    if (!std::isfinite(value))
        Fail("LeadingNumber gave a number that is not finite", value, "");
    // Fifteen digits of the very largest doubles round up beyond the double
    // range, and so cannot be read back; they are never shown in any field.
    constexpr double largestFifteenDigits = 1.79769313486231e308;
    if (std::fabs(value) <= largestFifteenDigits) {
        const std::string text = ravo::NumberText(value);
        ExpectNear(ReadBack(text, value), value, std::fabs(value) * 1e-14 + DBL_TRUE_MIN, text);
    }
    for (const Pattern& p : kPatterns) {
        const std::string formatted = ravo::FormatPattern(value, p.pattern);
        if (formatted.find_first_not_of("-0123456789.") != std::string::npos)
            Fail("a pattern wrote something other than digits", value, formatted);
        ExpectNear(ReadBack(formatted, value), value,
                   p.halfUnit * (1 + 1e-9) + std::fabs(value) * 4 * DBL_EPSILON, formatted);
    }
}

void CheckFloat(double value)
{
    float single = 0;
    try {
        single = ravo::ToFloat(value);
    } catch (const ravo::OverflowError&) {
        return;  // beyond the float range: no float field holds it
    }
    const std::string text = ravo::NumberText(single);
    ExpectNear(ReadBack(text, single), single, std::fabs(single) * 5e-7 + FLT_TRUE_MIN, text);
    const std::string exact = ravo::ExactNumberText(single);
    if (ravo::ToFloat(ReadBack(exact, single)) != single)
        Fail("ExactNumberText does not read back as the same float", single, exact);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const double read = ravo::LeadingNumber(text);
        CheckDouble(read);
        CheckFloat(read);
    } catch (const ravo::OverflowError&) {
        // too large for a double: refused with a message, as expected
    }
    if (size >= sizeof(double)) {
        double bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        if (std::isfinite(bits)) {
            CheckDouble(bits);
            CheckFloat(bits);
        }
    }
    return 0;
}
