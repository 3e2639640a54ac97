// ravo-calc's commands and options, and the exit status of each outcome.
#include "ravo_calc_app.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <new>
#include <stdexcept>

#include "command_help.h"
#include "core/design/profile_check.h"
#include "core/formats/input_file.h"
#include "core/formats/profile_file.h"
#include "core/formats/pvi_mapping.h"
#include "core/io/file_read.h"
#include "core/report/curve_summary_text.h"
#include "core/report/report.h"
#include "core/report/report_file.h"
#include "core/text/numbers.h"
#include "core/text/station_notation.h"
#include "core/version.h"
#include "csv_output.h"
#include "earthwork_help.h"
#include "elevation_table.h"
#include "fit_command.h"
#include "ground_source.h"
#include "json_output.h"
#include "name_check.h"
#include "profile_commands.h"
#include "profile_source.h"
#include "progress.h"
#include "report_command.h"

namespace ravo::calc {
namespace {

std::string FailureText(const std::string& what, const std::string& command = "")
{
    return "ravo-calc" + (command.empty() ? "" : " " + command) + ": " + what +
           "\nRun \"ravo-calc --help\" or \"ravo-calc COMMAND --help\" for more information.\n";
}

std::string FailureMessage(const CLI::App*, const CLI::Error& e) { return FailureText(e.what()); }

class CommandLine {
public:
    CommandLine() : app_(Description, "ravo-calc")
    {
        app_.footer(MainFooter);
        app_.require_subcommand(1);
        app_.set_version_flag("--version", "ravo-calc " + std::string(RavoVersion));
        app_.failure_message(FailureMessage);
        // The program's options are taken after the command too.
        app_.fallthrough();
        app_.add_flag("-q,--quiet", quiet_,
                      "silence the notes of imports and the \"Wrote ...\" lines");
        AddTable();
        AddCurves();
        AddCheck();
        AddReport();
        AddConvert();
        earthwork_ = app_.add_subcommand("earthwork", EarthworkDescription);
        earthwork_->footer(EarthworkFooter);
        AddEarthworkOptions(earthwork_, earthworkArgs_);
        AddFit();
    }

    int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
    {
        if (args.empty()) {
            err << app_.help();
            return ExitUsageOrLoad;
        }
        try {
            CheckNames(app_, args);
        } catch (const UnknownNameError& e) {
            err << FailureText(e.what(), e.command);
            return ExitUsageOrLoad;
        }
        try {
            std::vector<std::string> reversed(args.rbegin(), args.rend());  // as CLI11 takes them
            app_.parse(reversed);
        } catch (const CLI::ParseError& e) {
            // Help and version give 0; every other parse error is wrong usage.
            return app_.exit(e, out, err) == 0 ? ExitSuccess : ExitUsageOrLoad;
        }
        const int status = RunCommand(out, err);
        out.flush();
        if (!out) {
            err << "ravo-calc: the output could not be written\n";
            return ExitUsageOrLoad;
        }
        return status;
    }

private:
    CLI::App* AddCommand(const char* name, const char* description, const char* footer,
                         SourceArgs& source)
    {
        CLI::App* command = app_.add_subcommand(name, description);
        command->footer(footer);
        AddSourceOptions(command, source);
        return command;
    }

    static void AddPlus(CLI::App* command, bool& plus)
    {
        command->add_flag("--plus", plus, "print stations in road-station notation (12+34.560)");
    }

    void AddTable()
    {
        table_ = AddCommand("table", "elevations at evenly spaced stations and at offsets",
                            TableFooter, tableArgs_.source);
        table_->add_option("--from", tableArgs_.from, "first station")
            ->required()
            ->type_name("STATION");
        table_->add_option("--to", tableArgs_.to, "last station")->required()->type_name("STATION");
        table_->add_option("--step", tableArgs_.step, "distance between stations")
            ->required()
            ->type_name("DISTANCE");
        table_
            ->add_option("--offset", tableArgs_.offsets,
                         "offsets from the profile grade line, comma separated (default 0)")
            ->type_name("OFFSET")
            ->delimiter(',')
            ->allow_extra_args(false)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
        table_->add_option("--ground", tableArgs_.ground, TableGroundHelp)->type_name("FILE|NAME");
        table_->add_flag("--csv", tableArgs_.csv, "write CSV (RFC 4180) with a header row");
        AddPlus(table_, tableArgs_.plus);
    }

    void AddCurves()
    {
        curves_ = AddCommand("curves", "summary of each vertical curve and superelevation segment",
                             CurvesFooter, curvesArgs_.source);
        AddDesignOptions(curves_, curvesArgs_.design, false);
        AddPlus(curves_, curvesArgs_.plus);
        CLI::Option* json =
            curves_->add_flag("--json", curvesArgs_.json,
                              "write the summaries as JSON (see \"ravo-calc curves --help\")");
        curves_
            ->add_flag("--csv", curvesArgs_.csv,
                       "write the summaries as a CSV table (see \"ravo-calc curves --help\")")
            ->excludes(json);
    }

