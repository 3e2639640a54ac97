// Numbers in messages under a German locale, set both for the C library (as
// the desktop toolkit does) and for C++ streams: every text keeps its point,
// and a number reads as its shortest exact text.
#include <gtest/gtest.h>

#include <cctype>

#include <clocale>
#include <locale>
#include <string>
#include <vector>

#include "core/design/profile_check.h"
#include "core/formats/ground_line.h"
#include "core/formats/landxml_read.h"
#include "core/text/numbers.h"

namespace ravo {
namespace {

struct Comma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

class GermanLocale : public testing::Test {
protected:
    void SetUp() override
    {
        std::locale::global(std::locale(std::locale::classic(), new Comma));
        // Where de_DE is not installed, generate it (localedef -i de_DE -f UTF-8
        // DIR/de_DE.UTF-8) and point LOCPATH at DIR.
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
            GTEST_SKIP() << "no German locale for the C library";
    }
    void TearDown() override
    {
        std::setlocale(LC_ALL, "C");
        std::locale::global(std::locale::classic());
    }
};

TEST_F(GermanLocale, MessagesKeepThePointAndTheShortestDigits)
{
    ASSERT_EQ(std::localeconv()->decimal_point, std::string(","));
    Fault step{.kind = FaultKind::ElevationStep, .first = 1, .second = 2, .from = 1200.5};
    step.before = 101.25f;
    step.after = 101.5f;
    Fault grade = step;
    grade.kind = FaultKind::GradeStep;
    grade.before = 0.0175;
    grade.after = 1.25e-5;

    const std::string circular =
        "<LandXML><Alignments><Alignment name=\"A\"><Profile><ProfAlign>"
        "<PVI>0 100</PVI><CircCurve length=\"100\" radius=\"3000\">500.25 110</CircCurve>"
        "<PVI>1000.5 105.5</PVI></ProfAlign></Profile></Alignment></Alignments></LandXML>";
    const std::vector<std::string> notes = ImportLandXml(circular, {}).notes;
    ASSERT_FALSE(notes.empty());

    const std::pair<std::string, std::string> cases[] = {
        {ShortestText(17.165539f), "17.165539"},
        {ShortestText(static_cast<double>(17.165539f)), "17.165538787841797"},
        {ShortestText(0.1 + 0.2), "0.30000000000000004"},
        {ShortestText(100000.0), "100000"},
        {ShortestText(-2.5e-7), "-0.00000025"},
        {SignificantText(1234.5678, 7), "1234.568"},
        {SignificantText(1.25e-9, 7), "1.25e-09"},
        {FixedText(0.00125, 4), "0.0013"},
        {FaultText(step, false),
         "curves 1 and 2 meet at 1200.500 with elevations 101.25 and 101.5 (a "
         "difference of 0.25)"},
        {FaultText(grade, false),
         "curves 1 and 2 meet at 1200.500 with grades 0.0175 and 1.25e-05 (a "
         "difference of -0.0174875)"},
        {notes.front().substr(0, 50), "1 circular curve was placed from radius and grades"},
        {GroundLineNotes({{"EG", "", {{1000.5, 1}, {20000.25, 2}}}}).front(),
         "Ground line \"EG\": 2 points from station 1000.5 to 20000.25."},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(text, expected);
    // No decimal comma between digits in any note.
    for (const std::string& note : notes) {
        for (std::size_t i = 1; i + 1 < note.size(); ++i)
            EXPECT_FALSE(note[i] == ',' && std::isdigit(static_cast<unsigned char>(note[i - 1])) &&
                         std::isdigit(static_cast<unsigned char>(note[i + 1])))
                << note;
    }
}

}  // namespace
}  // namespace ravo
