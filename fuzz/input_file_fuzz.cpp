// libFuzzer target for the input file: arbitrary bytes either fail to read
// with InputFileError or read into a profile that writes and reads back to
// the same profile, bit for bit, and writes the same text a second time.
// Anything else (a crash, another exception, a sanitizer report, a mismatch)
// ends the run.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/input_file.h"
#include "core/profile/profile_state.h"
#include "same_bits.h"

namespace {

using ravo::fuzz::SameBits;

bool SameProfile(const ravo::InputProfile& a, const ravo::InputProfile& b)
{
    if (a.title != b.title || a.numVC != b.numVC || a.numSup != b.numSup)
        return false;
    for (std::size_t column = 0; column < a.curves.size(); ++column) {
        if (!SameBits(a.curves[column], b.curves[column]) ||
            !SameBits(a.segments[column], b.segments[column]))
            return false;
    }
    return true;
}

std::string CanonicalText(const ravo::InputProfile& profile)
{
    ravo::ProfileState state;
    ravo::ApplyInputProfile(state, ravo::InputProfile(profile));
    return ravo::InputFileText(state);
}

[[noreturn]] void Fail(const char* what, const std::string& text)
{
    std::fprintf(stderr, "input file round trip: %s\n--- written text ---\n%s\n", what,
                 text.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ravo::InputProfile read;
    try {
        read = ravo::ParseInputFile(bytes);
    } catch (const ravo::InputFileError&) {
        return 0;  // refused with a message: the expected outcome for most inputs
    }
    const std::string text = CanonicalText(read);
    ravo::InputProfile reread;
    try {
        reread = ravo::ParseInputFile(text);
    } catch (const ravo::InputFileError& error) {
        Fail(error.what(), text);
    }
    if (!SameProfile(read, reread))
        Fail("the profile read back differs", text);
    if (CanonicalText(reread) != text)
        Fail("writing the profile again gives another text", text);
    return 0;
}
