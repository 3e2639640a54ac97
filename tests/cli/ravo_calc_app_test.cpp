// ravo-calc's commands run in-process: what they print and their exit status
// for LandXML files and PVI tables, conversion, design speed and the check's
// options.
#include "calc_run.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/file_test_support.h"
#include "support/landxml_samples.h"

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
    EXPECT_TRUE(Has(several.err, "several profiles; choose one with --alignment NAME"));
    EXPECT_TRUE(Has(several.err, "alignment \"Ramp\", profile \"Final\""));

    // The same profile as LandXML and as a plain PVI table: the same table.
    const std::vector<std::string> table = {"--from", "0", "--to", "100", "--step", "25", "--csv"};
    std::vector<std::string> fromXml = {"table", xml, "--alignment", "Ramp", "--profile", "Final"};
    std::vector<std::string> fromPlain = {"table", plain, "--pvi"};
    for (auto* args : {&fromXml, &fromPlain})
        args->insert(args->end(), table.begin(), table.end());
    const CalcResult a = Calc(fromXml);
    EXPECT_EQ(a.status, ExitSuccess) << a.err;
    EXPECT_EQ(a.out,
              "station,offset,superelevation,elevation\r\n0.000,0.000,0.,10.000\r\n"
              "25.000,0.000,0.,10.500\r\n50.000,0.000,0.,10.850\r\n"
              "75.000,0.000,0.,10.750\r\n100.000,0.000,0.,10.500\r\n");
    EXPECT_TRUE(Has(a.err, "Lengths are in foot"));
    EXPECT_EQ(Calc(fromPlain).out, a.out);
    // curves lists the ground lines kept with the profile.
    const std::string ground =
        "ravo-calc: Ground line \"Ground\": 2 points from station 1000 to 2000.";
    EXPECT_TRUE(Has(Calc({"curves", xml, "--alignment", "Main"}).err, ground));

    const CalcResult curves =
        Calc({"curves", plain, "--pvi", "--design-speed", "100", "--units", "m"});
    EXPECT_EQ(curves.status, ExitSuccess);
    EXPECT_TRUE(Has(curves.out,
                    "DESIGN SPEED  100 km/h       SIGHT DIST     185 m\n"
                    "MIN K         crest 52, sag 45\n"));
    EXPECT_TRUE(Has(curves.out,
                    "K             13.333\n"
                    "PVI           50.000         ELEV           11.000\n"
                    "MIN K         52             BELOW MINIMUM\n"));
}

// A curve whose end in the file, 1249.9996, is held as a float a hair below
// 1250: "curves" prints that float, and a table at the printed end finds the
// curve, while one at the rounded 1250.000 finds no curve and says so.
TEST_F(RavoCalcApp, TablesFindTheCurveAtTheEndsThatCurvesPrints)
{
    const std::string file = File("end.in", "\"e\"\n1\n100,0.01,0.01,1000,1249.9996\n0\n");
    EXPECT_TRUE(
        Has(Calc({"curves", file}).out, "STA 2         1249.9996      ELEV 2         102.500"));
    const auto table = [&](const std::string& station) {
        return Calc({"table", file, "--from", station, "--to", station, "--step", "1", "--csv"});
    };
    const CalcResult atEnd = table("1249.9996");
    EXPECT_EQ(atEnd.status, ExitSuccess) << atEnd.err;
    EXPECT_TRUE(Has(atEnd.out, "1250.000,0.000,0.,102.500\r\n"));
    const CalcResult rounded = table("1250");
    EXPECT_EQ(rounded.status, ExitNoCurve);
    EXPECT_TRUE(Has(rounded.out, "1250.000,0.000,0.,\r\n"));

    // "Invalid Entry" is a fault of the profile: it outweighs stations off the road.
    const std::string zero = File("zero.in", "\"z\"\n1\n100,0,0,10,10\n0\n");
    EXPECT_EQ(Calc({"table", zero, "--from", "0", "--to", "20", "--step", "10"}).status,
              ExitFaultsFound);
}

