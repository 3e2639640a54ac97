// Tests of reading input files.
#include "core/formats/input_file.h"

#include <gtest/gtest.h>

#include "support/error_text.h"
#include "support/file_test_support.h"
#include "support/input_profiles.h"

namespace ravo {
namespace {

using namespace ravo::test;

const std::string kRidgeFile =
    Lines({"\"Ridge\"", "2", "100,0.02,-0.01,1000,1200", "101,-0.01,-0.01,1200,1500", "1",
           "-0.02,4E-04,4E-04,1000,1100"});

// Value and title fields, and commas and line ends alike between them, are
// input_fields'; the encodings text_encoding's; here how the fields make up a file.
TEST(ParseInputFile, LooseLayoutsLoadLikeTheCanonicalOne)
{
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"blank lines and blanks",
         Lines({"", "  \"Ridge\"  ", "", "\t2", "100, 0.02 ,\t-0.01,1000,1200", "", "  ",
                "101,-0.01,-0.01,1200,1500", "1", "-0.02,0.0004,0.0004,1000,1100", ""})},
        // "Ridge" quoted is 7 bytes.
        {"unquoted title with trailing blanks", "Ridge \t " + kRidgeFile.substr(7)},
        {"byte order mark, unread text after the end",
         "\xEF\xBB\xBF" + kRidgeFile + "never read,1e99"},
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        ExpectSameBits(ParseInputFile(text), kRidge);
    }
}

TEST(ParseInputFile, RefusalsSayWhy)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
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
        {Lines({"\"unclosed title", "0", "0"}), "the file ends before the curve count"},
        {Lines({"99999999999 Main Street", "0", "0"}),
         "line 1: the curve count, 99999999999 Main Street, lies beyond the 32-bit range of a "
         "count"},
        {Lines({"\"t\"", "1", "1,2,3,4,5", "1", "1,2,"}),
         "the file ends before the ending super grade of segment 1 of 1"},
    };
    for (const auto& [text, message] : cases)
        EXPECT_EQ(ErrorText<InputFileError>([&] { ParseInputFile(text); }), message) << text;
    EXPECT_THROW(StateOf({"", 1, 0, {}, {}}), InputFileError);  // no rows for its count

    // Every cut of a file up to the comma before its last field leaves a field unread.
    const std::size_t lastField = kRidgeFile.rfind(',') + 1;
    for (std::size_t cut = 0; cut < lastField; ++cut)
        EXPECT_THROW(ParseInputFile(kRidgeFile.substr(0, cut)), InputFileError) << cut;
}

// What a file may be is read_file's; here only the size limit of input files.
TEST(ReadInputFile, RefusesFilesBeyondTheLoadableSize)
{
    const TempFolder folder;
    const fs::path huge = folder / "huge.in";
    Put(huge, "");
    fs::resize_file(huge, MaxInputFileBytes + 1);  // sparse: takes no space
    EXPECT_THROW(ReadInputFile(huge.string()), InputFileError);
}

}  // namespace
}  // namespace ravo
