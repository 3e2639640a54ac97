// ravo-calc fit: the profile it writes in each format loads back, meets the
// design speed's check and keeps the ground; refused criteria and values are
// told with their status.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "calc_run.h"
#include "core/design/profile_check.h"
#include "core/formats/profile_file.h"
#include "support/file_test_support.h"

namespace ravo::calc {
namespace {

namespace fs = std::filesystem;

const std::string Criteria = "--from 0 --to 1500 --design-speed 80 --units m --max-grade 5 ";

CalcResult Fit(const fs::path& ground, const fs::path& out, const std::string& options)
{
    return Calc(Args({"fit", ground.string(), "-o", out.string()}, options));
}

TEST(FitCommand, WritesEachFormatThatLoadsBackAndPassesTheCheck)
{
    const test::TempFolder folder;
    const fs::path ground = folder / "ground.csv";
    std::string hilly = "station,elevation\r\n";
    for (int s = 0; s <= 1500; s += 25)
        hilly += std::to_string(s) + "," + std::to_string(100 + 8 * std::sin(s / 120.0)) + "\r\n";
    test::Put(ground, hilly);
    for (const std::string name : {"fit.XML", "fit.csv", "fit.in"}) {
        // After the first, each is told against the first as the design.
        const bool compared = name != "fit.XML";
        std::vector<std::string> head = {"fit", ground.string(), "-o", (folder / name).string()};
        if (compared)
            head.insert(head.end(), {"--compare", (folder / "fit.XML").string()});
        const CalcResult run = Calc(Args(head, Criteria + "--fix 750:104 --window 200:300:95:105"));
        ASSERT_EQ(run.status, ExitSuccess) << name << run.err;
        EXPECT_TRUE(Has(run.out, "fitted (")) << run.out;
        EXPECT_EQ(Has(run.out, "design"), compared) << run.out;
        const LoadedProfile loaded = ReadAnyProfile((folder / name).string());
        ProfileState state;
        ApplyInputProfile(state, LoadedProfile(loaded).profile);
        EXPECT_TRUE(CheckProfile(state, {}).empty()) << name;
        EXPECT_TRUE(CheckDesign(state, {DesignSpeed{80, LengthUnits::Metres}, {}}).empty()) << name;
        EXPECT_EQ(test::Contents(folder / name).starts_with("station,"), name == "fit.csv");
        EXPECT_EQ(loaded.ground.size() == 1 && loaded.ground[0].points.size() == 61,
                  name == "fit.XML");
    }
}

// A point held a unit above flat ground: the fitted line's curves end between
// the pieces' joints, and it costs a little less than the pieces' optimum.
TEST(FitCommand, TheFittedLineIsToldAgainstTheOptimumOfThePieces)
{
    const test::TempFolder folder;
    test::Put(folder / "flat.txt", "0 100\n1000 100\n");
    const auto fit = [&](const std::string& held) {
        return Fit(folder / "flat.txt", folder / "out.csv",
                   "--from 0 --to 1000 --design-speed 80 --units m --max-grade 6 " + held)
            .out;
    };
    const std::string held = fit("--fix 500:101");
    EXPECT_TRUE(held.starts_with("Fitted over 0 to 1000 in 50 pieces; ")) << held;
    EXPECT_TRUE(Has(held, "(no line of these pieces costs less than ")) << held;
    EXPECT_TRUE(Has(held, "  1206.5  (0.55% below the optimum)\n")) << held;
    // Unheld, the line lies on the ground: an optimum of 0 is met, whatever
    // the solver's rounding leaves of it.
    EXPECT_TRUE(Has(fit(""), "0.0  (the optimum)\n"));
}

TEST(FitCommand, RefusedCriteriaAndValuesAreTold)
{
    const test::TempFolder folder;
    const fs::path ground = folder / "ground.txt", out = folder / "out.csv";
    test::Put(ground, "0 100\n500 100\n1500 100\n");
    test::Put(folder / "short.txt", "# station elevation\n0 100\n1000 100\n");
    test::Put(folder / "bad.csv", "station,elevation\n0,100\n500,abc\n");
    const struct {
        fs::path ground;
        std::string options;
        int status;
        std::string message;
    } cases[] = {
        {ground, Criteria + "--fix 0:100 --fix 1000:180", ExitFaultsFound,
         "ravo-calc fit: no grade line meets the criteria: the fixed point at 1000 (elevation "
         "180) cannot be reached from the fixed point at 0 (elevation 100) with a grade of at "
         "most 5% (it takes 8%)\n"},
        {ground, Criteria + "--fix 1000", ExitUsageOrLoad,
         "ravo-calc fit: --fix 1000: give 2 values separated by colons\n"},
        {ground, Criteria + "--window 1:2:x:4", ExitUsageOrLoad, "ravo-calc fit: --window: "},
        // a station may be written 5+00; an elevation may not
        {ground, Criteria + "--fix 5+00:1+01", ExitUsageOrLoad, "ravo-calc fit: --fix: "},
        {folder / "bad.csv", Criteria, ExitUsageOrLoad, (folder / "bad.csv").string() + ":3: "},
        {folder / "short.txt", Criteria, ExitFaultsFound,
         "ravo-calc fit: the ground line does not reach station 10"},
        // In feet the design speed is in miles an hour, with the minimums for it.
        {ground,
         "--from 390 --to 410 --design-speed 50 --units ft --max-grade 5 --piece 1 --fix 400:100 "
         "--fix 401:99.98 --fix 402:100",
         ExitFaultsFound,
         "ravo-calc fit: no grade line meets the criteria: the fixed points and windows can be "
         "met with grades of at most 5%, but not with curves of crest K 84 and sag K 96 (50 mph) "
         "between them\n"},
    };
    for (const auto& c : cases) {
        const CalcResult run = Fit(c.ground, out, c.options);
        EXPECT_EQ(run.status, c.status) << c.message;
        EXPECT_TRUE(run.err.starts_with(c.message)) << run.err;
        EXPECT_FALSE(fs::exists(out)) << c.message;
    }
}

}  // namespace
}  // namespace ravo::calc
