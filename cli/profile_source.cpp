// Where ravo-calc's commands get their profile: a file in any format, or a PVI table given with
// --pvi.
#include "profile_source.h"

#include <unistd.h>

#include <new>

#include "core/formats/landxml_write.h"
#include "core/formats/pvi_mapping.h"
#include "core/formats/pvi_table.h"
#include "core/io/file_read.h"
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

// The design tables of a unit: km/h and metres, or mph and feet.
LengthUnits UnitsOf(LengthUnit unit)
{
    return unit == LengthUnit::Meter ? LengthUnits::Metres : LengthUnits::Feet;
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

std::string SourceName(const std::string& file) { return file == "-" ? "standard input" : file; }

std::string SourceBytes(const std::string& file)
{
    try {
        if (file == "-")
            return ReadDescriptor(STDIN_FILENO, SourceName(file), MaxInputFileBytes);
        return ReadFileOrPipe(file, MaxInputFileBytes);
    } catch (const FileReadError& e) {
        throw InputFileError(e.what());
    } catch (const std::bad_alloc&) {
        throw InputFileError(TooLargeForMemoryText(SourceName(file)));
    }
}

// "line 12: message" or "line 12, message" from a reader becomes
// "FILE:12: message", the form editors jump to. Scanned by hand: a message may
// quote a long field, and std::regex recurses on long texts.
std::string LoadErrorLine(const std::string& file, const std::string& what)
{
    const std::string name = SourceName(file);
    constexpr std::string_view prefix = "line ";
    if (what.starts_with(prefix)) {
        std::size_t end = prefix.size();
        while (end < what.size() && what[end] >= '0' && what[end] <= '9')
            ++end;
        const bool separated =
            end + 1 < what.size() && (what[end] == ':' || what[end] == ',') && what[end + 1] == ' ';
        if (end > prefix.size() && separated)
            return name + ":" + what.substr(prefix.size(), end - prefix.size()) + ": " +
                   what.substr(end + 2);
    }
    if (what.find(name) != std::string::npos)
        return "ravo-calc: " + what;
    return "ravo-calc: the input file " + name + " does not load: " + what;
}

// Loads the file and tells its notes on err, or hands them to notes.
LoadedProfile LoadAndTell(const SourceArgs& args, std::optional<LengthUnit> unit, std::ostream& err,
                          std::vector<std::string>* notes)
{
    ProfileSource source = SourceOf(args);
    source.unit = unit;
    LoadedProfile loaded = AnyProfileFromBytes(SourceBytes(args.file), source);
    if (notes != nullptr)
        *notes = loaded.notes;
    else if (!args.quiet)
        for (const std::string& note : loaded.notes)
            err << "ravo-calc: " << note << '\n';
    if (!args.quiet)
        for (const std::string& line : loaded.fieldsWithoutNumber)
            err << "ravo-calc: " << SourceName(args.file) << ": " << line << '\n';
    return loaded;
}

ProfileState LoadSource(const SourceArgs& args, std::ostream& err, std::vector<std::string>* notes)
{
    LoadedProfile loaded = LoadAndTell(args, std::nullopt, err, notes);
    ProfileState state;
    ApplyInputProfile(state, std::move(loaded.profile));
    return state;
}

void AddUnitsOption(CLI::App* command, std::string& units)
{
    command
        ->add_option("--units", units,
                     "unit of FILE's lengths when it names none: m (default), ft or usft (US "
                     "survey foot)")
        ->check(CLI::IsMember({"m", "ft", "usft"}))
        ->type_name("UNITS");
}

void RequireUnitsOfFile(const std::string& units, const LoadedProfile& loaded, const char* advice)
{
    const std::optional<LengthUnit> given = UnitOfOption(units);
    // A file that names its unit is not relabelled: that would move every
    // point by the ratio of the units.
    if (given && loaded.unitNamed && loaded.unit != *given)
        throw UsageError("--units " + units + ": the file gives its unit, " +
                         LandXmlUnitName(loaded.unit) + "; " + advice);
}

void AddDesignOptions(CLI::App* command, DesignArgs& args, bool minLength)
{
    command
        ->add_option("--design-speed", args.speed,
                     "design speed: km/h for a profile in metres, mph in feet (see --units)")
        ->type_name("V");
    AddUnitsOption(command, args.units);
    if (minLength)
        command->add_option("--min-length", args.minLength, "shortest curve length allowed")
            ->type_name("L");
}

std::optional<DesignSpeed> DesignSpeedOf(const DesignArgs& args, const LoadedProfile& loaded)
{
    RequireUnitsOfFile(args.units, loaded, "leave --units out");
    if (args.speed.empty())
        return std::nullopt;
    const double speed = PositiveOption(args.speed, "--design-speed");
    const std::optional<LengthUnit> given = UnitOfOption(args.units);
    if (!given && !loaded.unitNamed)
        throw UsageError(
            "--design-speed needs --units (m for km/h, ft or usft for mph): the "
            "file names no unit");
    return DesignSpeed{speed, UnitsOf(loaded.unitNamed ? loaded.unit : *given)};
}

DesignCriteria DesignCriteriaOf(const DesignArgs& args, const LoadedProfile& loaded)
{
    DesignCriteria criteria{DesignSpeedOf(args, loaded), std::nullopt};
    if (!args.minLength.empty())
        criteria.minLength = PositiveOption(args.minLength, "--min-length");
    return criteria;
}

void AddConvertOptions(CLI::App* command, ConvertArgs& args)
{
    AddSourceOptions(command, args.source);
    CLI::Option* out = command
                           ->add_option("OUT", args.output,
                                        "file to write: *.xml LandXML, *.csv PVI table, "
                                        "any other name a Ravo input file; - standard output")
                           ->type_name("");
    // -o names the output as it does for report; OUT or -o, not both.
    command->add_option("-o,--output", args.output, "the file to write, as OUT")
        ->type_name("OUTPUT")
        ->excludes(out);
    AddUnitsOption(command, args.units);
    command
        ->add_option("--to-units", args.toUnits,
                     "convert the lengths to this unit: m, ft or usft (exact factors)")
        ->check(CLI::IsMember({"m", "ft", "usft"}))
        ->type_name("UNITS");
    command
        ->add_option("--format", args.format,
                     "write this format whatever OUT is called: landxml, csv (PVI table) or input")
        ->check(CLI::IsMember({"landxml", "csv", "input"}))
        ->type_name("FORMAT");
}

namespace {

// Bytes for standard output, handed on as they come.
class StreamSink : public ByteSink {
public:
    explicit StreamSink(std::ostream& out) : out_(out) {}
    void Write(std::string_view bytes) override
    {
        out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

private:
    std::ostream& out_;
};

ProfileFormat FormatOfOption(const std::string& format)
{
    if (format == "landxml")
        return ProfileFormat::LandXml;
    return format == "csv" ? ProfileFormat::PviCsv : ProfileFormat::InputFile;
}

// Writes the profile where OUT says, in the format --format or OUT's name
// says, a piece at a time, and gives the notes of the export.
std::vector<std::string> WriteConverted(const ProfileState& state, const ConvertArgs& args,
                                        LengthUnit units, const std::vector<GroundLine>& ground,
                                        std::ostream& out)
{
    if (args.output == "-") {
        // Standard output takes the text as it comes, without a temporary file.
        StreamSink sink(out);
        return WriteProfile(sink, state, FormatOfOption(args.format), units, ground);
    }
    if (args.format.empty())
        return SaveProfileAs(state, args.output, units, ground);
    std::vector<std::string> notes;
    ReplaceFile(args.output, [&](ByteSink& sink) {
        notes = WriteProfile(sink, state, FormatOfOption(args.format), units, ground);
    });
    return notes;
}

}  // namespace

int RunConvert(const ConvertArgs& args, std::ostream& out, std::ostream& err)
{
    if (args.output.empty())
        throw UsageError("the file to write is missing: give OUT or -o OUTPUT");
    const std::optional<LengthUnit> given = UnitOfOption(args.units);
    LoadedProfile loaded = LoadAndTell(args.source, given, err, nullptr);
    RequireUnitsOfFile(args.units, loaded, "use --to-units to convert the lengths");
    LengthUnit unit = loaded.unit;
    if (const std::optional<LengthUnit> wanted = UnitOfOption(args.toUnits);
        wanted && *wanted != unit) {
        ConvertLengths(loaded.profile, unit, *wanted);
        ConvertGroundLengths(loaded.ground, unit, *wanted);
        if (!args.source.quiet)
            err << "ravo-calc: " << ConversionNote(unit, *wanted) << '\n';
        unit = *wanted;
    }
    ProfileState state;
    ApplyInputProfile(state, std::move(loaded.profile));
    const std::string target = args.output == "-" ? "standard output" : args.output;
    std::vector<std::string> notes;
    try {
        notes = WriteConverted(state, args, unit, loaded.ground, out);
    } catch (const ProfileNotContinuousError& e) {
        err << "ravo-calc convert: " << target << " was not written: " << e.what() << '\n';
        return ExitFaultsFound;
    } catch (const FileWriteError& e) {
        err << "ravo-calc convert: " << target << " was not written: " << e.what() << '\n';
        return ExitUsageOrLoad;
    } catch (const InputFileError& e) {
        // An input file as OUT: its writer names the file and the reason.
        err << "ravo-calc convert: " << target << " was not written: " << e.what() << '\n';
        return ExitUsageOrLoad;
    }
    if (!args.source.quiet)
        for (const std::string& note : notes)
            err << "ravo-calc: " << note << '\n';
    // Standard output holds the profile itself and nothing else.
    if (args.source.quiet || args.output == "-")
        return ExitSuccess;
    out << "Wrote " << args.output << " (" << state.NumVC
        << (state.NumVC == 1 ? " curve row" : " curve rows") << ").\n";
    return ExitSuccess;
}

}  // namespace ravo::calc
