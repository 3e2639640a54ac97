#include "core/input_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/profile_state.h"

namespace ravo {
namespace {

namespace fs = std::filesystem;

using Row = std::array<float, ColumnCount>;

std::string Lines(const std::vector<std::string_view>& lines, std::string_view end = "\r\n")
{
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += end;
    }
    return text;
}

std::array<std::vector<float>, ColumnCount> TablesOf(const std::vector<Row>& rows)
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

InputProfile ProfileOf(std::string title, const std::vector<Row>& curves,
                       const std::vector<Row>& segments)
{
    return {std::move(title), static_cast<std::int32_t>(curves.size()),
            static_cast<std::int32_t>(segments.size()), TablesOf(curves), TablesOf(segments)};
}

ProfileState StateOf(InputProfile profile)
{
    ProfileState state;
    ApplyInputProfile(state, std::move(profile));
    return state;
}

// Equal counts and titles, and every value equal bit for bit (so 0 and -0 differ).
void ExpectSameBits(const InputProfile& actual, const InputProfile& expected)
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

const InputProfile kRidge =
    ProfileOf("Ridge", {{100, 0.02f, -0.01f, 1000, 1200}, {101, -0.01f, -0.01f, 1200, 1500}},
              {{-0.02f, 0.0004f, 0.0004f, 1000, 1100}});

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
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        ExpectSameBits(ParseInputFile(text), kRidge);
    }
}

TEST(ParseInputFile, ValueFieldsReadTheirLeadingNumber)
{
    const std::vector<std::pair<std::string, float>> cases = {
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"inf", 0},
        {"nan", 0},
        {"12abc", 12},
        {"1.5 m", 1.5f},
        {"1D3", 1},
        {"\"7\"", 7},
        {"\" 7 \" m", 7},
        {"+.5", 0.5f},
        {"5.", 5},
        {"1.2.3", 1.2f},
        {"0x10", 0},
        {"1e-50", 0},
        {"-1e-50", -0.0f},
        {"1.4E-45", std::numeric_limits<float>::denorm_min()},
        {"3.4028235E+38", FLT_MAX},
        {"-3.4028235E+38", -FLT_MAX},
        {"12345.678", 12345.678f},
        {"0.1000000000000000000001", 0.1f},
    };
    for (const auto& [text, expected] : cases) {
        const InputProfile profile = ParseInputFile("1\r\n" + text + ",0,0,0,0\r\n0");
        ASSERT_EQ(profile.curves[0].size(), 2u) << text;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(profile.curves[0][1]),
                  std::bit_cast<std::uint32_t>(expected))
            << '"' << text << "\" read " << profile.curves[0][1];
    }
}

TEST(ParseInputFile, TitleRule)
{
    struct Case {
        std::string text;
        std::string title;
        std::int32_t numVC;
    };
    const std::vector<Case> cases = {
        {Lines({"3", "1,2,3,4,5", "1,2,3,4,5", "1,2,3,4,5", "0"}), "", 3},
        {Lines({"\"5\"", "0", "0"}), "5", 0},
        {Lines({"\"\"", "1", "100,0,0,1000,1400", "0"}), "", 1},
        {Lines({"0", "0", "0"}), "0", 0},
        {Lines({"-2", "1", "1,2,3,4,5", "0"}), "-2", 1},
        {Lines({"Main Street", "0", "0"}), "Main Street", 0},
        {Lines({",0", "0"}), "", 0},
        {Lines({"\"a, b\"", "0", "0"}), "a, b", 0},
        {Lines({"\"He said \"\"hi\"\"\"", "0", "0"}), "He said \"hi\"", 0},
        {Lines({"\"\"\"\"", "0", "0"}), "\"", 0},
        // A quote inside a title written without doubling ends it, as it always did.
        {Lines({"\"old \"quoted\" title\"", "0", "0"}), "old ", 0},
        {Lines({"\"two", "lines\"", "0", "0"}), "two\r\nlines", 0},
    };
    for (const Case& c : cases) {
        const InputProfile profile = ParseInputFile(c.text);
        EXPECT_EQ(profile.title, c.title) << c.text;
        EXPECT_EQ(profile.numVC, c.numVC) << c.text;
    }
}

TEST(ParseInputFile, EveryEarlyEndFails)
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
    };
    for (const std::string& text : cases)
        EXPECT_THROW(ParseInputFile(text), InputFileError) << text;
}

TEST(ParseInputFile, NumbersBeyondTheirRangeFail)
{
    const std::vector<std::string> cases = {
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

    try {
        ParseInputFile(Lines({"\"t\"", "1", "", "1,2,3e39,4,5", "0"}));
        FAIL() << "no error";
    } catch (const InputFileError& error) {
        EXPECT_STREQ(error.what(),
                     "line 4: the ending grade of curve 1, 3e39, lies beyond "
                     "the 32-bit float range");
    }
}

TEST(ParseInputFile, Windows1252TitlesBecomeUtf8)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {Lines({"\"Stra\xDF"
                "e \x80 \x81\"",
                "0", "0"}),
         "Stra\xC3\x9F"
         "e \xE2\x82\xAC \xC2\x81"},
        {Lines({"\"Stra\xC3\x9F"
                "e\"",
                "0", "0"}),
         "Stra\xC3\x9F"
         "e"},
        // Valid as UTF-8 in the title, but not elsewhere: the file is Windows-1252.
        {Lines({"\"Stra\xC3\x9F"
                "e\"",
                "1", "caf\xE9,0,0,0,0", "0"}),
         "Stra\xC3\x83\xC5\xB8"
         "e"},
        {Lines({"Unquoted \x96 dash", "0", "0"}), "Unquoted \xE2\x80\x93 dash"},
    };
    for (const auto& [text, title] : cases)
        EXPECT_EQ(ParseInputFile(text).title, title) << text;
}

