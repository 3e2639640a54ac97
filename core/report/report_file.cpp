// The one output report file, held open for appending between commands.
#include "core/report/report_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <set>
#include <system_error>
#include <utility>

#include "core/io/file_read.h"
#include "core/io/unique_fd.h"
#include "core/report/report_layout.h"

namespace ravo {
namespace {

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

// Puts what the system holds of the file on the disk. A file system that
// cannot synchronise has nothing to push and is no failure.
bool SyncToDisk(int descriptor)
{
    return fsync(descriptor) == 0 || errno == EINVAL || errno == EROFS;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::string Reason(int error)
{
    return error == 0 ? std::string() : ": " + std::generic_category().message(error);
}

// A pipe (standard output sent on to another program among them), a device,
// a socket or a folder: "/dev/stdout: Not a regular file (a FIFO)".
std::string NotRegularText(const std::string& path, unsigned mode)
{
    return "The report must be a regular file; " + NotRegularFileText(path, mode);
}

}  // namespace

ReportFile::~ReportFile() { Close(); }

void ReportFile::OpenForAppending(const std::string& path)
{
    Close();
    path_ = path;
    // Without O_NONBLOCK a pipe with no reader would block here for ever.
    UniqueFd descriptor(
        open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666));
    if (descriptor.get() < 0) {
        const int error = errno;
        throw ReportFileError("Cannot open the report file " + Quoted(path) + " for appending" +
                              Reason(error));
    }
    struct stat info {};
    if (fstat(descriptor.get(), &info) != 0) {
        const int error = errno;
        throw ReportFileError("Cannot open the report file " + Quoted(path) + Reason(error));
    }
    if (!S_ISREG(info.st_mode))
        throw ReportFileError(NotRegularText(path, info.st_mode));
    const std::int16_t number = TakeFreeNumber();
    if (number == 0)
        throw ReportFileError("No free file number to open the report file " + Quoted(path));
    descriptor_ = descriptor.Release();
    number_ = number;
}

void ReportFile::Close()
{
    if (descriptor_ < 0)
        return;
    // Held lines go out now; a write that fails is taken back, and what was
    // written before is kept.
    if (!held_.empty() && Append(std::exchange(held_, {})) == 0)
        static_cast<void>(SyncToDisk(descriptor_));
    close(descriptor_);
    descriptor_ = -1;
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

void ReportFile::HoldLine(std::string_view line)
{
    RequireOpen();
    held_ += line;
    held_ += ReportLineEnd;
    if (held_.size() >= HeldBytes)
        WriteHeld();
}

void ReportFile::Sync()
{
    RequireOpen();
    WriteHeld();
    if (!SyncToDisk(descriptor_))
        FailAndClose(errno);
}

void ReportFile::RequireOpen() const
{
    if (descriptor_ < 0) {
        throw ReportFileError(path_.empty() ? "No report file is open"
                                            : "The report file " + Quoted(path_) + " is not open");
    }
}

// Lines go out in the order they were given: held ones first.
void ReportFile::Write(std::string_view bytes)
{
    RequireOpen();
    WriteHeld();
    if (const int error = Append(bytes); error != 0)
        FailAndClose(error);
    if (!SyncToDisk(descriptor_))
        FailAndClose(errno);
}

void ReportFile::WriteHeld()
{
    if (held_.empty())
        return;
    if (const int error = Append(std::exchange(held_, {})); error != 0)
        FailAndClose(error);
}

// Writes the bytes at the end of the file; gives 0 or the error. What was
// written of bytes that failed part way is taken back; when even that fails,
// the error already says what went wrong.
int ReportFile::Append(std::string_view bytes)
{
    struct stat info {};
    if (fstat(descriptor_, &info) != 0)
        return errno;
    const int error = WriteFully(descriptor_, bytes);
    if (error != 0) {
        const int takenBack = ftruncate(descriptor_, info.st_size);
        static_cast<void>(takenBack);
    }
    return error;
}

void ReportFile::FailAndClose(int error)
{
    held_.clear();  // lines that could not be written are not tried again
    Close();
    throw ReportFileError("Cannot write to the report file " + Quoted(path_) + Reason(error));
}

void RequireRegularOrMissing(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        throw ReportFileError(NotRegularText(path, info.st_mode));
}

}  // namespace ravo