    void AddCheck()
    {
        check_ = AddCommand("check", "faults of the profile; exit status 1 when there are any",
                            CheckFooter, checkArgs_.source);
        check_
            ->add_option("--tolerance", checkArgs_.tolerance,
                         "largest elevation difference allowed where curves meet")
            ->type_name("NUMBER")
            ->capture_default_str();
        check_
            ->add_option("--grade-tolerance", checkArgs_.gradeTolerance,
                         "largest grade or superelevation difference allowed at a joint")
            ->type_name("NUMBER")
            ->capture_default_str();
        AddDesignOptions(check_, checkArgs_.design, true);
        AddPlus(check_, checkArgs_.plus);
        CLI::Option* json = check_->add_flag(
            "--json", checkArgs_.json, "write the faults as JSON (see \"ravo-calc check --help\")");
        check_
            ->add_flag("--csv", checkArgs_.csv,
                       "write the faults as a CSV table (see \"ravo-calc check --help\")")
            ->excludes(json);
    }

    void AddReport()
    {
        report_ = AddCommand("report", "the output report: input data echo and elevation log",
                             ReportHelp, reportArgs_.source);
        report_
            ->add_option("-o,--output", reportArgs_.output,
                         "the report file to write; - for standard output")
            ->required()
            ->type_name("OUTPUT");
        CLI::Option* from = report_->add_option("--from", reportArgs_.from, "first logged station")
                                ->type_name("STATION");
        CLI::Option* to = report_->add_option("--to", reportArgs_.to, "last logged station")
                              ->type_name("STATION");
        CLI::Option* step =
            report_->add_option("--step", reportArgs_.step, "distance between logged stations")
                ->type_name("DISTANCE");
        from->needs(to)->needs(step);
        to->needs(from)->needs(step);
        step->needs(from)->needs(to);
        report_->add_option("--offset", reportArgs_.offset, "offset of the logged points")
            ->type_name("OFFSET")
            ->capture_default_str();
        CLI::Option* ground = report_->add_option("--ground", reportArgs_.ground, ReportGroundHelp)
                                  ->type_name("FILE|NAME");
        AddSectionOptions(report_, reportArgs_.section, false, ground);
    }

    void AddConvert()
    {
        convert_ = app_.add_subcommand(
            "convert", "write the profile as LandXML, a PVI table or a Ravo input file");
        convert_->footer(ConvertFooter);
        AddConvertOptions(convert_, convertArgs_);
    }

    void AddFit()
    {
        fit_ = app_.add_subcommand("fit", "the grade line of least earthwork over a ground line");
        fit_->footer(FitFooter);
        AddFitOptions(fit_, fitArgs_);
    }

    int RunCommand(std::ostream& out, std::ostream& err)
    {
        const std::string& file = table_->parsed()       ? tableArgs_.source.file
                                  : curves_->parsed()    ? curvesArgs_.source.file
                                  : convert_->parsed()   ? convertArgs_.source.file
                                  : report_->parsed()    ? reportArgs_.source.file
                                  : earthwork_->parsed() ? earthworkArgs_.source.file
                                  : fit_->parsed()       ? fitArgs_.ground
                                                         : checkArgs_.source.file;
        const std::string command = app_.get_subcommands().front()->get_name();
        for (SourceArgs* source :
             {&tableArgs_.source, &curvesArgs_.source, &checkArgs_.source, &convertArgs_.source,
              &reportArgs_.source, &earthworkArgs_.source, &fitArgs_.compare})
            source->quiet = quiet_;
        try {
            if (table_->parsed())
                return RunTable(tableArgs_, out, err);
            if (curves_->parsed())
                return RunCurves(curvesArgs_, out, err);
            if (convert_->parsed())
                return RunConvert(convertArgs_, out, err);
            if (report_->parsed())
                return RunReport(reportArgs_, out, err);
            if (earthwork_->parsed())
                return RunEarthwork(earthworkArgs_, out, err);
            if (fit_->parsed())
                return RunFit(fitArgs_, out, err);
            return RunCheck(checkArgs_, out, err);
        } catch (const InputFileError& e) {
            err << LoadErrorLine(file, e.what()) << '\n';
        } catch (const ReportFileError& e) {
            err << "ravo-calc " << command << ": Unable to write output file: " << e.what() << '\n';
        } catch (const std::bad_alloc&) {
            err << "ravo-calc " << command << ": " << TooLargeForMemoryText(file) << '\n';
        } catch (const std::exception& e) {
            // A refused request (usage, table or report), or out of memory:
            // never a crash or a silent success.
            err << "ravo-calc " << command << ": " << e.what() << '\n';
        }
        return ExitUsageOrLoad;
    }

    CLI::App app_;
    CLI::App* table_ = nullptr;
    CLI::App* curves_ = nullptr;
    CLI::App* check_ = nullptr;
    CLI::App* convert_ = nullptr;
    CLI::App* report_ = nullptr;
    CLI::App* earthwork_ = nullptr;
    CLI::App* fit_ = nullptr;
    TableArgs tableArgs_;
    CurvesArgs curvesArgs_;
    CheckArgs checkArgs_;
    ConvertArgs convertArgs_;
    ReportArgs reportArgs_;
    EarthworkArgs earthworkArgs_;
    FitArgs fitArgs_;
    bool quiet_ = false;
};

}  // namespace

int RunRavoCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CommandLine commandLine;
    return commandLine.Run(args, out, err);
}

}  // namespace ravo::calc
