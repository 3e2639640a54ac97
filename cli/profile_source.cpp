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
}

ProfileSource SourceOf(const SourceArgs& args)
{
    return {{args.alignment, args.profile}, args.pvi};
}

LoadedProfile LoadSourceWithUnit(const SourceArgs& args, std::optional<LengthUnit> unit,
                                 std::ostream& err)
{
    ProfileSource source = SourceOf(args);
    source.unit = unit;
    LoadedProfile loaded = ReadAnyProfile(args.file, source);
    for (const std::string& note : loaded.notes)
        err << "ravo-calc: " << note << '\n';
    for (const std::string& line : loaded.fieldsWithoutNumber)
        err << "ravo-calc: " << args.file << ": " << line << '\n';
    return loaded;
}

ProfileState LoadSource(const SourceArgs& args, std::ostream& err)
{
    LoadedProfile loaded = LoadSourceWithUnit(args, std::nullopt, err);
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
    command
        ->add_option("--units", args.units,
                     "unit of FILE when it names none: m (default), ft or usft (US survey foot)")
        ->check(CLI::IsMember({"m", "ft", "usft"}))
        ->type_name("UNITS");
    command
        ->add_option("--to-units", args.toUnits,
                     "convert the lengths to this unit: m, ft or usft (exact factors)")
        ->check(CLI::IsMember({"m", "ft", "usft"}))
        ->type_name("UNITS");
}

int RunConvert(const ConvertArgs& args, std::ostream& out, std::ostream& err)
{
    const std::optional<LengthUnit> given = UnitOfOption(args.units);
    LoadedProfile loaded = LoadSourceWithUnit(args.source, given, err);
    // A file that names its unit is not relabelled: that would move every
    // point by the ratio of the units.
    if (given && loaded.unit != *given)
        throw UsageError("--units " + args.units + ": the file gives its unit, " +
                         LandXmlUnitName(loaded.unit) + "; use --to-units to convert the lengths");
    LengthUnit unit = loaded.unit;
    if (const std::optional<LengthUnit> wanted = UnitOfOption(args.toUnits);
        wanted && *wanted != unit) {
        ConvertLengths(loaded.profile, unit, *wanted);
        err << "ravo-calc: " << ConversionNote(unit, *wanted) << '\n';
        unit = *wanted;
    }
    ProfileState state;
    ApplyInputProfile(state, std::move(loaded.profile));
    std::vector<std::string> notes;
    try {
        notes = SaveProfileAs(state, args.output, unit);
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
