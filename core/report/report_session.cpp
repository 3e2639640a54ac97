// The report commands: choosing the report, the echo, and starting, writing and stopping the log.
#include "core/report/report_session.h"

#include <sys/stat.h>

#include <utility>

#include "core/io/file_replace.h"
#include "core/text/numbers.h"

namespace ravo {
namespace {

// LeadingNumber of a count box's text; a text too large to read is no zero.
double CountTextNumber(std::string_view text)
{
    try {
        return LeadingNumber(text);
    } catch (const OverflowError&) {
        return 1;
    }
}

// The input file is never taken as the report: the echo would replace the
// profile that it lists, and a log would be appended to it. Both names are
// followed through links, and a second name of the same file (a hard link)
// is the same file too.
void RefuseTheInputFile(const ProfileState& state)
{
    struct stat report {};
    struct stat input {};
    if (state.InputPath.empty() || ::stat(state.OutputPath.c_str(), &report) != 0 ||
        ::stat(state.InputPath.c_str(), &input) != 0)
        return;
    if (report.st_dev == input.st_dev && report.st_ino == input.st_ino)
        throw ReportFileError("The report \"" + state.OutputPath + "\" is the input file \"" +
                              state.InputPath +
                              "\"; nothing was written. Choose another output file.");
}

}  // namespace

ReportSession::ReportSession(ProfileState& state) : state_(state), clock_(CurrentLocalTime) {}

void ReportSession::SetClock(std::function<std::tm()> clock) { clock_ = std::move(clock); }

bool ReportSession::IsCurrentName(const std::string& fileName) const
{
    return fileName == state_.OutputFileTitle;
}

void ReportSession::Choose(const std::string& path, const std::string& fileName)
{
    if (IsCurrentName(fileName))
        Close();
    state_.OutputPath = path;
    state_.OutputFileTitle = fileName;
}

void ReportSession::Close()
{
    report_.Close();
    state_.OutputFileNum = report_.Number();
}

// Runs a command that writes to the report. Whatever it throws, the report is
// closed and logging stops, so that no later line goes where the user does not
// expect it; the record names no file that is not open.
template <typename Command>
void ReportSession::Guarded(Command command)
{
    try {
        command();
        state_.OutputFileNum = report_.Number();
    } catch (...) {
        Close();
        state_.LoggingOn = 0;
        throw;
    }
}

ReportRefusal ReportSession::Echo(std::string_view curveCountText,
                                  std::string_view segmentCountText)
{
    if (!HasOutputFile())
        return ReportRefusal::NoOutputFile;
    if (CountTextNumber(curveCountText) == 0)
        return ReportRefusal::NoCurves;
    const bool segmentTable = CountTextNumber(segmentCountText) != 0;
    Guarded([&] { WriteEcho(segmentTable); });
    return ReportRefusal::None;
}

void ReportSession::WriteEcho(bool segmentTable)
{
    const std::string& path = state_.OutputPath;
    RequireRegularOrMissing(path);
    RefuseTheInputFile(state_);
    report_.Close();
    state_.VersionText = CurrentVersionText();
    const std::tm now = clock_();
    try {
        // The sink gathers the lines into few writes.
        ReplaceFile(path, [&](ByteSink& sink) {
            WriteEchoLines(state_, now, segmentTable, [&](std::string_view line) {
                sink.Write(line);
                sink.Write(ReportLineEnd);
            });
        });
    } catch (const FileWriteError& error) {
        throw ReportFileError("Cannot write the report file \"" + path + "\": " + error.what());
    }
    report_.OpenForAppending(path);
}

void ReportSession::OpenForAppending()
{
    RefuseTheInputFile(state_);
    report_.OpenForAppending(state_.OutputPath);
}

ReportRefusal ReportSession::StartLogging()
{
    if (!HasOutputFile())
        return ReportRefusal::NoOutputFile;
    Guarded([&] {
        OpenForAppending();
        report_.WriteLines(LogHeaderLines());
        state_.LoggingOn = 1;
    });
    return ReportRefusal::None;
}

void ReportSession::LogPoint(LineSync sync)
{
    if (state_.LoggingOn != 1)
        return;
    Guarded([&] {
        if (!report_.IsOpen())
            OpenForAppending();
        if (sync == LineSync::EachLine)
            report_.WriteLine(LogLine(state_));
        else
            report_.HoldLine(LogLine(state_));
    });
}

void ReportSession::SyncLog()
{
    if (report_.IsOpen())
        Guarded([&] { report_.Sync(); });
}

std::string ReportSession::Next(std::string_view stationText)
{
    const float station = ToFloat(LeadingNumber(stationText));
    const float step = ToFloat(static_cast<double>(station) - state_.PrevStation);
    const float next = ToFloat(static_cast<double>(station) + step);
    state_.CalcStation = station;
    LogPoint();
    // The step is taken only once the point is logged.
    state_.PrevStation = station;
    // Every digit the float holds: the next press reads the station back from
    // the box, and seven digits would let it drift.
    return ExactNumberText(next);
}

std::string RefusalText(ReportRefusal refusal)
{
    switch (refusal) {
    case ReportRefusal::NoOutputFile:
        return "Please specify output filename";
    case ReportRefusal::NoCurves:
        return "No curves are specified";
    case ReportRefusal::None:
        break;
    }
    return "";
}

}  // namespace ravo
