// The report commands apart from any window: the one output report and its
// file number, choosing it, the input data echo, starting and stopping the
// elevation log and the elevations "Next" step. The desktop program's window
// and ravo-calc both drive the report through this.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <string_view>

#include "core/profile/profile_state.h"
#include "core/report/report.h"
#include "core/report/report_file.h"

namespace ravo {

// Why a report command did nothing; the caller says so to the user.
enum class ReportRefusal {
    None,          // the command ran
    NoOutputFile,  // no report has been chosen yet
    NoCurves,      // the curve count reads 0
};

// What the user is told of a refusal; "" for None.
std::string RefusalText(ReportRefusal refusal);

// Works on the report fields of the program-wide record: OutputPath,
// OutputFileTitle, OutputFileNum (always the number of the open report, 0
// when none is open), LoggingOn, PrevStation, VersionText and the current
// point. Every command that writes and fails closes the report and stops
// logging before the error (ReportFileError, or any other) reaches the caller,
// so the record is consistent whatever happened. The input file (InputPath,
// through links and second names) is never written as the report: a command
// that would is refused with ReportFileError.
class ReportSession {
public:
    explicit ReportSession(ProfileState& state);

    // The clock that dates the echo: the local time unless set.
    void SetClock(std::function<std::tm()> clock);

    bool HasOutputFile() const { return !state_.OutputPath.empty(); }

    // True when fileName is the current report's name (in any folder): the
    // user is asked before that report is taken again.
    bool IsCurrentName(const std::string& fileName) const;

    // Takes path as the report. Taking the current name again closes the open
    // report; another name leaves it open, so logged lines go on into it until
    // the echo or the start of logging opens the new one.
    void Choose(const std::string& path, const std::string& fileName);

    // Closes the report so that another program sees all of it; logging stays
    // as it is. Also what the program's end does.
    void Close();

    // The input data echo. The count texts are those of the two count boxes:
    // a curve count reading 0 is refused, a segment count reading 0 leaves the
    // segment table out. The echo is written beside the report and replaces it
    // only when complete, so a failure leaves the previous report as it was.
    // Afterwards the report is open for appending; logging is not touched.
    ReportRefusal Echo(std::string_view curveCountText, std::string_view segmentCountText);

    // Opens the report for appending, writes the log header and switches
    // logging on.
    ReportRefusal StartLogging();
    void StopLogging() { state_.LoggingOn = 0; }

    // Writes the log line of the current point (CalcStation, CalcOffset,
    // CalcSuper, CalcElevation) when logging is on, opening the report again
    // when viewing or a new choice has closed it. EachLine puts the line on
    // disk at once; AtSync holds it for SyncLog, so that a command that logs
    // many points waits for the disk once.
    enum class LineSync { EachLine, AtSync };
    void LogPoint(LineSync sync = LineSync::EachLine);
    // Puts the held log lines on disk.
    void SyncLog();

    // The elevations "Next" button: takes the station text as CalcStation, logs
    // the point and steps on by the distance from the station of the previous
    // press. Returns the text of the next station, with every digit that the
    // float holds. Throws OverflowError, changing nothing, when a station lies
    // beyond the float range; when the line cannot be written the step is not
    // taken, so that the press can be repeated.
    std::string Next(std::string_view stationText);

private:
    template <typename Command>
    void Guarded(Command command);
    void WriteEcho(bool segmentTable);
    void OpenForAppending();

    ProfileState& state_;
    ReportFile report_;
    std::function<std::tm()> clock_;
};

}  // namespace ravo