TEST_F(RavoCalcApp, ConvertWritesTheFormatTheNameAsksFor)
{
    const std::string xml = File("road.xml", samples::LandXml);
    const std::string out = (dir_ / "ramp.csv").string();
    const CalcResult csv = Calc({"convert", xml, out, "--alignment", "Ramp", "--profile", "Final"});
    EXPECT_EQ(csv.status, ExitSuccess) << csv.err;
    std::ifstream in(out, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "station,elevation,length\r\n0,10,\r\n50,11,40\r\n100,10.5,\r\n");

    const std::string gap = File("gap.in", "\"gap\"\n2\n1,0,0,0,10\n1,0,0,20,30\n0\n");
    const CalcResult refused = Calc({"convert", gap, (dir_ / "gap.xml").string()});
    EXPECT_EQ(refused.status, ExitFaultsFound);
    EXPECT_TRUE(Has(refused.err,
                    "gap.xml was not written: the vertical curves do not form one "
                    "continuous profile:\ngap between curves 1 and 2 from 10.000 to 20.000"));
    EXPECT_FALSE(fs::exists(dir_ / "gap.xml"));
    // An input file that cannot be written is said so, with the system's reason.
    const CalcResult unwritten = Calc({"convert", gap, (dir_ / "missing/gap.in").string()});
    EXPECT_EQ(unwritten.status, ExitUsageOrLoad);
    EXPECT_EQ(unwritten.err, "ravo-calc convert: " + (dir_ / "missing/gap.in").string() +
                                 " was not written: " + (dir_ / "missing").string() +
                                 ": No such file or directory\n");
    // A load failure names the file once: the reader's own words, or the command's around them.
    EXPECT_EQ(Calc({"curves", (dir_ / "none.in").string()}).err,
              "ravo-calc: " + (dir_ / "none.in").string() + ": No such file or directory\n");
    EXPECT_TRUE(Calc({"curves", File("cut.in", "\"t\"\n2\n")})
                    .err.starts_with("ravo-calc: the input file " + (dir_ / "cut.in").string() +
                                     " does not load: "));
}

// A field without a number is told on standard error; of two profiles of
// the same names, the second is chosen by its number.
TEST_F(RavoCalcApp, TellsWhatAFileHoldsThatReadsAsNothing)
{
    const std::string typo = File("typo.in", "\"T\"\r\n1\r\n100,O.5,0,0,100\r\n0\r\n");
    const CalcResult loaded = Calc({"curves", typo});
    EXPECT_EQ(loaded.status, ExitSuccess);
    EXPECT_TRUE(Has(loaded.err,
                    "typo.in: 1 curve field holds no number and reads as 0: the "
                    "beginning grade of curve 1 (line 3), \"O.5\"\n"))
        << loaded.err;

    const auto alignment = [](const std::string& end) {
        return "<Alignment name=\"A\"><Profile><ProfAlign name=\"P\"><PVI>0 1</PVI><PVI>" + end +
               " 2</PVI></ProfAlign></Profile></Alignment>";
    };
    const std::string twice = File("twice.xml", "<LandXML><Alignments>" + alignment("10") +
                                                    alignment("20") + "</Alignments></LandXML>");
    const CalcResult second = Calc({"table", twice, "--alignment", "2", "--from", "1e+01", "--to",
                                    "20", "--step", "10", "--csv"});
    EXPECT_EQ(second.status, ExitSuccess) << second.err;
    EXPECT_TRUE(Has(second.out, "20.000,0.000,0.,2.000")) << second.out;
}

