// The input data echo and the elevation log of the output report.
#include "core/report/report.h"

#include <utility>

#include "core/text/numbers.h"
#include "core/version.h"

namespace ravo {
namespace {

const std::vector<std::string>& Banner()
{
    static const std::vector<std::string> banner = [] {
        std::string stars;
        for (int i = 0; i < 33; ++i)
            stars += i == 0 ? "*" : " *";
        const std::string empty = "*" + std::string(63, ' ') + "*";
        const std::string name =
            "*" + std::string(20, ' ') + "P R O G R A M   R A V O" + std::string(20, ' ') + "*";
        const std::string echo =
            "*" + std::string(24, ' ') + "INPUT DATA ECHO" + std::string(24, ' ') + "*";
        return std::vector<std::string>{stars, empty, name, empty, echo, empty, stars};
    }();
    return banner;
}

// How the first field of a table row is written: elevations as stations,
// superelevations as grades.
using StartText = std::string (*)(double);
void Put(const LineSink& sink, const ReportLine& line)
{
    for (const std::string& physical : line.PhysicalLines())
        sink(physical);
}

ReportLine TableHead(std::string_view firstHeading)
{
    return ReportFields({firstHeading, "GRADE 1", "GRADE 2", "STA 1", "STA 2"});
}

void PutTableRows(const LineSink& sink, const ProfileState& state, SegmentKind kind,
                  StartText startText)
{
    ForEachRow(state, kind, [&](std::int32_t, const SegmentRow& row) {
        Put(sink, ReportFields({startText(row.start), GradeText(row.rate1), GradeText(row.rate2),
                                TableValueText(row.station1), TableValueText(row.station2)}));
    });
}

std::string TwoDigits(int value)
{
    value = (value % 100 + 100) % 100;
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

}  // namespace

std::string VersionText(int major, int minor, int revision)
{
    const std::string joined =
        std::to_string(major) + "." + std::to_string(minor) + std::to_string(revision);
    return NumberText(LeadingNumber(joined));
}

std::string CurrentVersionText()
{
    return VersionText(RavoVersionMajor, RavoVersionMinor, RavoVersionRevision);
}

std::string DateTimeText(const std::tm& time)
{
    const int hour = (time.tm_hour % 24 + 24) % 24;
    const int clockHour = hour % 12 == 0 ? 12 : hour % 12;
    return std::to_string(time.tm_mon + 1) + "/" + TwoDigits(time.tm_mday) + "/" +
           TwoDigits(time.tm_year + 1900) + ", " + std::to_string(clockHour) + ":" +
           TwoDigits(time.tm_min) + (hour < 12 ? " am" : " pm");
}

std::tm CurrentLocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

void WriteEchoLines(const ProfileState& state, const std::tm& now, bool segmentTable,
                    const LineSink& sink)
{
    if (!state.OutputTitle.empty()) {
        sink(state.OutputTitle);
        sink("");
    }
    for (const std::string& line : Banner())
        sink(line);
    Put(sink,
        ReportLine("(Version " + CurrentVersionText() + ")").At(DateColumn, DateTimeText(now)));
    sink("");
    if (!state.InputFileTitle.empty())
        sink("Input file  = " + state.InputFileTitle);
    sink("Output file = " + state.OutputFileTitle);
    sink("");
    sink("Number of vertical curves = " + CountText(static_cast<double>(state.NumVC)));
    sink("");
    Put(sink, TableHead("ELEV 1"));
    sink(HyphenRule);
    sink("");
    PutTableRows(sink, state, SegmentKind::VerticalCurve, TableValueText);
    sink("");
    sink("Number of superelevation segments = " + NumberText(state.NumSup));
    sink("");
    if (segmentTable) {
        Put(sink, TableHead("SUPER 1"));
        sink(HyphenRule);
        PutTableRows(sink, state, SegmentKind::Superelevation, GradeText);
        sink("");
    }
}

std::vector<std::string> LogHeaderLines()
{
    std::vector<std::string> lines = {EqualsRule, "E L E V A T I O N   C A L C U L A T I O N S",
                                      EqualsRule, ""};
    const ReportLine head = LogHeadingLine();
    lines.insert(lines.end(), head.PhysicalLines().begin(), head.PhysicalLines().end());
    lines.insert(lines.end(), {HyphenRule, ""});
    return lines;
}

std::string LogLine(const ProfileState& state)
{
    return ReportFields({ElevationText(state.CalcStation), ElevationText(state.CalcOffset),
                         GradeText(state.CalcSuper), ElevationText(state.CalcElevation)})
        .Text();
}

}  // namespace ravo
