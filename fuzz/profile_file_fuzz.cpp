// libFuzzer target for the door every profile file comes through and for the
// PVI CSV reader. Arbitrary bytes either load as some format or are refused
// with InputFileError. A CSV table that reads is written and read back; from
// the first text Ravo wrote on, reading gives the same points bit for bit and
// writing the same text. Anything else (a crash, another exception, a
// sanitizer report, a mismatch) ends the run.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/profile_file.h"
#include "core/formats/pvi_table.h"
#include "core/text/text_encoding.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& text)
{
    std::fprintf(stderr, "PVI CSV round trip: %s\n--- written text ---\n%s\n", what, text.c_str());
    std::abort();
}

bool Same(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// The points as the table holds them; where they stood in the file aside.
bool SamePoints(const std::vector<ravo::PviPoint>& a, const std::vector<ravo::PviPoint>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!Same(a[i].station, b[i].station) || !Same(a[i].elevation, b[i].elevation) ||
            !Same(a[i].lengthIn, b[i].lengthIn) || !Same(a[i].lengthOut, b[i].lengthOut) ||
            a[i].kind != b[i].kind || a[i].desc != b[i].desc)
            return false;
    }
    return true;
}

std::vector<ravo::PviPoint> ReadBack(const std::string& text)
{
    try {
        return ravo::ParsePviCsv(text);
    } catch (const ravo::InputFileError& error) {
        Fail(error.what(), text);
    }
}

void CsvRoundTrip(std::string_view text)
{
    std::vector<ravo::PviPoint> first;
    try {
        first = ravo::ParsePviCsv(text);
    } catch (const ravo::InputFileError&) {
        return;  // refused with a message: most inputs
    }
    const std::string written = ravo::PviCsvText(first);
    const std::vector<ravo::PviPoint> second = ReadBack(written);
    const std::string again = ravo::PviCsvText(second);
    const std::vector<ravo::PviPoint> third = ReadBack(again);
    if (!SamePoints(second, third))
        Fail("the points read back differ", again);
    if (ravo::PviCsvText(third) != again)
        Fail("writing the points again gives another text", again);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        ravo::AnyProfileFromBytes(bytes);
        ravo::AnyProfileFromBytes(bytes, {{}, true});  // and as a plain PVI table
    } catch (const ravo::InputFileError&) {
        // refused with a message: the expected outcome for most inputs
    }
    std::string storage;
    CsvRoundTrip(ravo::DecodedText(bytes, storage));
    return 0;
}
