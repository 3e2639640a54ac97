#include "core/input_file.h"

#include <gtest/gtest.h>

#include "file_test_support.h"
#include "input_profiles.h"

namespace ravo {
namespace {

using namespace ravo::test;

std::u16string Widen(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

const std::vector<std::string_view> kRidgeLines = {"\"Ridge\"",
                                                   "2",
                                                   "100,0.02,-0.01,1000,1200",
                                                   "101,-0.01,-0.01,1200,1500",
                                                   "1",
                                                   "-0.02,4E-04,4E-04,1000,1100"};

// The canonical lines of kRidge with some of them replaced.
std::string RidgeWith(const std::vector<std::pair<std::size_t, std::string_view>>& changes)
{
    std::vector<std::string_view> lines = kRidgeLines;
    for (const auto& [index, line] : changes)
        lines[index] = line;
    return Lines(lines);
}

TEST(ParseInputFile, LooseLayoutsLoadLikeTheCanonicalOne)
{
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"canonical", Lines(kRidgeLines)},
        {"LF", Lines(kRidgeLines, "\n")},
        {"CR", Lines(kRidgeLines, "\r")},
        {"blank lines and blanks",
         Lines({"", "  \"Ridge\"  ", "", "\t2", "100, 0.02 ,\t-0.01,1000,1200", "", "  ",
                "101,-0.01,-0.01,1200,1500", "1", "-0.02,0.0004,0.0004,1000,1100", ""})},
        {"records split over lines",
         Lines({"\"Ridge\"", "2", "100,0.02,", "-0.01", "1000,1200,101",
                "-0.01,-0.01,1200,1500,1,-0.02", "0.0004", "0.0004", "1000", "1100"})},
        {"all on one line",
         "\"Ridge\",2,100,0.02,-0.01,1000,1200,101,-0.01,-0.01,1200,1500,1,"
         "-0.02,0.0004,0.0004,1000,1100"},
        {"quoted numbers", RidgeWith({{1, "\"2\""},
                                      {2, "\"100\",\" 0.02\",\"-0.01\",1000,1200"},
                                      {3, "101,-0.01,-0.01,1200,\"1500\" m"},
                                      {4, "\"1\""}})},
        {"number forms", RidgeWith({{2, "1E2,2e-2,-.01,+1000,1.2E+3"},
                                    {3, "101.000,-1e-2,-0.010,12e2,1500."},
                                    {5, "-2E-2,.0004,4e-4,1000,1100"}})},
        {"text after numbers", RidgeWith({{1, "2 curves"},
                                          {2, "100m,0.02 (2 %),-0.01,1000,1200"},
                                          {4, "1 segment"},
                                          {5, "-0.02,4E-04,4E-04,1000,1100 end"}})},
        {"counts with a fraction", RidgeWith({{1, "2.5"}, {4, "1.4"}})},
        {"text after the closing quote", RidgeWith({{0, "\"Ridge\" was here"}})},
        {"unquoted title with trailing blanks", RidgeWith({{0, "Ridge \t "}})},
        {"byte order mark, trailing comma, unread text after the end",
         "\xEF\xBB\xBF" + RidgeWith({{5, "-0.02,4E-04,4E-04,1000,1100,"}}) + "never read,1e99"},
        {"UTF-16 little endian", Utf16(Widen(Lines(kRidgeLines)), false)},
        {"UTF-16 big endian", Utf16(Widen(Lines(kRidgeLines)), true)},
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        ExpectSameBits(ParseInputFile(text), kRidge);
    }
}

TEST(ParseInputFile, EarlyEndsAndNumbersBeyondTheirRangeFail)
{
    // Every cut of a file before its last field leaves a field unread.
    const std::string full =
        Lines({"\"Ridge\"", "1", "100,0.02,-0.01,1000,1200", "1", "-0.02,4E-04,4E-04,1000,1100"});
    const std::size_t lastField = full.rfind(',') + 1;
    for (std::size_t cut = 0; cut < lastField; ++cut)
        EXPECT_THROW(ParseInputFile(full.substr(0, cut)), InputFileError) << cut;

    const std::vector<std::string> cases = {
        "",
        "  \r\n\r\n\t",
        Lines({"3", "1,2,3,4,5", "1,2,3,4,5", "1,2,3,4,5"}),  // no segment count
        Lines({"\"t\"", "0", "2", "1,2,3,4,5"}),              // one segment short
        Lines({"\"t\"", "1", "1,2,3,4,"}),                    // a comma ends the file
        Lines({"\"unclosed title", "0", "0"}),
        Lines({"0", "1", "0,0,0,0,0"}),  // 0 first: the segment count becomes the curve count
        // Counts far beyond what the file can hold end early without reserving for them.
        Lines({"2147483647", "1,2,3,4,5"}),
        Lines({"\"\"", "0", "2147483647", "1,2,3,4,5", "1,2,3,4,5"}),
        // Numbers beyond their range.
        Lines({"1", "3.5e38,0,0,0,0", "0"}),
        Lines({"1", "0,-1e39,0,0,0", "0"}),
        Lines({"1", "0,0,1e400,0,0", "0"}),
        Lines({"1", "0,0,0,\"1e99999999999999999999\",0", "0"}),
        Lines({"\"\"", "2147483648", "0"}),
        Lines({"\"\"", "0", "-2147483649"}),
        Lines({"\"\"", "0", "1e10"}),
        Lines({"\"\"", "2147483647.5", "0"}),
        Lines({"99999999999 Main Street", "0", "0"}),
    };
    for (const std::string& text : cases)
        EXPECT_THROW(ParseInputFile(text), InputFileError) << text;
}

TEST(ParseInputFile, RefusalsSayWhy)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {Lines({"\"t\"", "1", "", "1,2,3e39,4,5", "0"}),
         "line 4: the ending grade of curve 1, 3e39, lies beyond the 32-bit float range"},
        {"20000000\r\n", "line 1: the file has 20000000 curves; at most 1000000 can be loaded"},
        {"\"t\"\r1\r\r1,2,3e39,4,5\r0\r",
         "line 4: the ending grade of curve 1, 3e39, lies beyond the 32-bit float range"},
        {Lines({"\"\"", "0", "1000001"}),
         "line 3: the file has 1000001 segments; at most 1000000 can be loaded"},
        {Lines({"\"\"", "1000000", "1,2,3,4,5"}),
         "the file ends before all of its 1000000 curves can be read"},
        {Lines({"1", "1" + std::string(39, '0') + ",0,0,0,0", "0"}),
         "line 2: the beginning elevation of curve 1, 1" + std::string(39, '0') +
             ", lies beyond the 32-bit float range"},
    };
    for (const auto& [text, message] : cases) {
        try {
            ParseInputFile(text);
            ADD_FAILURE() << "no error for " << text;
        } catch (const InputFileError& error) {
            EXPECT_EQ(error.what(), message);
        }
    }
    EXPECT_THROW(StateOf({"", 1, 0, {}, {}}), InputFileError);  // no rows for its count
}

// What a file may be is read_file's; here only the size limit of input files.
TEST(ReadInputFile, RefusesFilesBeyondTheLoadableSize)
{
    const TempFolder folder;
    const fs::path huge = folder / "huge.in";
    Put(huge, "");
    fs::resize_file(huge, MaxInputFileBytes + 1);  // sparse: takes no space
    try {
        ReadInputFile(huge.string());
        ADD_FAILURE() << "no error";
    } catch (const InputFileError& error) {
        EXPECT_EQ(error.what(), huge.string() + ": File too large");
    }
}

TEST(InputFileExamples, EveryExampleLoadsAndIsCanonical)
{
    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(RAVO_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".in")
            continue;
        SCOPED_TRACE(entry.path().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text(std::istreambuf_iterator<char>(in), {});
        const InputProfile profile = ReadInputFile(entry.path().string());
        EXPECT_GE(profile.numVC, 1);
        EXPECT_EQ(InputFileText(StateOf(profile)), text);
        ++count;
    }
    EXPECT_GE(count, 2);
}

}  // namespace
}  // namespace ravo
