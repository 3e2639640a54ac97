// libFuzzer target for the LandXML reader and writer: arbitrary bytes either
// fail to load with InputFileError or load into curve rows. A file that the
// one-pass reading takes gives what the tree reading gives. Rows that form one
// profile are written as LandXML, read back and written again; from the first
// file Ravo wrote on, reading gives the same rows bit for bit and writing
// the same text. Anything else (a crash, another exception, a sanitizer
// report, a mismatch) ends the run.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "core/formats/landxml_read.h"
#include "core/formats/landxml_scan.h"
#include "core/formats/landxml_write.h"
#include "core/formats/pvi_mapping.h"
#include "same_bits.h"

namespace {

bool SameRows(const ravo::InputProfile& a, const ravo::InputProfile& b)
{
    if (a.numVC != b.numVC)
        return false;
    for (std::size_t c = 0; c < a.curves.size(); ++c) {
        if (!ravo::fuzz::SameBits(a.curves[c], b.curves[c]))
            return false;
    }
    return true;
}

[[noreturn]] void Fail(const char* what, const std::string& text)
{
    std::fprintf(stderr, "LandXML round trip: %s\n--- written text ---\n%s\n", what, text.c_str());
    std::abort();
}

// The LandXML text of rows, or empty when they do not form one profile.
std::string Written(const ravo::InputProfile& rows)
{
    ravo::ProfileState state;
    ravo::ApplyInputProfile(state, ravo::InputProfile(rows));
    try {
        return ravo::LandXmlText(state, ravo::LengthUnits::Metres).text;
    } catch (const ravo::ProfileNotContinuousError&) {
        return {};
    }
}

// The one-pass reading never takes a file that the tree reads otherwise.
void CompareReadings(std::string_view bytes)
{
    const std::optional<ravo::LandXmlFile> scanned = ravo::ScanLandXml(bytes);
    if (!scanned)
        return;
    try {
        if (!(*scanned == ravo::ParseLandXmlTree(bytes)))
            Fail("the one-pass reading differs from the tree's", std::string(bytes));
    } catch (const ravo::InputFileError& error) {
        Fail(error.what(), std::string(bytes));
    }
}

ravo::InputProfile ReadBack(const std::string& text)
{
    try {
        return ravo::ImportLandXml(text, {}).profile;
    } catch (const ravo::InputFileError& error) {
        Fail(error.what(), text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CompareReadings(bytes);
    ravo::InputProfile first;
    try {
        first = ravo::ImportLandXml(bytes, {}).profile;
    } catch (const ravo::InputFileError&) {
        return 0;  // refused with a message, several profiles among them
    }
    const std::string text = Written(first);
    if (text.empty())
        return 0;
    const ravo::InputProfile second = ReadBack(text);
    const std::string again = Written(second);
    if (again.empty())
        Fail("rows read from Ravo's own file do not form one profile", text);
    const ravo::InputProfile third = ReadBack(again);
    if (!SameRows(second, third))
        Fail("the rows read back differ", again);
    if (Written(third) != again)
        Fail("writing the rows again gives another text", again);
    return 0;
}
