#include "report.h"

#include <algorithm>
#include <cerrno>
#include <initializer_list>
#include <limits>
#include <set>
#include <system_error>

#include "numbers.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace ravo {
namespace {

// Start columns of the second to fifth field of a table or log line.
constexpr int FieldColumns[] = {15, 30, 45, 60};
constexpr int DateColumn = 47;

constexpr std::string_view StationPattern = "######.000";
constexpr std::string_view GradePattern = "0.########";
constexpr std::string_view LogValuePattern = "#####0.000";
constexpr std::string_view CountPattern = "##";

const std::string HyphenRule(67, '-');
const std::string EqualsRule(67, '=');

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

std::string Format(float value, std::string_view pattern)
{
    return FormatPattern(static_cast<double>(value), pattern);
}

// The first field in column 1, the others at the fixed field columns.
ReportLine Fields(std::initializer_list<std::string_view> fields)
{
    auto field = fields.begin();
    ReportLine line(*field++);
    for (int column : FieldColumns) {
        if (field == fields.end())
            break;
        line.At(column, *field++);
    }
    return line;
}

void Append(std::vector<std::string>& lines, const ReportLine& line)
{
    const std::vector<std::string>& physical = line.PhysicalLines();
    lines.insert(lines.end(), physical.begin(), physical.end());
}

ReportLine TableHead(std::string_view firstHeading)
{
    return Fields({firstHeading, "GRADE 1", "GRADE 2", "STA 1", "STA 2"});
}

void AppendTableRows(std::vector<std::string>& lines, const ProfileState& state, SegmentKind kind,
                     std::string_view startPattern)
{
    for (std::int32_t row = 1; row <= CountOf(state, kind); ++row) {
        const std::optional<SegmentRow> values = RowOf(state, kind, row);
        if (!values)
            break;  // a count beyond the rows that the tables hold
        Append(
            lines,
            Fields({Format(values->start, startPattern), Format(values->rate1, GradePattern),
                    Format(values->rate2, GradePattern), Format(values->station1, StationPattern),
                    Format(values->station2, StationPattern)}));
    }
}

std::string TwoDigits(int value)
{
    value = (value % 100 + 100) % 100;
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

// File numbers held by open report files, shared by every ReportFile. The
// program has one thread, so the set needs no lock.
std::set<std::int16_t>& NumbersInUse()
{
    static std::set<std::int16_t> inUse;
    return inUse;
}

std::int16_t TakeFreeNumber()
{
    std::set<std::int16_t>& inUse = NumbersInUse();
    std::int16_t number = 1;
    for (std::int16_t used : inUse) {
        if (used != number)
            break;
        if (number == std::numeric_limits<std::int16_t>::max())
            return 0;
        ++number;
    }
    inUse.insert(number);
    return number;
}

void ReleaseNumber(std::int16_t number) { NumbersInUse().erase(number); }

// Pushes what the system holds of the file onto the disk. A device or pipe
// that cannot be synchronised has nothing to push and is no failure.
bool SyncToDisk(std::FILE* file)
{
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    if (fsync(fileno(file)) == 0)
        return true;
    return errno == EINVAL || errno == EROFS;
#endif
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::string Reason(int error)
{
    return error == 0 ? std::string() : ": " + std::generic_category().message(error);
}

}  // namespace

ReportLine::ReportLine(std::string_view firstField) : lines_{std::string(firstField)} {}

ReportLine& ReportLine::At(int column, std::string_view field)
{
    const std::size_t width = static_cast<std::size_t>(std::max(column, 1) - 1);
    if (lines_.back().size() > width)
        lines_.emplace_back();
    lines_.back().resize(width, ' ');
    lines_.back() += field;
    return *this;
}

std::string ReportLine::Text() const
{
    std::string text = lines_.front();
    for (std::size_t i = 1; i < lines_.size(); ++i) {
        text += ReportLineEnd;
        text += lines_[i];
    }
    return text;
}

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

std::vector<std::string> EchoLines(const ProfileState& state, const std::tm& now, bool segmentTable)
{
    std::vector<std::string> lines;
    if (!state.OutputTitle.empty())
        lines.insert(lines.end(), {state.OutputTitle, ""});
    lines.insert(lines.end(), Banner().begin(), Banner().end());
    Append(lines,
           ReportLine("(Version " + CurrentVersionText() + ")").At(DateColumn, DateTimeText(now)));
    lines.emplace_back();
    if (!state.InputFileTitle.empty())
        lines.push_back("Input file  = " + state.InputFileTitle);
    lines.push_back("Output file = " + state.OutputFileTitle);
    lines.emplace_back();
    lines.push_back("Number of vertical curves = " +
                    FormatPattern(static_cast<double>(state.NumVC), CountPattern));
    lines.emplace_back();
    Append(lines, TableHead("ELEV 1"));
    lines.insert(lines.end(), {HyphenRule, ""});
    AppendTableRows(lines, state, SegmentKind::VerticalCurve, StationPattern);
    lines.emplace_back();
    lines.push_back("Number of superelevation segments = " + NumberText(state.NumSup));
    lines.emplace_back();
    if (segmentTable) {
        Append(lines, TableHead("SUPER 1"));
        lines.push_back(HyphenRule);
        AppendTableRows(lines, state, SegmentKind::Superelevation, GradePattern);
        lines.emplace_back();
    }
    return lines;
}

std::vector<std::string> LogHeaderLines()
{
    std::vector<std::string> lines = {EqualsRule, "E L E V A T I O N   C A L C U L A T I O N S",
                                      EqualsRule, ""};
    Append(lines, Fields({"STATION", "OFFSET", "SUPER", "ELEVATION"}));
    lines.insert(lines.end(), {HyphenRule, ""});
    return lines;
}

std::string LogLine(const ProfileState& state)
{
    return Fields({Format(state.CalcStation, LogValuePattern),
                   Format(state.CalcOffset, LogValuePattern), Format(state.CalcSuper, GradePattern),
                   Format(state.CalcElevation, LogValuePattern)})
        .Text();
}

ReportFile::~ReportFile() { Close(); }

void ReportFile::OpenForWriting(const std::string& path) { Open(path, "wb", "writing"); }

void ReportFile::OpenForAppending(const std::string& path) { Open(path, "ab", "appending"); }

void ReportFile::Open(const std::string& path, const char* mode, const char* purpose)
{
    Close();
    path_ = path;
    std::FILE* file = std::fopen(path.c_str(), mode);
    if (file == nullptr) {
        const int error = errno;
        throw ReportFileError("Cannot open the report file " + Quoted(path) + " for " + purpose +
                              Reason(error));
    }
    const std::int16_t number = TakeFreeNumber();
    if (number == 0) {
        std::fclose(file);
        throw ReportFileError("No free file number to open the report file " + Quoted(path));
    }
    file_ = file;
    number_ = number;
}

void ReportFile::Close()
{
    if (file_ == nullptr)
        return;
    // Every write has already reached the disk, so closing cannot lose lines.
    std::fclose(file_);
    file_ = nullptr;
    ReleaseNumber(number_);
    number_ = 0;
}

void ReportFile::WriteLines(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += ReportLineEnd;
    }
    Write(bytes);
}

void ReportFile::WriteLine(std::string_view line)
{
    std::string bytes(line);
    bytes += ReportLineEnd;
    Write(bytes);
}

void ReportFile::Write(const std::string& bytes)
{
    if (file_ == nullptr) {
        throw ReportFileError(path_.empty() ? "No report file is open"
                                            : "The report file " + Quoted(path_) + " is not open");
    }
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size() ||
        std::fflush(file_) != 0)
        FailAndClose(errno);
    if (!SyncToDisk(file_))
        FailAndClose(errno);
}

void ReportFile::FailAndClose(int error)
{
    Close();
    throw ReportFileError("Cannot write to the report file " + Quoted(path_) + Reason(error));
}

}  // namespace ravo
