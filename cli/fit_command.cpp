// ravo-calc fit: reads the ground, fits the grade line, prints its earthwork
// (and a given design's) and writes the PVI profile in the format OUT names.
#include "fit_command.h"

#include <cmath>
#include <iomanip>

#include "core/fit/grade_fit.h"
#include "core/formats/landxml_write.h"
#include "core/formats/pvi_table.h"
#include "core/ground/ground_read.h"
#include "core/io/file_replace.h"
#include "core/text/station_notation.h"
#include "ravo_calc_app.h"

namespace ravo::calc {
namespace {

double Number(const std::string& text, const std::string& option, bool station = false)
{
    try {
        return station ? ParseStation(text) : ParsePlainNumber(text);
    } catch (const NotationError& e) {
        throw UsageError(option + ": " + e.what());
    }
}

// "a:b:c" split at the colons into exactly `count` numbers (the first
// `stations` of them stations).
std::vector<double> Parts(const std::string& text, const std::string& option, std::size_t count,
                          std::size_t stations)
{
    std::vector<double> values;
    std::size_t at = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t end = text.find(':', at);
        if ((end == std::string::npos) != (i + 1 == count))
            throw UsageError(option + " " + text + ": give " + std::to_string(count) +
                             " values separated by colons");
        values.push_back(Number(text.substr(at, end - at), option, i < stations));
        at = end + 1;
    }
    return values;
}

void SetWhenGiven(double& value, const std::string& text, const std::string& option)
{
    if (!text.empty())
        value = Number(text, option);
}

FitCriteria CriteriaOf(const FitArgs& a)
{
    FitCriteria c;
    c.from = Number(a.from, "--from", true);
    c.to = Number(a.to, "--to", true);
    c.speed = {Number(a.speed, "--design-speed"),
               a.units == "ft" ? LengthUnits::Feet : LengthUnits::Metres};
    c.maxGrade = Number(a.maxGrade, "--max-grade");
    for (const std::string& text : a.fixed) {
        const std::vector<double> v = Parts(text, "--fix", 2, 1);
        c.fixedPoints.push_back({v[0], v[1]});
    }
    for (const std::string& text : a.windows) {
        const std::vector<double> v = Parts(text, "--window", 4, 2);
        c.windows.push_back({v[0], v[1], v[2], v[3]});
    }
    c.balance = a.balance;
    SetWhenGiven(c.balanceTolerance, a.balanceTolerance, "--balance-tolerance");
    SetWhenGiven(c.section.cutFactor, a.cutFactor, "--cut-factor");
    SetWhenGiven(c.section.width, a.width, "--width");
    SetWhenGiven(c.section.fillSlope, a.fillSlope, "--fill-slope");
    SetWhenGiven(c.section.cutSlope, a.cutSlope, "--cut-slope");
    SetWhenGiven(c.section.pavementDepth, a.depth, "--pavement-depth");
    SetWhenGiven(c.cutCost, a.cutCost, "--cut-cost");
    SetWhenGiven(c.fillCost, a.fillCost, "--fill-cost");
    SetWhenGiven(c.pieceLength, a.piece, "--piece");
    SetWhenGiven(c.curveStep, a.curveStep, "--curve-step");
    double most = 0;
    SetWhenGiven(most, a.maxPvis, "--max-pvis");
    if (most < 0 || most != std::floor(most) || most > 1e6)
        throw UsageError("--max-pvis: give a whole number of 0 or more");
    c.maxPvis = static_cast<int>(most);
    return c;
}

constexpr int ShownDecimals = 1;  // volumes and costs show to a tenth

std::string Column(double value) { return FixedText(value, ShownDecimals); }

// The least cost that shows as more than 0 in its column.
double LeastShownCost() { return 0.5 * std::pow(10.0, -ShownDecimals); }

void PrintLine(std::ostream& out, const std::string& name, const Earthwork& e,
               const std::string& remark)
{
    out << std::left << std::setw(22) << name << std::right << std::setw(14) << Column(e.cut)
        << std::setw(14) << Column(e.fill) << std::setw(16) << Column(e.cost);
    out << (remark.empty() ? "" : "  " + remark) << '\n';
}

// The fitted line against the optimum of the pieces. Its curves need not end
// where pieces do, so it may cost a little less. An optimum that shows as 0
// is taken as 0, not as a base for a percentage of rounding noise.
std::string Above(double cost, double base)
{
    const double least = LeastShownCost();
    if (!(base >= least))
        return cost >= least ? "(above an optimum of 0)" : "(the optimum)";
    const double percent = 100 * (cost - base) / base;
    const std::string size = FixedText(std::fabs(percent), 2);
    return "(" + size + (percent < 0 && size != "0.00" ? "% below" : "% above") + " the optimum)";
}

// The profile as OUT's name asks; LandXML with the ground line beside it.
void WriteFitted(const ProfileState& state, const FitArgs& a, const GroundProfile& ground)
{
    const LengthUnit unit = a.units == "ft" ? LengthUnit::Foot : LengthUnit::Meter;
    const std::string& path = a.output;
    if (path.size() < 4 ||
        (path.substr(path.size() - 4) != ".xml" && path.substr(path.size() - 4) != ".XML")) {
        SaveProfileAs(state, path, unit);
        return;
    }
    std::string text = LandXmlText(state, unit).text;
    std::string surface = "<ProfSurf name=\"ground\" state=\"existing\"><PntList2D>";
    for (const GroundPoint& p : ground.Points())
        surface += ShortestText(p.station) + " " + ShortestText(p.elevation) + " ";
    surface.back() = '<';
    surface += "/PntList2D></ProfSurf>";
    const std::size_t at = text.find("<ProfAlign");
    if (at != std::string::npos)
        text.insert(at, surface);
    ReplaceFile(path, [&text](ByteSink& sink) { sink.Write(text); });
}

}  // namespace

