// ravo-calc convert and units: the unit a profile came with is written back,
// and lengths change only with --to-units, by the exact factors.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "calc_run.h"
#include "core/formats/profile_file.h"
#include "support/file_test_support.h"

namespace ravo::calc {
namespace {

namespace fs = std::filesystem;

std::string LandXmlIn(const std::string& units, const std::string& points)
{
    return R"(<?xml version="1.0"?><LandXML xmlns="http://www.landxml.org/schema/LandXML-1.2">)" +
           units + R"(<Alignments><Alignment name="A"><Profile><ProfAlign name="P">)" + points +
           "</ProfAlign></Profile></Alignment></Alignments></LandXML>\n";
}

const std::string UsSurvey = R"(<Units><Imperial linearUnit="USSurveyFoot"/></Units>)";
const std::string Points =
    "<PVI>0 100</PVI><ParaCurve length=\"400\">3937 120</ParaCurve>"
    "<PVI>7874 110</PVI>";

struct Case {
    std::vector<std::string> options;
    std::string unitIn;  // the file's own Units element
    int status;
    std::string linearUnit;  // written, or empty when nothing is
    double secondStation;    // of the written profile
};

TEST(ConvertUnits, UnitKeptWrittenAndConvertedOnlyWhenAsked)
{
    const std::vector<Case> cases = {
        {{}, UsSurvey, ExitSuccess, "USSurveyFoot", 3937},
        {{"--to-units", "m"}, UsSurvey, ExitSuccess, "meter", 1200},
        {{"--to-units", "usft"}, UsSurvey, ExitSuccess, "USSurveyFoot", 3937},
        {{"--to-units", "ft"},
         "<Units><Metric linearUnit=\"meter\"/></Units>",
         ExitSuccess,
         "foot",
         3937 / 0.3048},
        {{"--units", "ft"}, "", ExitSuccess, "foot", 3937},
        {{"--units", "usft", "--to-units", "ft"},
         "",
         ExitSuccess,
         "foot",
         3937 * (1200.0 / 3937.0) / 0.3048},
        {{"--units", "m"}, UsSurvey, ExitUsageOrLoad, "", 0},
        {{"--to-units", "km"}, UsSurvey, ExitUsageOrLoad, "", 0},
    };
    test::TempFolder dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unitIn + " " + (c.options.empty() ? "" : c.options.back()));
        const fs::path in = dir / "in.xml", out = dir / "out.xml";
        fs::remove(out);
        std::ofstream(in) << LandXmlIn(c.unitIn, Points);
        std::vector<std::string> args = {"convert", in.string(), out.string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CalcResult run = Calc(args);
        ASSERT_EQ(run.status, c.status) << run.err;
        if (c.linearUnit.empty()) {
            EXPECT_FALSE(fs::exists(out));
            continue;
        }
        const std::string written = test::Contents(out);
        EXPECT_TRUE(Has(written, "linearUnit=\"" + c.linearUnit + "\"")) << written;
        // Read back: the unit survives, and the PVI stands where it should
        // to the float precision of the rows.
        const LoadedProfile back = ReadAnyProfile(out.string());
        EXPECT_EQ(LandXmlUnitName(back.unit), c.linearUnit);
        const auto& s2 = back.profile.curves[IndexOf(Column::Station2)];
        ASSERT_GE(s2.size(), 3u);
        const double pvi =
            (static_cast<double>(back.profile.curves[IndexOf(Column::Station1)][2]) + s2[2]) / 2;
        EXPECT_NEAR(pvi, c.secondStation, 1e-3 * c.secondStation / 1000);
    }
}

// --units is the unit of the file's lengths in every command: a file that
// names its own keeps it, and the design speed is in km/h for metres and in
// mph for feet and US survey feet.
TEST(ConvertUnits, UnitsMeanTheFileUnitInEveryCommand)
{
    test::TempFolder dir;
    const std::string xml = (dir / "in.xml").string(), csv = (dir / "in.csv").string();
    std::ofstream(xml) << LandXmlIn(UsSurvey, Points);
    std::ofstream(csv) << "station,elevation,length\n0,100,\n3937,120,400\n7874,110,\n";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string found;  // in standard output, or standard error on failure
    } cases[] = {
        {{"curves", xml, "--json", "--design-speed", "50"}, ExitSuccess, R"("units":"ft")"},
        {{"curves", xml, "--json", "--design-speed", "50", "--units", "usft"},
         ExitSuccess,
         R"("units":"ft")"},
        {{"check", xml, "--design-speed", "50", "--units", "m"},
         ExitUsageOrLoad,
         "--units m: the file gives its unit, USSurveyFoot; leave --units out"},
        {{"curves", csv, "--json", "--design-speed", "50", "--units", "usft"},
         ExitSuccess,
         R"("units":"ft")"},
        {{"curves", csv, "--json", "--design-speed", "80", "--units", "m"},
         ExitSuccess,
         R"("units":"m")"},
        {{"check", csv, "--design-speed", "80"}, ExitUsageOrLoad, "--design-speed needs --units"},
        {{"convert", csv, "-", "--units", "ft", "--format", "landxml"},
         ExitSuccess,
         R"(linearUnit="foot")"},
    };
    for (const auto& c : cases) {
        const CalcResult r = Calc(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_TRUE(Has(c.status == ExitSuccess ? r.out : r.err, c.found)) << r.out << r.err;
    }
}

}  // namespace
}  // namespace ravo::calc
