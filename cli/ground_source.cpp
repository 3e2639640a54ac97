// ravo-calc's ground (--ground FILE|NAME), the section options and the earthwork command.
#include "ground_source.h"

#include <unistd.h>

#include <algorithm>
#include <new>

#include "core/formats/input_file.h"
#include "core/ground/earthwork_text.h"
#include "core/ground/ground_read.h"
#include "core/io/file_read.h"
#include "core/text/numbers.h"
#include "core/text/station_notation.h"
#include "ravo_calc_app.h"

namespace ravo::calc {
namespace {

double NumberOption(const std::string& text, const std::string& option,
                    double (*parse)(std::string_view) = ParsePlainNumber)
{
    try {
        return parse(text);
    } catch (const NotationError& e) {
        throw UsageError(option + ": " + e.what());
    }
}

std::string LineNames(const std::vector<GroundLine>& lines)
{
    std::string names;
    for (const GroundLine& line : lines)
        names += (names.empty() ? "\"" : ", \"") + line.name + "\"";
    return names;
}

std::string GroundBytes(const std::string& value, const std::vector<GroundLine>& profileGround)
{
    try {
        if (value == "-")
            return ReadDescriptor(STDIN_FILENO, SourceName(value), MaxGroundFileBytes);
        return ReadFileOrPipe(value, MaxGroundFileBytes);
    } catch (const FileReadError& e) {
        if (profileGround.empty())
            throw UsageError(std::string("--ground: ") + e.what());
        throw UsageError("--ground " + value +
                         ": no ground line of the profile file has that name (its ground lines: " +
                         LineNames(profileGround) + "), and no file of that name can be read (" +
                         e.what() + ")");
    } catch (const std::bad_alloc&) {
        throw UsageError("--ground: " + TooLargeForMemoryText(SourceName(value)));
    }
}

}  // namespace

GroundProfile LoadGround(const std::string& value, const std::vector<GroundLine>& profileGround,
                         bool quiet, std::ostream& err)
{
    GroundProfile ground;
    const bool named = std::any_of(profileGround.begin(), profileGround.end(),
                                   [&](const GroundLine& line) { return line.name == value; });
    try {
        ground = named ? GroundFromLines(profileGround, value)
                       : GroundFromBytes(GroundBytes(value, profileGround));
    } catch (const InputFileError& e) {
        const std::string line = LoadErrorLine(value, e.what());
        throw UsageError(line.starts_with("ravo-calc: ")
                             ? "the ground " + SourceName(value) + " does not load: " + e.what()
                             : line);
    }
    if (!quiet)
        for (const std::string& note : ground.Notes())
            err << "ravo-calc: ground " << SourceName(value) << ": " << note << '\n';
    return ground;
}

void AddSectionOptions(CLI::App* command, SectionArgs& args, bool required, CLI::Option* ground)
{
    const auto add = [&](const char* name, std::string& value, const char* what, const char* type,
                         bool mustGive) {
        CLI::Option* option = command->add_option(name, value, what)->type_name(type);
        if (mustGive && required)
            option->required();
        if (ground != nullptr)
            option->needs(ground);
        return option;
    };
    CLI::Option* width = add("--width", args.width, "formation width W of the section", "W", true);
    CLI::Option* fill =
        add("--fill-slope", args.fillSlope, "fill side slope 1:n (n horizontal)", "N", true);
    CLI::Option* cut =
        add("--cut-slope", args.cutSlope, "cut side slope 1:n (n horizontal)", "N", true);
    add("--pavement-depth", args.pavementDepth, "formation below the grade line (default 0)", "D",
        false);
    add("--cut-factor", args.cutFactor, "shrink/swell: fill made by a unit of cut (default 1)", "F",
        false);
    add("--interval", args.interval, "distance between the regular stations (default 20)", "S",
        false);
    if (ground != nullptr)
        ground->needs(width)->needs(fill)->needs(cut);
}

EarthworkRequest EarthworkRequestOf(const SectionArgs& args)
{
    EarthworkRequest request;
    request.section.width = NumberOption(args.width, "--width");
    request.section.fillSlope = NumberOption(args.fillSlope, "--fill-slope");
    request.section.cutSlope = NumberOption(args.cutSlope, "--cut-slope");
    request.section.pavementDepth = NumberOption(args.pavementDepth, "--pavement-depth");
    request.section.cutFactor = NumberOption(args.cutFactor, "--cut-factor");
    request.interval = NumberOption(args.interval, "--interval");
    return request;
}

std::string SectionLine(const SectionTemplate& section, double interval)
{
    return "Section: width " + ShortestText(section.width) +
           ", fill slope 1:" + ShortestText(section.fillSlope) +
           ", cut slope 1:" + ShortestText(section.cutSlope) + ", pavement depth " +
           ShortestText(section.pavementDepth) + ", cut factor " + ShortestText(section.cutFactor) +
           ", stations every " + ShortestText(interval);
}

void AddEarthworkOptions(CLI::App* command, EarthworkArgs& args)
{
    AddSourceOptions(command, args.source);
    command
        ->add_option("--ground", args.ground,
                     "the existing ground: a ground line of FILE by name, or a file (CSV, "
                     "\"station elevation\" lines or LandXML)")
        ->required()
        ->type_name("FILE|NAME");
    AddSectionOptions(command, args.section, true);
    command->add_option("--from", args.from, "first station (default: where ground and grade meet)")
        ->type_name("STATION");
    command->add_option("--to", args.to, "last station (default: where ground or grade ends)")
        ->type_name("STATION");
    command->add_flag("--csv", args.csv, "write the table as CSV (RFC 4180) with a header row");
    command->add_flag("--plus", args.plus, "print stations in road-station notation (12+34.560)");
}

int RunEarthwork(const EarthworkArgs& args, std::ostream& out, std::ostream& err)
{
    EarthworkRequest request = EarthworkRequestOf(args.section);
    if (!args.from.empty())
        request.from = NumberOption(args.from, "--from", ParseStation);
    if (!args.to.empty())
        request.to = NumberOption(args.to, "--to", ParseStation);
    LoadedProfile loaded = LoadAndTell(args.source, std::nullopt, err, nullptr);
    const GroundProfile ground = LoadGround(args.ground, loaded.ground, args.source.quiet, err);
    ProfileState state;
    ApplyInputProfile(state, std::move(loaded.profile));
    const EarthworkTable table = ComputeEarthwork(state, ground, request);
    for (const std::string& note : table.notes)
        err << "ravo-calc: " << note << '\n';
    if (args.csv) {
        WriteEarthworkCsv(table, [&out](std::string_view line) { out << line << "\r\n"; });
        WriteEarthworkSummary(table, args.plus, [&err](std::string_view line) {
            err << "ravo-calc: " << line << '\n';
        });
        return ExitSuccess;
    }
    const auto write = [&out](std::string_view line) { out << line << '\n'; };
    out << SectionLine(request.section, request.interval) << "\n\n";
    WriteEarthworkLines(table, args.plus, write);
    out << '\n';
    WriteEarthworkSummary(table, args.plus, write);
    return ExitSuccess;
}

}  // namespace ravo::calc