void AddFitOptions(CLI::App* command, FitArgs& a)
{
    command
        ->add_option("GROUND", a.ground,
                     "the ground: station,elevation CSV, "
                     "\"station elevation\" lines or LandXML with a ProfSurf")
        ->required()
        ->type_name("");
    command->add_option("--from", a.from, "first station")->required()->type_name("STATION");
    command->add_option("--to", a.to, "last station")->required()->type_name("STATION");
    command->add_option("--design-speed", a.speed, "design speed (km/h with m, mph with ft)")
        ->required()
        ->type_name("V");
    command->add_option("--units", a.units, "unit system: m or ft")
        ->required()
        ->check(CLI::IsMember({"m", "ft"}))
        ->type_name("UNITS");
    command->add_option("--max-grade", a.maxGrade, "steepest grade, percent")
        ->required()
        ->type_name("G");
    command->add_option("--fix", a.fixed, "a fixed point STA:ELEV (repeatable)")
        ->type_name("STA:ELEV")
        ->allow_extra_args(false);
    command
        ->add_option("--window", a.windows,
                     "the line between stations A and B within "
                     "LOW..HIGH (repeatable)")
        ->type_name("A:B:LOW:HIGH")
        ->allow_extra_args(false);
    command->add_flag("--balance", a.balance, "balance cut times --cut-factor against fill");
    command
        ->add_option("--balance-tolerance", a.balanceTolerance,
                     "volume the balance may miss by (default 1% of the larger volume)")
        ->type_name("V");
    command->add_option("--cut-factor", a.cutFactor, "fill made by a unit of cut (default 1)")
        ->type_name("F");
    command->add_option("--width", a.width, "formation width (default 10)")->type_name("W");
    command->add_option("--fill-slope", a.fillSlope, "fill side slope 1:n (default 2)")
        ->type_name("N");
    command->add_option("--cut-slope", a.cutSlope, "cut side slope 1:n (default 2)")
        ->type_name("N");
    command->add_option("--pavement-depth", a.depth, "formation below the grade line (default 0)")
        ->type_name("D");
    command->add_option("--cut-cost", a.cutCost, "cost of a unit of cut (default 1)")
        ->type_name("C");
    command->add_option("--fill-cost", a.fillCost, "cost of a unit of fill (default 1)")
        ->type_name("C");
    command->add_option("--piece", a.piece, "length of the pieces (default 20 m or 50 ft)")
        ->type_name("L");
    command
        ->add_option("--curve-step", a.curveStep,
                     "curve lengths a multiple of this (default 10 m or 25 ft)")
        ->type_name("L");
    command->add_option("--max-pvis", a.maxPvis, "most grade breaks between the ends (0: no limit)")
        ->type_name("N");
    command->add_option("--compare", a.compare.file, "a design on the same ground to cost")
        ->type_name("FILE");
    command->add_option("-o,--output", a.output, "*.xml LandXML, *.csv PVI table, else input file")
        ->required()
        ->type_name("OUT");
}

int RunFit(const FitArgs& a, std::ostream& out, std::ostream& err)
{
    const FitCriteria criteria = CriteriaOf(a);
    const GroundProfile ground = GroundFromBytes(SourceBytes(a.ground));
    FitResult result;
    ProfileState fitted;
    try {
        result = FitGradeLine(ground, criteria);
        fitted = FittedProfile(result);
    } catch (const FitError& e) {
        err << "ravo-calc fit: " << e.what() << '\n';
        return ExitFaultsFound;
    }
    out << "Fitted over " << ShortestText(criteria.from) << " to " << ShortestText(criteria.to)
        << " in " << result.pieces << " pieces; the solver took "
        << FixedText(result.solverSeconds, 3) << " s in " << result.solves << " solves.\n";
    out << std::left << std::setw(22) << "" << std::right << std::setw(14) << "cut" << std::setw(14)
        << "fill" << std::setw(16) << "cost" << '\n';
    PrintLine(out, "optimum (pieces)", result.optimum,
              "(no line of these pieces costs less than " + Column(result.lowerBound) + ")");
    PrintLine(out, "fitted (" + std::to_string(result.pvis.size()) + " PVIs)", result.fitted,
              Above(result.fitted.cost, result.optimum.cost));
    if (!a.compare.file.empty()) {
        SourceArgs source = a.compare;
        source.quiet = true;
        const ProfileState design = LoadSource(source, err);
        try {
            const Earthwork given = EarthworkOf(design, ground, criteria);
            PrintLine(out, "design", given, Above(given.cost, result.optimum.cost));
        } catch (const FitError& e) {
            err << "ravo-calc fit: " << a.compare.file << ": " << e.what() << '\n';
        }
    }
    if (!a.compare.quiet)
        for (const std::string& note : result.notes)
            err << "ravo-calc: " << note << '\n';
    const std::vector<std::string> faults = CriteriaFaults(fitted, criteria);
    for (const std::string& fault : faults)
        err << "ravo-calc fit: the fitted profile: " << fault << '\n';
    WriteFitted(fitted, a, ground);
    if (!a.compare.quiet)
        out << "Wrote " << a.output << " (" << result.pvis.size() << " PVIs).\n";
    return faults.empty() ? ExitSuccess : ExitFaultsFound;
}

}  // namespace ravo::calc
