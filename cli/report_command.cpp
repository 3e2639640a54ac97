// ravo-calc's "report": the input data echo and an elevation log written as the desktop program
// writes them.
#include "report_command.h"

#include <charconv>
#include <cstdint>
#include <filesystem>

#include "core/formats/profile_file.h"
#include "core/ground/earthwork_text.h"
#include "core/profile/elevation_walk.h"
#include "core/report/report_file.h"
#include "core/report/report_session.h"
#include "core/text/station_notation.h"
#include "ground_source.h"

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

// Logs each station of the walk as a press of "Next" would after the station
// box showed it; the lines reach the disk together at the end.
std::uint64_t LogStations(ProfileState& state, ReportSession& session, const StationWalk& walk,
                          float offset, std::ostream& err)
{
    ThrowIfRefused(session.StartLogging());
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
        session.LogPoint(ReportSession::LineSync::AtSync);
    }
    session.SyncLog();
    return invalid;
}

// The table of the ground and section, computed before anything is written,
// so that a refusal leaves the report as it was.
EarthworkTable EarthworkOf(const ReportRequest::Earthwork& asked, const ProfileState& state,
                           const std::vector<GroundLine>& lines, std::ostream& err)
{
    const GroundProfile ground = LoadGround(asked.ground, lines, asked.quiet, err);
    EarthworkTable table = ComputeEarthwork(state, ground, asked.request);
    for (const std::string& note : table.notes)
        err << "ravo-calc: " << note << '\n';
    return table;
}

// The section, the table and its totals after the echo, on disk together.
void AppendEarthwork(const std::string& path, const EarthworkTable& table,
                     const EarthworkRequest& request)
{
    ReportFile file;
    file.OpenForAppending(path);
    const auto hold = [&file](std::string_view line) { file.HoldLine(line); };
    hold("");
    hold(SectionLine(request.section, request.interval));
    hold("");
    WriteEarthworkLines(table, false, hold);
    hold("");
    WriteEarthworkSummary(table, false, hold);
    file.Sync();
    file.Close();
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
    LoadedProfile loaded = ReadAnyProfile(request.inputPath, request.source);
    ProfileState state;
    ApplyInputProfile(state, std::move(loaded.profile));
    std::optional<EarthworkTable> earthwork;
    if (request.earthwork)
        earthwork = EarthworkOf(*request.earthwork, state, loaded.ground, err);
    state.InputPath = request.inputPath;
    state.InputFileTitle = FileNameOf(request.inputPath);
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

}  // namespace ravo::calc
