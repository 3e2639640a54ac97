// The input options that every ravo-calc command shares, and convert.
#include "profile_source.h"

#include "core/formats/pvi_mapping.h"
#include "core/io/file_replace.h"
#include "core/text/station_notation.h"
#include "ravo_calc_app.h"

namespace ravo::calc {
namespace {

double PositiveOption(const std::string& text, const std::string& option)
{
    double value = 0;
    try {
        value = ParsePlainNumber(text);
    } catch (const NotationError& e) {
        throw UsageError(option + ": " + e.what());
    }
    if (!(value > 0))
        throw UsageError(option + ": must be greater than 0");
    return value;
}

LengthUnits UnitsOf(const std::string& text)
{
    return text == "ft" ? LengthUnits::Feet : LengthUnits::Metres;
}

}  // namespace

void AddSourceOptions(CLI::App* command, SourceArgs& args)
{
    command
        ->add_option("FILE", args.file,
                     "Ravo input file, LandXML file or PVI table (CSV), told apart by content")
        ->required()
        ->type_name("");
    command
        ->add_option("--alignment", args.alignment,
                     "LandXML: the alignment to take, by name or by number (1 for the first)")
        ->type_name("NAME");
    command
        ->add_option("--profile", args.profile,
                     "LandXML: the profile (ProfAlign) to take, by name or by number")
        ->type_name("NAME");
    command->add_flag("--pvi", args.pvi,
                      "read FILE as a plain PVI table: \"station elevation [length]\" per line");
    command
        ->add_option("--joint-tolerance", args.jointTolerance,
                     "LandXML and PVI tables: curves that overlap by at most this much are "
                     "snapped to one station (default 0.001)")
        ->type_name("D");
}

ProfileSource SourceOf(const SourceArgs& args)
{
    double tolerance = 0;
    try {
        tolerance = ParsePlainNumber(args.jointTolerance);
    } catch (const NotationError& e) {
        throw UsageError(std::string("--joint-tolerance: ") + e.what());
    }
    if (!(tolerance >= 0))
        throw UsageError("--joint-tolerance: a tolerance cannot be negative");
    return {{args.alignment, args.profile}, args.pvi, {tolerance, args.keepFaults}};
}

ProfileState LoadSource(const SourceArgs& args, std::ostream& err)
{
    LoadedProfile loaded = ReadAnyProfile(args.file, SourceOf(args));
    for (const std::string& note : loaded.notes)
        err << "ravo-calc: " << note << '\n';
    for (const std::string& line : loaded.fieldsWithoutNumber)
        err << "ravo-calc: " << args.file << ": " << line << '\n';
    ProfileState state;
    ApplyInputProfile(state, std::move(loaded.profile));
    return state;
}

void AddDesignOptions(CLI::App* command, DesignArgs& args, bool minLength)
{
    CLI::Option* speed =
        command
            ->add_option("--design-speed", args.speed,
                         "design speed, in km/h with --units m or mph with --units ft")
            ->type_name("V");
    command->add_option("--units", args.units, "unit system of the profile: m or ft")
        ->check(CLI::IsMember({"m", "ft"}))
        ->needs(speed)
        ->type_name("UNITS");
    speed->needs("--units");
    if (minLength)
        command->add_option("--min-length", args.minLength, "shortest curve length allowed")
            ->type_name("L");
}

std::optional<DesignSpeed> DesignSpeedOf(const DesignArgs& args)
{
    if (args.speed.empty())
        return std::nullopt;
    return DesignSpeed{PositiveOption(args.speed, "--design-speed"), UnitsOf(args.units)};
}

DesignCriteria DesignCriteriaOf(const DesignArgs& args)
{
    DesignCriteria criteria{DesignSpeedOf(args), std::nullopt};
    if (!args.minLength.empty())
        criteria.minLength = PositiveOption(args.minLength, "--min-length");
    return criteria;
}

void AddConvertOptions(CLI::App* command, ConvertArgs& args)
{
    AddSourceOptions(command, args.source);
    command
        ->add_option("OUT", args.output,
                     "file to write: *.xml LandXML, *.csv PVI table, "
                     "any other name a Ravo input file")
        ->required()
        ->type_name("");
    command->add_option("--units", args.units, "LandXML unit to name: m (default) or ft")
        ->check(CLI::IsMember({"m", "ft"}))
        ->type_name("UNITS");
}

int RunConvert(const ConvertArgs& args, std::ostream& out, std::ostream& err)
{
    const ProfileState state = LoadSource(args.source, err);
    std::vector<std::string> notes;
    try {
        notes = SaveProfileAs(state, args.output, UnitsOf(args.units));
    } catch (const ProfileNotContinuousError& e) {
        err << "ravo-calc convert: " << args.output << " was not written: " << e.what() << '\n';
        return ExitFaultsFound;
    } catch (const FileWriteError& e) {
        err << "ravo-calc convert: " << args.output << " was not written: " << e.what() << '\n';
        return ExitUsageOrLoad;
    } catch (const InputFileError& e) {
        // An input file as OUT: its writer names the file and the reason.
        err << "ravo-calc convert: " << args.output << " was not written: " << e.what() << '\n';
        return ExitUsageOrLoad;
    }
    for (const std::string& note : notes)
        err << "ravo-calc: " << note << '\n';
    out << "Wrote " << args.output << " (" << state.NumVC
        << (state.NumVC == 1 ? " curve row" : " curve rows") << ").\n";
    return ExitSuccess;
}

}  // namespace ravo::calc
