// ravo-calc's commands run in-process: what they print and their exit status
// for LandXML files and PVI tables, conversion, design speed, the check's
// options, reports and files that do not load.
#include "calc_run.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/report/report.h"
#include "profile_source.h"
#include "report_command.h"
#include "support/file_test_support.h"
#include "support/landxml_samples.h"
#include "support/worked_examples.h"

namespace ravo::calc {
namespace {

namespace fs = std::filesystem;

class RavoCalcApp : public testing::Test {
protected:
    std::string File(const std::string& name, const std::string& text) const
    {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return (dir_ / name).string();
    }

    test::TempFolder dir_;
};

TEST_F(RavoCalcApp, LandXmlFilesAndPviTablesInEveryCommand)
{
    const std::string xml = File("road.data", samples::LandXml);
    const std::string plain = File("road.txt", "0 10\n50 11 40\n100 10.5\n");
    const CalcResult several = Calc({"curves", xml});
    EXPECT_EQ(several.status, ExitUsageOrLoad);
    EXPECT_TRUE(Has(several.err,
                    "choose one with --alignment NAME (and --profile NAME), a name "
                    "or a number counted from 1 in the file:\n  alignment \"Main\", "
                    "profile \"Design\"\n  alignment \"Ramp\", profile \"Prelim\"\n"));

    // The same profile as LandXML and as a plain PVI table: the same table.
    const std::string table = "--from 0 --to 100 --step 25 --csv";
    const CalcResult a = Calc(Args({"table", xml}, "--alignment Ramp --profile Final " + table));
    EXPECT_EQ(a.status, ExitSuccess) << a.err;
    EXPECT_EQ(a.out,
              "station,offset,superelevation,elevation\r\n0.000,0.000,0.,10.000\r\n"
              "25.000,0.000,0.,10.500\r\n50.000,0.000,0.,10.850\r\n"
              "75.000,0.000,0.,10.750\r\n100.000,0.000,0.,10.500\r\n");
    EXPECT_TRUE(Has(a.err, "Lengths are in foot"));
    EXPECT_EQ(Calc(Args({"table", plain}, "--pvi " + table)).out, a.out);
    // curves lists the ground lines kept with the profile, and the design speed's minimums.
    EXPECT_TRUE(Has(Calc({"curves", xml, "--alignment", "Main"}).err,
                    "ravo-calc: Ground line \"Ground\": 2 points from station 1000 to 2000."));
    const std::string curves =
        Calc(Args({"curves", plain}, "--pvi --design-speed 100 --units m")).out;
    EXPECT_TRUE(Has(curves,
                    "DESIGN SPEED  100 km/h       SIGHT DIST     185 m\n"
                    "MIN K         crest 52, sag 45\n"));
    EXPECT_TRUE(Has(curves,
                    "PVI           50.000         ELEV           11.000\n"
                    "MIN K         52             BELOW MINIMUM\n"));
}

// A curve whose end in the file, 1249.9996, is held as a float a hair below
// 1250: "curves" prints that float, and a table at the printed end finds the
// curve, while one at the rounded 1250.000 finds no curve and says so.
// "Invalid Entry" is a fault of the profile: it outweighs stations off the road.
TEST_F(RavoCalcApp, TablesFindTheCurveAtTheEndsThatCurvesPrints)
{
    const std::string file = File("end.in", "\"e\"\n1\n100,0.01,0.01,1000,1249.9996\n0\n");
    EXPECT_TRUE(
        Has(Calc({"curves", file}).out, "STA 2         1249.9996      ELEV 2         102.500"));
    ExpectRuns({
        {Args({"table", file}, "--from 1249.9996 --to 1249.9996 --step 1 --csv"), ExitSuccess,
         "\r\n1250.000,0.000,0.,102.500\r\n"},
        {Args({"table", file}, "--from 1250 --to 1250 --step 1 --csv"), ExitNoCurve,
         "\r\n1250.000,0.000,0.,\r\n"},
        {Args({"table", File("zero.in", "\"z\"\n1\n100,0,0,10,10\n0\n")},
              "--from 0 --to 20 --step 10"),
         ExitFaultsFound, "Invalid Entry"},
    });
}

// convert writes the format that --format or the name of the file asks for;
// standard output without --format takes a Ravo input file.
TEST_F(RavoCalcApp, ConvertWritesTheFormatTheNameAsksFor)
{
    const std::string xml = File("road.xml", samples::LandXml);
    const std::string out = (dir_ / "ramp.csv").string();
    const auto ramp = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"convert", xml});
        args.insert(args.end(), {"--alignment", "Ramp", "--profile", "Final", "-q"});
        return Calc(args);
    };
    EXPECT_EQ(ramp({"-o", out}).status, ExitSuccess);
    const std::string csv = "station,elevation,length\r\n0,10,\r\n50,11,40\r\n100,10.5,\r\n";
    EXPECT_EQ(test::Contents(out), csv);
    EXPECT_EQ(ramp({"-", "--format", "csv"}).out, csv);
    EXPECT_TRUE(ramp({"-"}).out.starts_with("\"Ramp - Final\"\r\n3\r\n10,0.02,0.02,0,30\r\n"));
    EXPECT_EQ(ramp({}).status, ExitUsageOrLoad);                      // no output
    EXPECT_EQ(ramp({"a.in", "-o", "b.in"}).status, ExitUsageOrLoad);  // two

    const std::string gap = File("gap.in", "\"gap\"\n2\n1,0,0,0,10\n1,0,0,20,30\n0\n");
    const CalcResult refused = Calc({"convert", gap, (dir_ / "gap.xml").string()});
    EXPECT_EQ(refused.status, ExitFaultsFound);
    EXPECT_TRUE(Has(refused.err,
                    "gap.xml was not written: the vertical curves do not form one "
                    "continuous profile:\ngap between curves 1 and 2 from 10.000 to 20.000"));
    EXPECT_FALSE(fs::exists(dir_ / "gap.xml"));
    // A file that cannot be written, or read, is named once, with the system's reason.
    const std::string missing = (dir_ / "missing").string();
    const CalcResult unwritten = Calc({"convert", gap, missing + "/gap.in"});
    EXPECT_EQ(unwritten.status, ExitUsageOrLoad);
    EXPECT_EQ(unwritten.err, "ravo-calc convert: " + missing + "/gap.in was not written: " +
                                 missing + ": No such file or directory\n");
    EXPECT_EQ(Calc({"curves", missing}).err,
              "ravo-calc: " + missing + ": No such file or directory\n");
}