TEST(InputFileText, CanonicalLayout)
{
    const std::vector<std::pair<InputProfile, std::string>> cases = {
        {ProfileOf("", {}, {}), "\"\"\r\n0\r\n0\r\n"},
        {ProfileOf("", {{100, 0, 0, 1000, 1400}}, {}), "\"\"\r\n1\r\n100,0,0,1000,1400\r\n0\r\n"},
        {ProfileOf("Main Street profile", {{100, 0.02f, -0.01f, 1000, 1200}},
                   {{-0.02f, 0.0004f, 0.0004f, 1000, 1100}}),
         Lines({"\"Main Street profile\"", "1", "100,0.02,-0.01,1000,1200", "1",
                "-0.02,0.0004,0.0004,1000,1100"})},
        {{"say \"hi\"", -2, -7, {}, {}}, Lines({"\"say \"\"hi\"\"\"", "-2", "-7"})},
    };
    for (const auto& [profile, text] : cases)
        EXPECT_EQ(InputFileText(StateOf(profile)), text);

    const std::vector<std::pair<float, const char*>> values = {
        {12345.678f, "12345.678"},
        {0.02f, "0.02"},
        {1e7f, "10000000"},
        {1e-5f, "1E-05"},
        {-0.0f, "-0"},
        {1.0f / 3, "0.33333334"},
        {0.0004f, "0.0004"},
        {1400, "1400"},
        {FLT_MAX, "3.4028235E+38"},
        {std::numeric_limits<float>::denorm_min(), "1E-45"},
        {123456792.0f, "123456792"},
        {-101.3125f, "-101.3125"},
        {1e9f, "1E+09"},
        {9.9e-5f, "9.9E-05"},
    };
    for (const auto& [value, text] : values)
        EXPECT_EQ(ValueText(value), text) << text;
}

TEST(InputFile, WrittenProfilesLoadBackBitForBit)
{
    std::mt19937 random(20240611);
    std::vector<Row> randomRows;
    while (randomRows.size() < 2000) {
        Row row{};
        for (float& value : row) {
            do
                value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
            while (!std::isfinite(value));
        }
        randomRows.push_back(row);
    }
    const float tiny = std::numeric_limits<float>::denorm_min();
    const std::vector<InputProfile> profiles = {
        ProfileOf("", {}, {}),
        ProfileOf("5", {{1.0f / 3, 2.0f / 3, 0.1f, 12345.678f, 99999.99f}}, {}),
        ProfileOf("say \"hi\", \"", {}, {{-0.0f, tiny, -tiny, FLT_MAX, -FLT_MAX}}),
        ProfileOf("Stra\xC3\x9F"
                  "e \xE2\x80\x93 S\xC3\xBC"
                  "d",
                  {{1e-38f, 1.17549435e-38f, 1e38f, 1e7f, 1e-5f}},
                  {{0.0004f, 16777217.0f, 0.1f, 1e10f, 123456.789f}}),
        ProfileOf("two\r\nlines", randomRows, randomRows),
    };
    for (const InputProfile& profile : profiles)
        ExpectSameBits(ParseInputFile(InputFileText(StateOf(profile))), profile);
}

class InputFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() /
                  ("ravo-input-test-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder_);
    }
    void TearDown() override
    {
        std::error_code error;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(folder_, error);
    }

    static std::string Contents(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void Put(const fs::path& file, const std::string& text)
    {
        std::ofstream(file, std::ios::binary) << text;
    }
    std::vector<fs::path> Files() const
    {
        std::vector<fs::path> files;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder_))
            files.push_back(entry.path().filename());
        return files;
    }

    fs::path folder_;
};

TEST_F(InputFileOnDisk, SavingReplacesTheWholeFileAndLoadsBack)
{
    const fs::path file = folder_ / "ridge.in";
    Put(file, std::string(10000, 'x'));
    const ProfileState state = StateOf(kRidge);
    WriteInputFile(state, file.string());
    EXPECT_EQ(Contents(file), InputFileText(state));
    EXPECT_EQ(Files(), std::vector<fs::path>{"ridge.in"});
    ExpectSameBits(ReadInputFile(file.string()), kRidge);
}

TEST_F(InputFileOnDisk, FailedSavesLeaveThePreviousFile)
{
    const fs::path file = folder_ / "old.in";
    Put(file, "old contents");
    ProfileState inconsistent = StateOf(kRidge);
    inconsistent.NumSup = 9;
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"missing folder", (folder_ / "missing" / "new.in").string()},
        {"a folder", folder_.string()},
        {"empty path", ""},
    };
    for (const auto& [name, path] : cases)
        EXPECT_THROW(WriteInputFile(StateOf(kRidge), path), InputFileError) << name;
    EXPECT_THROW(WriteInputFile(inconsistent, file.string()), InputFileError);
    EXPECT_EQ(Contents(file), "old contents");
    EXPECT_EQ(Files(), std::vector<fs::path>{"old.in"});
}

TEST_F(InputFileOnDisk, SavingOverAReadOnlyFileOrIntoAReadOnlyFolderFails)
{
    const fs::path file = folder_ / "old.in";
    Put(file, "old contents");
    fs::permissions(file, fs::perms::owner_read);
    if (std::ofstream(file, std::ios::app))
        GTEST_SKIP() << "permissions do not apply (running as root)";
    EXPECT_THROW(WriteInputFile(StateOf(kRidge), file.string()), InputFileError);

    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(WriteInputFile(StateOf(kRidge), file.string()), InputFileError);
    EXPECT_EQ(Contents(file), "old contents");
    EXPECT_EQ(Files(), std::vector<fs::path>{"old.in"});
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
