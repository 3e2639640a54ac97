// Tests of report line layout.
#include "core/report/report_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ravo {
namespace {

TEST(ReportLine, FieldsStartAtTheirColumnOrOnANewLine)
{
    struct Case {
        ReportLine line;
        std::vector<std::string> expected;
    };
    const std::string fourteen = "ABCDEFGHIJKLMN";
    const std::string blanks14(14, ' ');
    const std::vector<Case> cases = {
        {ReportLine("AB").At(15, "X"), {"AB" + std::string(12, ' ') + "X"}},
        {ReportLine(fourteen).At(15, "X"), {fourteen + "X"}},
        {ReportLine(fourteen + "O").At(15, "X"), {fourteen + "O", blanks14 + "X"}},
        // Each overflow continues on the new line, which then overflows again.
        {ReportLine(std::string(20, 'a')).At(15, std::string(20, 'b')).At(30, "c").At(45, "d"),
         {std::string(20, 'a'), blanks14 + std::string(20, 'b'),
          std::string(29, ' ') + "c" + std::string(14, ' ') + "d"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.line.PhysicalLines(), c.expected) << c.expected.front();
    EXPECT_EQ(ReportLine(fourteen + "O").At(15, "X").Text(), fourteen + "O\r\n" + blanks14 + "X");
}

}  // namespace
}  // namespace ravo