TEST_F(RavoCalcApp, CheckAgainstDesignSpeedAndLength)
{
    // A crest with K 20, one with K 30, a sag with K 29, joined by tangents.
    const std::string file = File("k.csv",
                                  "station,elevation,length\n0,100,\n100,102,80\n"
                                  "300,98,116\n500,102,120\n700,98,\n");
    const CalcResult r =
        Calc({"check", file, "--design-speed", "80", "--units", "m", "--min-length", "100"});
    EXPECT_EQ(r.status, ExitFaultsFound);
    EXPECT_EQ(r.out,
              "curve 2 (crest): K 20.000 is below the minimum 26 for 80 km/h\n"
              "curve 2 (crest): length 80.000 is shorter than 100\n"
              "curve 4 (sag): K 29.000 is below the minimum 30 for 80 km/h\n"
              "3 faults found.\n");
    EXPECT_EQ(Calc({"check", file, "--design-speed", "60", "--units", "m"}).status, ExitSuccess);
    EXPECT_EQ(Calc({"check", file, "--min-length", "0.5"}).status,
              ExitSuccess);  // any length above 0
    EXPECT_EQ(
        Calc({"check", file, "--design-speed", "70", "--units", "m", "--min-length", "100"}).out,
        "curve 2 (crest): length 80.000 is shorter than 100\n1 fault found.\n");
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"check", file, "--design-speed", "80"},
          {"check", file, "--design-speed", "80", "--units", "km"},
          {"check", file, "--design-speed", "-5", "--units", "m"},
          {"check", file, "--design-speed", "0", "--units", "m"},
          {"check", file, "--min-length", "abc"}})
        EXPECT_EQ(Calc(wrong).status, ExitUsageOrLoad) << wrong[2];
}

TEST_F(RavoCalcApp, CheckToleranceOptionsAndTheOverlapCap)
{
    // Joints 0.0015 apart in elevation and 0.00015 in grade.
    const std::string joint =
        File("joint.in", "\"j\"\n2\n100,0,0,0,100\n100.0015,0.00015,0.00015,100,200\n0\n");
    const struct {
        std::vector<std::string> options;
        int status;
        std::string first;
    } cases[] = {
        {{}, ExitFaultsFound, "curves 1 and 2 meet at 100.000 with elevations 100 and 100.0015"},
        {{"--tolerance", "0"}, ExitFaultsFound, "curves 1 and 2 meet at 100.000 with elevations"},
        {{"--tolerance", "0.002"}, ExitFaultsFound, "curves 1 and 2 meet at 100.000 with grades"},
        {{"--tolerance", "0.002", "--grade-tolerance", "0.0002"}, ExitSuccess, "No faults found."},
        {{"--tolerance=-1"}, ExitUsageOrLoad, ""},
        {{"--grade-tolerance", "x"}, ExitUsageOrLoad, ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"check", joint};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CalcResult r = Calc(args);
        EXPECT_EQ(r.status, c.status) << c.first;
        EXPECT_EQ(r.out.substr(0, c.first.size()), c.first) << r.out;
    }

    // 50 rows over one stretch make 1225 overlapping pairs: 1000 are listed.
    std::string many = "\"many\"\n50\n";
    for (int row = 0; row < 50; ++row)
        many += "100,0,0,0,100\n";
    const CalcResult r = Calc({"check", File("many.in", many + "0\n")});
    EXPECT_EQ(r.status, ExitFaultsFound);
    std::size_t overlaps = 0;
    for (std::size_t at = 0; (at = r.out.find(" overlap from ", at)) != std::string::npos; ++at)
        ++overlaps;
    EXPECT_EQ(overlaps, 1000u);
    EXPECT_TRUE(Has(r.out, "\nfurther overlapping curves not listed\n1001 faults found.\n"));
}

// Only a regular file is written: a FIFO as the report, and a pipe named
// through /proc/self/fd as standard output sent on to another program is.
TEST_F(RavoCalcApp, OnlyARegularFileIsWritten)
{
    const std::string input = File("main.in", test::Contents(RAVO_EXAMPLES_DIR "/main-street.in"));
    const std::string fifo = (dir_ / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    int pipeEnds[2] = {-1, -1};
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const std::string piped = "/proc/self/fd/" + std::to_string(pipeEnds[1]);
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"report", input, "-o", fifo},
         "ravo-calc report: Unable to write output file: The report must be a regular file; " +
             fifo + ": Not a regular file (a FIFO)\n"},
        {{"convert", input, piped},
         "ravo-calc convert: " + piped + " was not written: " + piped +
             ": Not a regular file (a FIFO)\n"},
    };
    for (const auto& [args, err] : cases) {
        const CalcResult r = Calc(args);
        EXPECT_EQ(r.status, ExitUsageOrLoad);
        EXPECT_EQ(r.err, err);
    }
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
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
