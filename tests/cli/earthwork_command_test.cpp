// Tests of ravo-calc's ground options: table --ground, the earthwork command and report --ground.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "calc_run.h"
#include "support/file_test_support.h"

namespace ravo::calc {
namespace {

class GroundCommands : public testing::Test {
protected:
    // 101 falling at 10 % to 97 at station 40; grounds level at 100 from 0 to
    // 30, from 0 to 40 and from 45 to 60.
    void SetUp() override
    {
        test::Put(dir_ / "road.in", "\"falling\"\n1\n101,-0.1,-0.1,0,40\n0\n");
        test::Put(dir_ / "ground.csv", "station,elevation\n0,100\n30,100\n");
        test::Put(dir_ / "whole.txt", "0 100\n40 100\n");
        test::Put(dir_ / "beyond.txt", "45 100\n60 100\n");
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    test::TempFolder dir_;
};

TEST_F(GroundCommands, TableGainsGroundAndCutFillAndSaysWhereThereIsNoGround)
{
    const CalcResult csv = Calc(Args({"table", Path("road.in"), "--ground", Path("ground.csv")},
                                     "--from 0 --to 40 --step 10 --csv"));
    EXPECT_EQ(csv.status, 0);
    EXPECT_EQ(csv.out,
              "station,offset,superelevation,elevation,ground,cut_fill\r\n"
              "0.000,0.000,0.,101.000,100.000,1.000\r\n"
              "10.000,0.000,0.,100.000,100.000,0.000\r\n"
              "20.000,0.000,0.,99.000,100.000,-1.000\r\n"
              "30.000,0.000,0.,98.000,100.000,-2.000\r\n"
              "40.000,0.000,0.,97.000,,\r\n");
    EXPECT_EQ(csv.err,
              "ravo-calc: 1 row lies where the ground has no point, the first at station 40.000: "
              "no ground, no cut or fill\n");
    // In plain text, and with ground beyond the road: no curve, so no cut or fill either.
    const CalcResult plain = Calc(Args({"table", Path("road.in"), "--ground", Path("beyond.txt")},
                                       "--from 40 --to 50 --step 10"));
    EXPECT_EQ(plain.status, ExitNoCurve);
    EXPECT_EQ(
        plain.out,
        "STATION       OFFSET         SUPER          ELEVATION      GROUND         CUT/FILL\n" +
            std::string(82, '-') +
            "\n40.000        0.000          0.             97.000         no ground      no "
            "ground\n50.000        0.000          0.             no curve       100.000     "
            "   no curve\n");
}

TEST_F(GroundCommands, GroundByNameOrFileAndTheSectionOptions)
{
    test::Put(dir_ / "road.xml",
              "<LandXML><Alignments><Alignment name=\"A\"><Profile><ProfAlign name=\"P\">"
              "<PVI>0 10</PVI><PVI>100 11</PVI></ProfAlign>"
              "<ProfSurf name=\"EG\"><PntList2D>0 9.5 100 10.5</PntList2D></ProfSurf>"
              "<ProfSurf name=\"old\"><PntList2D>0 9 100 9</PntList2D></ProfSurf>"
              "</Profile></Alignment></Alignments></LandXML>");
    test::Put(dir_ / "bad.csv", "station,elevation\n0,1\n10,x\n");
    const auto table = [&](const std::string& ground) {
        return Args({"table", Path("road.xml"), "--ground", ground},
                    "--from 50 --to 50 --step 1 --csv");
    };
    const auto earthwork = [&](const std::string& ground, const std::string& section) {
        return Args({"earthwork", Path("road.in"), "--ground", Path(ground)}, section);
    };
    ExpectRuns({
        {table("EG"), ExitSuccess, "\r\n50.000,0.000,0.,10.500,10.000,0.500\r\n"},
        {table("eg"), ExitUsageOrLoad, "has that name (its ground lines: \"EG\", \"old\")"},
        {earthwork("bad.csv", "--width 10 --fill-slope 2 --cut-slope 2"), ExitUsageOrLoad,
         "ravo-calc earthwork: " + Path("bad.csv") + ":3: the elevation \"x\" is not a number\n"},
        // The section's width and slopes must each be given.
        {earthwork("whole.txt", "--fill-slope 2 --cut-slope 2"), ExitUsageOrLoad,
         "--width is required"},
        {earthwork("whole.txt", "--width 10 --cut-slope 2"), ExitUsageOrLoad,
         "--fill-slope is required"},
        {earthwork("whole.txt", "--width 10 --fill-slope 2"), ExitUsageOrLoad,
         "--cut-slope is required"},
        // The section comes with the ground.
        {Args({"report", Path("road.in"), "-o", Path("x.out")}, "--width 10"), ExitUsageOrLoad, ""},
    });
}

// The worked case of the core tests: depths 1, 0, -1, -2, -3 every 10 m.
TEST_F(GroundCommands, EarthworkTableTotalsAndBalancePoint)
{
    std::vector<std::string> args =
        Args({"earthwork", Path("road.in"), "--ground", Path("whole.txt")},
             "--width 10 --fill-slope 2 --cut-slope 1.5 --interval 10 --cut-factor 0.8");
    const CalcResult text = Calc(args);
    EXPECT_EQ(text.status, 0);
    EXPECT_TRUE(
        text.out.starts_with("Section: width 10, fill slope 1:2, cut slope 1:1.5, "
                             "pavement depth 0, cut factor 0.8, stations every 10\n\n"))
        << text.out;
    EXPECT_TRUE(
        text.out.ends_with("\nCut 592.50, as fill 474.00; fill 60.00; net 414.00 "
                           "(surplus)\nPrismoidal check: cut 585.00, fill 56.67\n"
                           "Balance points: 20.933\n"
                           "Largest haul ordinate: 414.00 at station 40.000\n"))
        << text.out;
    // In CSV the totals go to standard error.
    args.push_back("--csv");
    const CalcResult csv = Calc(args);
    EXPECT_TRUE(csv.out.starts_with("station,grade,ground,depth,cut_area,")) << csv.out;
    EXPECT_TRUE(Has(csv.err, "ravo-calc: Balance points: 20.933\n")) << csv.err;
}

TEST_F(GroundCommands, ReportAddsTheEarthworkAfterTheEchoOrLeavesTheReportAlone)
{
    const auto report = [&](const std::string& out, const std::string& ground) {
        return Calc(Args({"report", Path("road.in"), "-o", Path(out), "--ground", Path(ground)},
                         "--width 10 --fill-slope 2 --cut-slope 1.5"))
            .status;
    };
    EXPECT_EQ(report("road.out", "whole.txt"), 0);
    const std::string text = test::Contents(dir_ / "road.out");
    const std::size_t section = text.find("\r\nSection: width 10");
    ASSERT_NE(section, std::string::npos) << text;
    EXPECT_LT(text.find("falling"), section);
    // Stations as the report writes them elsewhere, without plus notation.
    EXPECT_TRUE(Has(text, "Balance points: 20.091\r\n")) << text;

    // A ground that does not meet the grade line leaves no report behind.
    EXPECT_EQ(report("far.out", "beyond.txt"), ExitUsageOrLoad);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "far.out"));
}

}  // namespace
}  // namespace ravo::calc
