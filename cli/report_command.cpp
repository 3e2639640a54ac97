// ravo-calc's "report": the input data echo and an elevation log written as the desktop program
// writes them.
#include "report_command.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/formats/profile_file.h"
#include "core/ground/earthwork_text.h"
#include "core/profile/elevation_walk.h"
#include "core/report/report.h"
#include "core/report/report_file.h"
#include "core/report/report_layout.h"
#include "core/report/report_session.h"
#include "core/text/station_notation.h"
#include "ground_source.h"
#include "profile_source.h"

namespace ravo::calc {
namespace {

std::string FileNameOf(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

void ThrowIfRefused(ReportRefusal refusal)
{
    if (refusal != ReportRefusal::None)
        throw ReportRequestError(RefusalText(refusal));
}

// Walks the stations as presses of "Next" would after the station box showed
// each: `log` writes the line of each station with an elevation; a station
// where the desktop program says "Invalid Entry" is told on err instead.
template <typename Log>
std::uint64_t WalkStations(ProfileState& state, const StationWalk& walk, float offset,
                           std::ostream& err, const Log& log)
{
    ElevationWalk points(state);
    std::uint64_t invalid = 0;
    for (std::uint64_t k = 0; k < walk.Count(); ++k) {
        const float station = walk.At(k);
        const WalkPoint point = points.At(station, offset);
        if (!point.ok) {
            ++invalid;
            err << "ravo-calc: station " << StationText(station, false)
                << ": Invalid Entry, left out of the log (" << InvalidEntryReason(state, point)
                << ")\n";
            continue;
        }
        state.CalcStation = station;
        state.CalcOffset = offset;
        state.CalcSuper = point.super;
        state.CalcElevation = point.elevation;
        log();
    }
    return invalid;
}

// Logs each station into the report file; the lines reach the disk together
// at the end.
std::uint64_t LogStations(ProfileState& state, ReportSession& session, const StationWalk& walk,
                          float offset, std::ostream& err)
{
    ThrowIfRefused(session.StartLogging());
    const std::uint64_t invalid = WalkStations(
        state, walk, offset, err, [&] { session.LogPoint(ReportSession::LineSync::AtSync); });
    session.SyncLog();
    return invalid;
}

// The profile of the request, from standard input when the file is "-",
// and the ground lines the file carries.
struct ReportInput {
    ProfileState state;
    std::vector<GroundLine> ground;
};

ReportInput LoadReportProfile(const ReportRequest& request)
{
    LoadedProfile loaded = AnyProfileFromBytes(SourceBytes(request.inputPath), request.source);
    ReportInput input;
    ApplyInputProfile(input.state, std::move(loaded.profile));
    input.ground = std::move(loaded.ground);
    input.state.InputPath = request.inputPath;
    input.state.InputFileTitle = FileNameOf(request.inputPath);
    return input;
}

// The table of the ground and section, computed before anything is written,
// so that a refusal leaves the report as it was; nothing without --ground.
std::optional<EarthworkTable> EarthworkOf(const ReportRequest& request, const ReportInput& input,
                                          std::ostream& err)
{
    if (!request.earthwork)
        return std::nullopt;
    const ReportRequest::Earthwork& asked = *request.earthwork;
    const GroundProfile ground = LoadGround(asked.ground, input.ground, asked.quiet, err);
    EarthworkTable table = ComputeEarthwork(input.state, ground, asked.request);
    for (const std::string& note : table.notes)
        err << "ravo-calc: " << note << '\n';
    return table;
}

// The section, the table and its totals, as they follow the echo.
template <typename Line>
void WriteEarthworkSection(const EarthworkTable& table, const EarthworkRequest& request,
                           const Line& line)
{
    line("");
    line(SectionLine(request.section, request.interval));
    line("");
    WriteEarthworkLines(table, false, line);
    line("");
    WriteEarthworkSummary(table, false, line);
}

// The earthwork after the echo in the report file, on disk together.
void AppendEarthwork(const std::string& path, const EarthworkTable& table,
                     const EarthworkRequest& request)
{
    ReportFile file;
    file.OpenForAppending(path);
    WriteEarthworkSection(table, request, [&file](std::string_view line) { file.HoldLine(line); });
    file.Sync();
    file.Close();
}

// The same report on a stream, with the same refusals: the echo, the
// earthwork, then the log's header and lines.
std::uint64_t StreamReport(ProfileState& state, const std::optional<EarthworkTable>& earthwork,
                           const ReportRequest& request, std::ostream& out, std::ostream& err)
{
    if (state.NumVC == 0)
        throw ReportRequestError(RefusalText(ReportRefusal::NoCurves));
    state.OutputPath = request.outputPath;
    state.OutputFileTitle = request.outputPath;
    state.VersionText = CurrentVersionText();
    const auto line = [&out](std::string_view text) { out << text << ReportLineEnd; };
    WriteEchoLines(state, request.time, state.NumSup != 0, line);
    if (earthwork)
        WriteEarthworkSection(*earthwork, request.earthwork->request, line);
    if (!request.stations)
        return 0;
    for (const std::string& header : LogHeaderLines())
        line(header);
    state.LoggingOn = 1;
    return WalkStations(state, *request.stations, request.offset, err,
                        [&] { line(LogLine(state)); });
}

}  // namespace

std::tm ReportTime(const char* sourceDateEpoch)
{
    if (sourceDateEpoch == nullptr)
        return CurrentLocalTime();
    const std::string_view text(sourceDateEpoch);
    std::int64_t seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    std::tm time{};
    const auto moment = static_cast<std::time_t>(seconds);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || seconds < 0 ||
        gmtime_r(&moment, &time) == nullptr)
        throw ReportRequestError(
            "SOURCE_DATE_EPOCH must be a whole number of seconds since 1970, not \"" +
            std::string(text) + "\"");
    return time;
}

std::uint64_t WriteReport(const ReportRequest& request, std::ostream& err)
{
    ReportInput input = LoadReportProfile(request);
    const std::optional<EarthworkTable> earthwork = EarthworkOf(request, input, err);
    ProfileState& state = input.state;
    ReportSession session(state);
    session.SetClock([&] { return request.time; });
    session.Choose(request.outputPath, FileNameOf(request.outputPath));
    // The count boxes show the counts as read.
    ThrowIfRefused(session.Echo(std::to_string(state.NumVC), std::to_string(state.NumSup)));
    if (earthwork)
        AppendEarthwork(request.outputPath, *earthwork, request.earthwork->request);
    if (!request.stations)
        return 0;
    return LogStations(state, session, *request.stations, request.offset, err);
}

std::uint64_t WriteReport(const ReportRequest& request, std::ostream& out, std::ostream& err)
{
    if (request.outputPath != "-")
        return WriteReport(request, err);
    ReportInput input = LoadReportProfile(request);
    const std::optional<EarthworkTable> earthwork = EarthworkOf(request, input, err);
    return StreamReport(input.state, earthwork, request, out, err);
}

}  // namespace ravo::calc
