// Tests of ravo-calc's ground options: table --ground, the earthwork command and report --ground.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "ravo_calc_app.h"
#include "support/file_test_support.h"

namespace ravo::calc {
namespace {

// 101 falling at 10 % to 97 at station 40.
constexpr const char* Falling = "\"falling\"\n1\n101,-0.1,-0.1,0,40\n0\n";

constexpr const char* LandXmlWithGround =
    "<?xml version=\"1.0\"?><LandXML><Alignments><Alignment name=\"A\"><Profile>"
    "<ProfAlign name=\"P\"><PVI>0 10</PVI><PVI>100 11</PVI></ProfAlign>"
    "<ProfSurf name=\"EG\" state=\"existing\"><PntList2D>0 9.5 100 10.5</PntList2D></ProfSurf>"
    "<ProfSurf name=\"old\"><PntList2D>0 9 100 9</PntList2D></ProfSurf>"
    "</Profile></Alignment></Alignments></LandXML>";

class GroundCommands : public testing::Test {
protected:
    int Run(std::vector<std::string> args)
    {
        out_.str("");
        err_.str("");
        return RunRavoCalc(args, out_, err_);
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    test::TempFolder dir_;
    std::ostringstream out_, err_;
};

TEST_F(GroundCommands, TableGainsGroundAndCutFillAndSaysWhereThereIsNoGround)
{
    test::Put(dir_ / "road.in", Falling);
    test::Put(dir_ / "ground.csv", "station,elevation\n0,100\n30,100\n");
    EXPECT_EQ(Run({"table", Path("road.in"), "--from", "0", "--to", "40", "--step", "10",
                   "--ground", Path("ground.csv"), "--csv"}),
              0);
    EXPECT_EQ(out_.str(),
              "station,offset,superelevation,elevation,ground,cut_fill\r\n"
              "0.000,0.000,0.,101.000,100.000,1.000\r\n"
              "10.000,0.000,0.,100.000,100.000,0.000\r\n"
              "20.000,0.000,0.,99.000,100.000,-1.000\r\n"
              "30.000,0.000,0.,98.000,100.000,-2.000\r\n"
              "40.000,0.000,0.,97.000,,\r\n");
    EXPECT_EQ(err_.str(),
              "ravo-calc: 1 row lies where the ground has no point, the first at station 40.000: "
              "no ground, no cut or fill\n");

    // At an offset the finished elevation carries the superelevation; the
    // ground is level across.
    test::Put(dir_ / "super.in", "\"super\"\n1\n101,-0.1,-0.1,0,40\n1\n0.02,0,0,0,40\n");
    EXPECT_EQ(Run({"table", Path("super.in"), "--from", "10", "--to", "10", "--step", "1",
                   "--offset", "-5,5", "--ground", Path("ground.csv"), "--csv"}),
              0);
    EXPECT_EQ(out_.str(),
              "station,offset,superelevation,elevation,ground,cut_fill\r\n"
              "10.000,-5.000,0.02,99.900,100.000,-0.100\r\n"
              "10.000,5.000,0.02,100.100,100.000,0.100\r\n");

    EXPECT_EQ(Run({"table", Path("road.in"), "--from", "30", "--to", "40", "--step", "10",
                   "--ground", Path("ground.csv")}),
              0);
    EXPECT_NE(out_.str().find("ELEVATION      GROUND         CUT/FILL"), std::string::npos)
        << out_.str();
    EXPECT_NE(out_.str().find("97.000         no ground      no ground\n"), std::string::npos)
        << out_.str();

    // Ground beyond the road: no curve there, so no cut or fill either.
    test::Put(dir_ / "longer.csv", "station,elevation\n0,100\n60,100\n");
    EXPECT_EQ(Run({"table", Path("road.in"), "--from", "50", "--to", "50", "--step", "10",
                   "--ground", Path("longer.csv")}),
              3);
    EXPECT_NE(out_.str().find("no curve       100.000        no curve"), std::string::npos)
        << out_.str();
}

TEST_F(GroundCommands, GroundByNameFromTheLandXmlFileOrAFaultNamingTheLine)
{
    test::Put(dir_ / "road.xml", LandXmlWithGround);
    EXPECT_EQ(Run({"table", Path("road.xml"), "--from", "50", "--to", "50", "--step", "1",
                   "--ground", "EG", "--csv", "-q"}),
              0);
    EXPECT_EQ(out_.str(),
              "station,offset,superelevation,elevation,ground,cut_fill\r\n"
              "50.000,0.000,0.,10.500,10.000,0.500\r\n");

    EXPECT_EQ(Run({"table", Path("road.xml"), "--from", "50", "--to", "50", "--step", "1",
                   "--ground", "eg", "-q"}),
              2);
    EXPECT_NE(err_.str().find("no ground line of the profile file has that name (its ground "
                              "lines: \"EG\", \"old\")"),
              std::string::npos)
        << err_.str();

    test::Put(dir_ / "bad.csv", "station,elevation\n0,1\n10,x\n");
    EXPECT_EQ(Run({"earthwork", Path("road.xml"), "--ground", Path("bad.csv"), "--width", "10",
                   "--fill-slope", "2", "--cut-slope", "2", "-q"}),
              2);
    EXPECT_EQ(err_.str(), "ravo-calc earthwork: " + Path("bad.csv") +
                              ":3: the elevation \"x\" is not a number\n");
}

// The worked case of the core tests: depths 1, 0, -1, -2, -3 every 10 m.
TEST_F(GroundCommands, EarthworkTableTotalsAndBalancePoint)
{
    test::Put(dir_ / "road.in", Falling);
    test::Put(dir_ / "ground.txt", "0 100\n40 100\n");
    const std::vector<std::string> args = {"earthwork",    Path("road.in"),
                                           "--ground",     Path("ground.txt"),
                                           "--width",      "10",
                                           "--fill-slope", "2",
                                           "--cut-slope",  "1.5",
                                           "--interval",   "10",
                                           "--cut-factor", "0.8"};
    EXPECT_EQ(Run(args), 0);
    const std::string text = out_.str();
    EXPECT_TRUE(
        text.starts_with("Section: width 10, fill slope 1:2, cut slope 1:1.5, pavement "
                         "depth 0, cut factor 0.8, stations every 10\n\n"))
        << text;
    EXPECT_NE(text.find("\nCut 592.50, as fill 474.00; fill 60.00; net 414.00 (surplus)\n"
                        "Prismoidal check: cut 585.00, fill 56.67\n"
                        "Balance points: 20.933\n"
                        "Largest haul ordinate: 414.00 at station 40.000\n"),
              std::string::npos)
        << text;

    std::vector<std::string> csv = args;
    csv.push_back("--csv");
    EXPECT_EQ(Run(csv), 0);
    EXPECT_TRUE(out_.str().starts_with("station,grade,ground,depth,cut_area,"));
    EXPECT_NE(err_.str().find("ravo-calc: Balance points: 20.933\n"), std::string::npos);

    // The section's width and slopes must each be given.
    for (const std::string option : {"--width", "--fill-slope", "--cut-slope"}) {
        std::vector<std::string> without = args;
        const auto at = std::find(without.begin(), without.end(), option);
        without.erase(at, at + 2);
        EXPECT_EQ(Run(without), 2) << option;
        EXPECT_NE(err_.str().find(option + " is required"), std::string::npos) << err_.str();
    }
}

TEST_F(GroundCommands, ReportAddsTheEarthworkAfterTheEchoOrLeavesTheReportAlone)
{
    test::Put(dir_ / "road.in", Falling);
    test::Put(dir_ / "ground.csv", "0,100\n40,100\n");
    EXPECT_EQ(Run({"report", Path("road.in"), "-o", Path("road.out"), "--ground",
                   Path("ground.csv"), "--width", "10", "--fill-slope", "2", "--cut-slope", "1.5"}),
              0);
    const std::string report = test::Contents(dir_ / "road.out");
    const std::size_t section = report.find("\r\nSection: width 10");
    ASSERT_NE(section, std::string::npos) << report;
    EXPECT_LT(report.find("falling"), section);
    // Stations as the report writes them elsewhere, without plus notation.
    EXPECT_NE(report.find("Balance points: 20.091\r\n"), std::string::npos) << report;

    // A ground that does not meet the grade line leaves no report behind.
    test::Put(dir_ / "far.csv", "100,1\n200,1\n");
    EXPECT_EQ(Run({"report", Path("road.in"), "-o", Path("far.out"), "--ground", Path("far.csv"),
                   "--width", "10", "--fill-slope", "2", "--cut-slope", "2"}),
              2);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "far.out"));
    // The section comes with the ground.
    EXPECT_EQ(Run({"report", Path("road.in"), "-o", Path("x.out"), "--width", "10"}), 2);
}

}  // namespace
}  // namespace ravo::calc