// A file that names its own unit keeps it, and refuses another; lengths
// change only with --to-units; the design speed is in km/h for metres and in
// mph for feet and US survey feet.
TEST_F(RavoCalcApp, UnitsKeptWrittenAndConvertedOnlyWhenAsked)
{
    const std::string xml = File(
        "in.xml", R"(<LandXML><Units><Imperial linearUnit="USSurveyFoot"/></Units><Alignments>)"
                  R"(<Alignment name="A"><Profile><ProfAlign name="P"><PVI>0 100</PVI><ParaCurve )"
                  R"(length="400">3937 120</ParaCurve><PVI>7874 110</PVI></ProfAlign></Profile>)"
                  "</Alignment></Alignments></LandXML>\n");
    const std::string csv =
        File("in.csv", "station,elevation,length\n0,100,\n3937,120,400\n7874,110,\n");
    const auto convert = [](const std::string& file, std::vector<std::string> options) {
        options.insert(options.begin(), {"convert", file, "-", "--format", "landxml"});
        return options;
    };
    ExpectRuns({
        {convert(xml, {}), ExitSuccess, R"(linearUnit="USSurveyFoot")"},
        {convert(xml, {"--to-units", "m"}), ExitSuccess, ">1200 36.5760726</"},
        {convert(csv, {"--units", "ft"}), ExitSuccess, R"(linearUnit="foot")"},
        {convert(xml, {"--units", "m"}), ExitUsageOrLoad,
         "USSurveyFoot; use --to-units to convert"},
        {convert(xml, {"--to-units", "km"}), ExitUsageOrLoad, "--to-units: km not in"},
        {{"check", xml, "--units", "m"}, ExitUsageOrLoad, "USSurveyFoot; leave --units out"},
        {{"curves", xml, "--json", "--design-speed", "50"}, ExitSuccess, R"("units":"ft")"},
        {{"check", csv, "--design-speed", "80"}, ExitUsageOrLoad, "--design-speed needs --units"},
    });
}

