// The output report file: held open for appending between commands under a
// file number, every line on disk once written.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ravo {

// A report file that cannot be opened or written; the message names the file.
class ReportFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The one output report, held open for appending between commands under a
// file number. WriteLine and WriteLines put their lines on disk before they
// return, so nothing written is lost when the program is ended or the machine
// fails; a command that writes many lines holds them with HoldLine and puts
// them on disk once, with Sync, at its end. A write that fails part way is
// taken back: the file never ends in a torn line.
//
// File numbers are the lowest positive number that no open ReportFile holds.
// Number() is the number of the open file and 0 whenever none is open: before
// any opening, after Close() and after any failure, so a stored number never
// names a file that is not open. On any failure the file is closed before the
// error is thrown.
class ReportFile {
public:
    ReportFile() = default;
    ~ReportFile();
    ReportFile(const ReportFile&) = delete;
    ReportFile& operator=(const ReportFile&) = delete;

    // Closes what is open, takes a free number and opens path for appending:
    // what the file holds stays in front of the new lines; a missing file is
    // created. Only a regular file is opened: a pipe, device, socket or folder
    // is refused at once, without waiting for a reader.
    void OpenForAppending(const std::string& path);

    // Closing when nothing is open does nothing.
    void Close();

    bool IsOpen() const { return descriptor_ >= 0; }
    std::int16_t Number() const { return number_; }
    // The open file, or the one last opened or tried.
    const std::string& Path() const { return path_; }

    // Writes each line followed by ReportLineEnd and puts them on disk. Throws
    // ReportFileError when nothing is open or the writing fails; the file then
    // holds what it held before the call.
    void WriteLines(const std::vector<std::string>& lines);
    void WriteLine(std::string_view line);

    // Adds the line and its ReportLineEnd to the lines held for Sync; they
    // are written whenever enough have gathered, and closing writes the rest.
    // Throws ReportFileError as WriteLine does, when nothing is open or a
    // write fails; the lines of the failed write are taken back whole.
    void HoldLine(std::string_view line);
    // Writes the held lines and puts everything written on disk.
    void Sync();

private:
    // Held lines are written when this many bytes have gathered.
    static constexpr std::size_t HeldBytes = 1 << 16;

    void RequireOpen() const;
    void Write(std::string_view bytes);
    void WriteHeld();
    int Append(std::string_view bytes);
    [[noreturn]] void FailAndClose(int error);

    int descriptor_ = -1;
    std::int16_t number_ = 0;
    std::string path_;
    std::string held_;
};

// Throws ReportFileError when path names something other than a regular file
// (a pipe, a device, a socket, a folder): a report is only ever written into
// a regular file. A missing file passes.
void RequireRegularOrMissing(const std::string& path);

}  // namespace ravo
