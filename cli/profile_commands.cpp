// The commands over one profile: the options read as numbers and stations,
// the profile loaded, and the table, report, curves or check written.
#include "profile_commands.h"

#include <cstdlib>
#include <optional>

#include "core/formats/profile_file.h"
#include "core/report/curve_summary_text.h"
#include "core/text/station_notation.h"
#include "csv_output.h"
#include "elevation_table.h"
#include "json_output.h"
#include "progress.h"
#include "ravo_calc_app.h"
#include "report_command.h"

namespace ravo::calc {
namespace {

template <typename Parse>
double OptionValue(const std::string& text, const std::string& option, Parse parse)
{
    try {
        return parse(text);
    } catch (const NotationError& e) {
        throw UsageError(option + ": " + e.what());
    }
}

float FloatOption(const std::string& text, const std::string& option)
{
    try {
        return ToFloat(OptionValue(text, option, ParsePlainNumber));
    } catch (const OverflowError&) {
        throw UsageError(option + ": \"" + text + "\" lies beyond the 32-bit float range");
    }
}

double ToleranceOption(const std::string& text, const std::string& option)
{
    const double value = OptionValue(text, option, ParsePlainNumber);
    if (value < 0)
        throw UsageError(option + ": a tolerance cannot be negative");
    return value;
}

}  // namespace

int RunTable(const TableArgs& a, std::ostream& out, std::ostream& err)
{
    const StationWalk walk(OptionValue(a.from, "--from", ParseStation),
                           OptionValue(a.to, "--to", ParseStation),
                           OptionValue(a.step, "--step", ParsePlainNumber));
    std::vector<float> offsets;
    for (const std::string& text : a.offsets)
        offsets.push_back(FloatOption(text, "--offset"));
    if (offsets.empty())
        offsets.push_back(0);
    LoadedProfile loaded = LoadAndTell(a.source, std::nullopt, err, nullptr);
    std::optional<GroundProfile> ground;
    if (!a.ground.empty())
        ground = LoadGround(a.ground, loaded.ground, a.source.quiet, err);
    ProfileState state;
    ApplyInputProfile(state, std::move(loaded.profile));
    const TableLayout layout{a.csv ? TableFormat::Csv : TableFormat::Plain, a.plus, IsTerminal(err),
                             ground ? &*ground : nullptr};
    // A fault of the profile ("Invalid Entry") outweighs stations off the road.
    const TableCounts counts = WriteTable(out, err, state, walk, offsets, layout);
    if (counts.invalid > 0)
        return ExitFaultsFound;
    return counts.noCurve > 0 ? ExitNoCurve : ExitSuccess;
}

int RunReport(const ReportArgs& a, std::ostream& out, std::ostream& err)
{
    ReportRequest request;
    request.inputPath = a.source.file;
    request.source = SourceOf(a.source);
    request.outputPath = a.output;
    if (!a.from.empty())
        request.stations.emplace(OptionValue(a.from, "--from", ParseStation),
                                 OptionValue(a.to, "--to", ParseStation),
                                 OptionValue(a.step, "--step", ParsePlainNumber));
    request.offset = FloatOption(a.offset, "--offset");
    request.time = ReportTime(std::getenv("SOURCE_DATE_EPOCH"));
    if (!a.ground.empty())
        request.earthwork =
            ReportRequest::Earthwork{a.ground, EarthworkRequestOf(a.section), a.source.quiet};
    return WriteReport(request, out, err) == 0 ? ExitSuccess : ExitFaultsFound;
}

int RunCurves(const CurvesArgs& a, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> notes;
    LoadedProfile loaded = LoadAndTell(a.source, std::nullopt, err, a.json ? &notes : nullptr);
    const std::optional<DesignSpeed> design = DesignSpeedOf(a.design, loaded);
    for (std::string& note : GroundLineNotes(loaded.ground)) {
        if (a.json)
            notes.push_back(std::move(note));
        else if (!a.source.quiet)
            err << "ravo-calc: " << note << '\n';
    }
    ProfileState state;
    ApplyInputProfile(state, std::move(loaded.profile));
    if (a.json)
        out << CurvesJson(state, design, notes);
    else if (a.csv)
        out << CurvesCsv(state, design);
    else
        WriteCurves(out, state, a.plus, design);
    return ExitSuccess;
}

int RunCheck(const CheckArgs& a, std::ostream& out, std::ostream& err)
{
    const Tolerances tolerances{ToleranceOption(a.tolerance, "--tolerance"),
                                ToleranceOption(a.gradeTolerance, "--grade-tolerance")};
    std::vector<std::string> notes;
    SourceArgs source = a.source;
    source.keepFaults = true;
    LoadedProfile loaded = LoadAndTell(source, std::nullopt, err, a.json ? &notes : nullptr);
    const DesignCriteria criteria = DesignCriteriaOf(a.design, loaded);
    ProfileState state;
    ApplyInputProfile(state, std::move(loaded.profile));
    const std::vector<Fault> faults = CheckProfile(state, tolerances);
    const std::vector<DesignFault> design = CheckDesign(state, criteria);
    const std::size_t found = faults.size() + design.size();
    if (a.json) {
        out << CheckJson(faults, design, criteria, a.plus, notes);
        return found == 0 ? ExitSuccess : ExitFaultsFound;
    }
    if (a.csv) {
        out << CheckCsv(faults, design, criteria, a.plus);
        return found == 0 ? ExitSuccess : ExitFaultsFound;
    }
    for (const Fault& fault : faults)
        out << FaultText(fault, a.plus) << '\n';
    for (const DesignFault& fault : design)
        out << DesignFaultText(fault, criteria) << '\n';
    if (found == 0) {
        out << "No faults found.\n";
        return ExitSuccess;
    }
    out << found << (found == 1 ? " fault" : " faults") << " found.\n";
    return ExitFaultsFound;
}

}  // namespace ravo::calc