// A crest with K 20, one with K 30, a sag with K 29, joined by tangents;
// joints 0.0015 apart in elevation and 0.00015 in grade; 50 rows over one
// stretch, 1225 overlapping pairs of which the first 1000 are listed.
TEST_F(RavoCalcApp, CheckOptionsAndTheOverlapCap)
{
    const std::string k = File("k.csv",
                               "station,elevation,length\n0,100,\n100,102,80\n"
                               "300,98,116\n500,102,120\n700,98,\n");
    const std::string joint =
        File("joint.in", "\"j\"\n2\n100,0,0,0,100\n100.0015,0.00015,0.00015,100,200\n0\n");
    std::string many = "\"many\"\n50\n";
    for (int row = 0; row < 50; ++row)
        many += "100,0,0,0,100\n";
    ExpectRuns({
        {{"check", k, "--design-speed", "80", "--units", "m", "--min-length", "100"},
         ExitFaultsFound,
         "curve 2 (crest): K 20.000 is below the minimum 26 for 80 km/h\n"
         "curve 2 (crest): length 80.000 is shorter than 100\n"
         "curve 4 (sag): K 29.000 is below the minimum 30 for 80 km/h\n3 faults found.\n"},
        {{"check", k, "--design-speed", "80", "--units", "km"}, ExitUsageOrLoad, ""},
        {{"check", k, "--design-speed", "-5", "--units", "m"}, ExitUsageOrLoad, ""},
        {{"check", k, "--design-speed", "0", "--units", "m"}, ExitUsageOrLoad, ""},
        {{"check", k, "--min-length", "abc"}, ExitUsageOrLoad, ""},
        {{"check", joint}, ExitFaultsFound, "2 meet at 100.000 with elevations 100 and 100.0015"},
        {{"check", joint, "--tolerance", "0.002"}, ExitFaultsFound, "at 100.000 with grades"},
        {{"check", joint, "--tolerance", "0.002", "--grade-tolerance", "0.0002"},
         ExitSuccess,
         "No faults found."},
        {{"check", joint, "--tolerance=-1"}, ExitUsageOrLoad, ""},
        {{"check", joint, "--grade-tolerance", "x"}, ExitUsageOrLoad, ""},
        {{"check", File("many.in", many + "0\n")},
         ExitFaultsFound,
         "\ncurves 29 and 35 overlap from 0.000 to 100.000; curve 35 (the later row) gives the "
         "elevations there\nfurther overlapping curves not listed\n1001 faults found.\n"},
    });
}

// Parabolas about 100 and 200 whose joint at 150 is written with the second
// beginning before the first ends: 0.8 mm in `noise`, 0.5 m in `overlap`.
// Curves that overlap at a joint are snapped under --joint-tolerance; a real
// overlap refuses the load but is a finding of check.
TEST_F(RavoCalcApp, LandXmlJointsSnappedWithinTheToleranceListedByCheckBeyondIt)
{
    const auto joint = [](const std::string& secondLength) {
        return samples::InOneProfile(
            "<PVI>0 100</PVI><ParaCurve length=\"100\">100 103</ParaCurve><ParaCurve length=\"" +
            secondLength + "\">200 101</ParaCurve><PVI>300 102</PVI>");
    };
    const std::string noise = File("noise.xml", joint("100.0016"));
    const std::string overlap = File("overlap.xml", joint("101"));
    ExpectRuns({
        {{"curves", noise},
         ExitSuccess,
         "1 joint between curves was closer than the joint tolerance of 0.001 and snapped to "
         "one station"},
        {{"curves", noise, "--joint-tolerance", "0"}, ExitUsageOrLoad, "does not load"},
        {{"curves", overlap}, ExitUsageOrLoad, "overlap: the first reaches station 150"},
        {{"curves", overlap, "--joint-tolerance", "0.6"}, ExitSuccess, "the largest snap was"},
        {{"check", overlap}, ExitFaultsFound, " overlap from "},
        {{"curves", noise, "--joint-tolerance", "-1"}, ExitUsageOrLoad, "cannot be negative"},
        {{"check", noise, "--joint-tolerance", "1mm"}, ExitUsageOrLoad, "--joint-tolerance"},
    });
}

// A file that does not load is named as editors take it, FILE:LINE: message,
// wherever the reader knows the line; a missing file is named once.
TEST(LoadErrorLine, PutsTheFileAndLineFirstWhenTheReaderKnowsTheLine)
{
    const std::vector<std::array<const char*, 3>> cases = {
        {"r.xml", "line 12, PVI: the attribute x is missing",
         "r.xml:12: PVI: the attribute x is missing"},
        {"-", "line 2: two\nlines", "standard input:2: two\nlines"},
        {"a.in", "lines 2 to 3 overlap",
         "ravo-calc: the input file a.in does not load: lines 2 to 3 overlap"},
    };
    for (const auto& [file, what, line] : cases)
        EXPECT_EQ(LoadErrorLine(file, what), line) << what;
}

