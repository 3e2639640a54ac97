// ravo-calc fit: the profile it writes in each format loads back, meets the
// design speed's check and keeps the ground; refused criteria and values are
// told with their status.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "calc_run.h"
#include "core/design/profile_check.h"
#include "core/formats/profile_file.h"
#include "support/file_test_support.h"

namespace ravo::calc {
namespace {

namespace fs = std::filesystem;
using test::Put;
using test::TempFolder;

std::string HillyGround()
{
    std::string text = "station,elevation\r\n";
    for (int s = 0; s <= 1500; s += 25)
        text += std::to_string(s) + "," + std::to_string(100 + 8 * std::sin(s / 120.0)) + "\r\n";
    return text;
}

CalcResult Fit(const fs::path& ground, std::vector<std::string> more)
{
    std::vector<std::string> args{
        "fit", ground.string(), "--from", "0",           "--to", "1500", "--design-speed",
        "80",  "--units",       "m",      "--max-grade", "5"};
    args.insert(args.end(), more.begin(), more.end());
    return Calc(args);
}

TEST(FitCommand, WritesEachFormatThatLoadsBackAndPassesTheCheck)
{
    TempFolder folder;
    const fs::path ground = folder / "ground.csv";
    Put(ground, HillyGround());
    for (const char* name : {"fit.xml", "fit.csv", "fit.in"}) {
        const fs::path out = folder / name;
        std::vector<std::string> more{"--fix", "750:104", "-o", out.string()};
        const fs::path design = folder / "fit.xml";
        if (fs::exists(design))
            more.insert(more.end(), {"--compare", design.string()});
        const CalcResult run = Fit(ground, more);
        ASSERT_EQ(run.status, ExitSuccess) << name << run.err;
        EXPECT_NE(run.out.find("fitted ("), std::string::npos) << run.out;
        EXPECT_EQ(run.out.find("design") != std::string::npos, more.size() > 4) << run.out;
        const LoadedProfile loaded = ReadAnyProfile(out.string());
        ProfileState state;
        ApplyInputProfile(state, LoadedProfile(loaded).profile);
        EXPECT_TRUE(CheckProfile(state, {}).empty()) << name;
        EXPECT_TRUE(CheckDesign(state, {DesignSpeed{80, LengthUnits::Metres}, {}}).empty()) << name;
        EXPECT_EQ(test::Contents(out).starts_with("station,"), std::string(name) == "fit.csv");
        if (std::string(name) == "fit.xml") {
            ASSERT_EQ(loaded.ground.size(), 1U);
            EXPECT_EQ(loaded.ground[0].points.size(), 61U);
        }
    }
}

// A point held a unit above flat ground: the fitted line's curves end between
// the pieces' joints, and it costs a little less than the pieces' optimum.
TEST(FitCommand, TheFittedLineIsToldAgainstTheOptimumOfThePieces)
{
    TempFolder folder;
    const fs::path ground = folder / "flat.txt";
    Put(ground, "0 100\n1000 100\n");
    const CalcResult run = Calc({"fit", ground.string(), "--from", "0", "--to", "1000",
                                 "--design-speed", "80", "--units", "m", "--max-grade", "6",
                                 "--fix", "500:101", "-o", (folder / "out.csv").string()});
    ASSERT_EQ(run.status, ExitSuccess) << run.err;
    EXPECT_TRUE(run.out.starts_with("Fitted over 0 to 1000 in 50 pieces; ")) << run.out;
    EXPECT_NE(run.out.find("(no line of these pieces costs less than "), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("  1206.5  (0.55% below the optimum)\n"), std::string::npos) << run.out;
    // Unheld, the line lies on the ground: an optimum of 0 is met, whatever
    // the solver's rounding leaves of it.
    const CalcResult unheld =
        Calc({"fit", ground.string(), "--from", "0", "--to", "1000", "--design-speed", "80",
              "--units", "m", "--max-grade", "6", "-o", (folder / "free.csv").string()});
    EXPECT_NE(unheld.out.find("0.0  (the optimum)\n"), std::string::npos) << unheld.out;
}

TEST(FitCommand, RefusedCriteriaAndValuesAreTold)
{
    TempFolder folder;
    const fs::path ground = folder / "ground.txt";
    Put(ground, "0 100\n500 100\n1500 100\n");
    const fs::path shorter = folder / "short.txt";
    Put(shorter, "# station elevation\n0 100\n1000 100\n");
    const fs::path bad = folder / "bad.csv";
    Put(bad, "station,elevation\n0,100\n500,abc\n");
    const std::string out = (folder / "out.csv").string();
    const struct {
        fs::path ground;
        std::vector<std::string> more;
        int status;
        std::string message;
    } cases[] = {
        {ground,
         {"--fix", "0:100", "--fix", "1000:180", "-o", out},
         ExitFaultsFound,
         "ravo-calc fit: no grade line meets the criteria: the fixed point at 1000 (elevation "
         "180) cannot be reached from the fixed point at 0 (elevation 100) with a grade of at "
         "most 5% (it takes 8%)\n"},
        {ground,
         {"--fix", "1000", "-o", out},
         ExitUsageOrLoad,
         "ravo-calc fit: --fix 1000: give 2 values separated by colons\n"},
        {ground, {"--window", "1:2:x:4", "-o", out}, ExitUsageOrLoad, "ravo-calc fit: --window: "},
        // a station may be written 5+00; an elevation may not
        {ground, {"--fix", "5+00:1+01", "-o", out}, ExitUsageOrLoad, "ravo-calc fit: --fix: "},
        {bad, {"-o", out}, ExitUsageOrLoad, bad.string() + ":3: "},
        {shorter,
         {"-o", out},
         ExitFaultsFound,
         "ravo-calc fit: the ground line does not reach station 10"},
    };
    for (const auto& c : cases) {
        const CalcResult run = Fit(c.ground, c.more);
        EXPECT_EQ(run.status, c.status) << c.message;
        EXPECT_EQ(run.err.substr(0, c.message.size()), c.message) << run.err;
        EXPECT_FALSE(fs::exists(out)) << c.message;
    }
    // In feet the design speed is in miles an hour, with the minimums for it.
    const CalcResult feet = Calc(
        {"fit",   ground.string(), "--from", "390",         "--to",  "410",     "--design-speed",
         "50",    "--units",       "ft",     "--max-grade", "5",     "--piece", "1",
         "--fix", "400:100",       "--fix",  "401:99.98",   "--fix", "402:100", "-o",
         out});
    EXPECT_EQ(feet.status, ExitFaultsFound);
    EXPECT_EQ(feet.err,
              "ravo-calc fit: no grade line meets the criteria: the fixed points and windows can "
              "be met with grades of at most 5%, but not with curves of crest K 84 and sag K 96 "
              "(50 mph) between them\n");
}

}  // namespace
}  // namespace ravo::calc
