// Tests of ravo-calc's report command.
#include "report_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/report/report.h"
#include "support/file_test_support.h"
#include "support/worked_examples.h"

namespace ravo::calc {
namespace {

namespace fs = std::filesystem;

class ReportCommand : public testing::Test {
protected:
    void SetUp() override { fs::copy_file(RAVO_EXAMPLES_DIR "/main-street.in", dir_ / "main.in"); }

    ReportRequest Request(const std::string& input) const
    {
        ReportRequest request;
        request.inputPath = (dir_ / input).string();
        request.outputPath = (dir_ / "main.out").string();
        request.time = fixtures::WorkedExampleTime();
        return request;
    }

    std::string Report() const { return test::Contents(dir_ / "main.out"); }

    test::TempFolder dir_;
};

// The worked example's report itself is the report session's test, and the
// whole of it comes back below on standard output; refusals are checked
// through the program's exit status. A zero-length curve at 50: that station
// gives "Invalid Entry" and is left out of the report file.
TEST_F(ReportCommand, StationsOfInvalidEntryAreLeftOut)
{
    std::ofstream(dir_ / "faulty.in") << "\"f\"\n2\n100,0,0,0,100\n100,0,0,50,50\n0\n";
    ReportRequest request = Request("faulty.in");
    request.stations.emplace(0, 100, 50);
    std::ostringstream err;
    EXPECT_EQ(WriteReport(request, err), 1u);
    EXPECT_NE(err.str().find("station 50.000: Invalid Entry"), std::string::npos) << err.str();
    EXPECT_TRUE(Report().ends_with(
        fixtures::LogHeader +
        fixtures::WithCrLf("0.000         0.000          0.             100.000\n"
                           "100.000       0.000          0.             100.000\n")))
        << Report();
}

// "-o -": the same report on standard output, made as it goes, no file
// written; "-" as the input reads standard input.
TEST_F(ReportCommand, StandardOutputTakesTheSameReport)
{
    ReportRequest request = Request("main.in");
    request.stations.emplace(1000, 1200, 100);
    request.offset = 12;
    request.outputPath = "-";
    std::ostringstream out, err;
    EXPECT_EQ(WriteReport(request, out, err), 0u);
    std::string expected = fixtures::EchoOfWorkedExample + fixtures::LogOfWorkedExample;
    const std::string name = "Output file = main.out";
    expected.replace(expected.find(name), name.size(), "Output file = -");
    EXPECT_EQ(out.str(), expected);
    EXPECT_FALSE(fs::exists(dir_ / "-"));

    std::ofstream(dir_ / "none.in") << "\"n\"\n0\n0\n";
    request = Request("none.in");
    request.outputPath = "-";
    EXPECT_THROW(WriteReport(request, out, err), ReportRequestError);
}

// The moment as the report's twelve-hour clock shows it.
TEST(ReportTime, NowOrTheSourceDateEpochInUtc)
{
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"0", "1/01/70, 12:00 am"},          {"43200", "1/01/70, 12:00 pm"},
        {"32700", "1/01/70, 9:05 am"},       {"1772719620", "3/05/26, 2:07 pm"},
        {"946684799", "12/31/99, 11:59 pm"}, {"946726200", "1/01/00, 11:30 am"},
    };
    for (const auto& [epoch, expected] : cases)
        EXPECT_EQ(DateTimeText(ReportTime(epoch)), expected);
    for (const char* bad : {"", "abc", "-5", "12x", " 12", "99999999999999999999"})
        EXPECT_THROW(ReportTime(bad), ReportRequestError) << bad;
}

}  // namespace
}  // namespace ravo::calc