// The worked example's report file is the report session's test; here a
// zero-length curve at 50 gives "Invalid Entry", a station left out of the
// report, and "-o -" writes the same report on standard output, as it goes
// (the pipe test finds no file left behind).
TEST(ReportCommand, InvalidEntryIsLeftOutAndStandardOutputTakesTheSameReport)
{
    const test::TempFolder dir;
    test::Put(dir / "faulty.in", "\"f\"\n2\n100,0,0,0,100\n100,0,0,50,50\n0\n");
    ReportRequest request;
    request.inputPath = (dir / "faulty.in").string();
    request.outputPath = (dir / "main.out").string();
    request.stations.emplace(0, 100, 50);
    request.time = fixtures::WorkedExampleTime();
    std::ostringstream out, err;
    EXPECT_EQ(WriteReport(request, err), 1u);
    EXPECT_TRUE(Has(err.str(), "station 50.000: Invalid Entry")) << err.str();
    const std::string report = test::Contents(dir / "main.out");
    EXPECT_TRUE(report.ends_with(
        fixtures::LogHeader +
        fixtures::WithCrLf("0.000         0.000          0.             100.000\n"
                           "100.000       0.000          0.             100.000\n")))
        << report;

    test::Put(dir / "main.in", test::Contents(RAVO_EXAMPLES_DIR "/main-street.in"));
    request.inputPath = (dir / "main.in").string();
    request.outputPath = "-";
    request.stations.emplace(1000, 1200, 100);
    request.offset = 12;
    EXPECT_EQ(WriteReport(request, out, err), 0u);
    std::string expected = fixtures::EchoOfWorkedExample + fixtures::LogOfWorkedExample;
    const std::string name = "Output file = main.out";
    expected.replace(expected.find(name), name.size(), "Output file = -");
    EXPECT_EQ(out.str(), expected);

    test::Put(dir / "none.in", "\"n\"\n0\n0\n");
    request.inputPath = (dir / "none.in").string();
    EXPECT_THROW(WriteReport(request, out, err), ReportRequestError);
}

// The moment as the report's twelve-hour clock shows it.
TEST(ReportTime, NowOrTheSourceDateEpochInUtc)
{
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"0", "1/01/70, 12:00 am"},
        {"43200", "1/01/70, 12:00 pm"},
        {"32700", "1/01/70, 9:05 am"},
        {"946684799", "12/31/99, 11:59 pm"},
    };
    for (const auto& [epoch, expected] : cases)
        EXPECT_EQ(DateTimeText(ReportTime(epoch)), expected);
    for (const char* bad : {"", "abc", "-5", "12x", " 12", "99999999999999999999"})
        EXPECT_THROW(ReportTime(bad), ReportRequestError) << bad;
}

// The address space this process holds now, in bytes.
rlim_t AddressSpaceInUse()
{
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    statm >> pages;
    return pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
}

// A file that needs more memory than there is is said to be too large for
// this machine, whether reading the file or taking it apart runs out.
TEST_F(RavoCalcApp, AFileTooLargeForTheMemory)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer cannot run under a limit on the address space";
#endif
    std::string elements;
    // Fewer elements than the reader's cap, so that memory runs out first. The
    // processing instruction leaves the file to the tree reading, which holds
    // every element; the one-pass reading of plain files holds none of them.
    for (int i = 0; i < 3'900'000; ++i)
        elements += "<a/>";
    const std::vector<std::pair<std::string, rlim_t>> cases = {
        {File("big.in", "\"t\"\n1\n" + std::string(32 << 20, ' ')), 16 << 20},
        {File("big.xml", "<LandXML><?tree?>" + elements + "</LandXML>"), 64 << 20},
    };
    for (const auto& [file, room] : cases) {
        const std::string result = test::InChild([&] {
            const rlimit limit{AddressSpaceInUse() + room, RLIM_INFINITY};
            ::setrlimit(RLIMIT_AS, &limit);
            const CalcResult r = Calc({"curves", file});
            return std::to_string(r.status) + " " + r.err;
        });
        EXPECT_TRUE(Has(result, "ok: 2 ravo-calc")) << result;
        EXPECT_TRUE(Has(result, file + ": the file is too large for this machine")) << result;
    }
}

}  // namespace
}  // namespace ravo::calc
