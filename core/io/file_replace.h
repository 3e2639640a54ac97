// Writing a whole file so that a failure never leaves it half written: the new
// bytes go to a file beside the target, which replaces the target only when
// everything has been written and is on disk.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ravo {

// A file that could not be written or replaced. what() names the file and
// gives the reason in the system's words: "/mnt/usb/road.in: No space left on
// device".
class FileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Takes the bytes of a file being written, in order. Write throws
// FileWriteError when they cannot be written.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void Write(std::string_view bytes) = 0;
};

// Collects the bytes in memory.
class StringSink : public ByteSink {
public:
    void Write(std::string_view bytes) override { text.append(bytes); }
    std::string text;
};

// Replaces the file at path (creating it when missing) with what `produce`
// writes into the sink.
// - Only a regular file is replaced: a folder, FIFO, device or socket as the
//   target, or an existing file that cannot be opened for writing, is refused
//   before anything is written.
// - The bytes go to a new file beside the target, created under a name of its
//   own (TemporaryName, core/io/temporary_files.h), after the temporaries that
//   earlier saves of the target left behind when they were ended are removed;
//   it is flushed to disk, takes the target's permissions (and owner,
//   where allowed), and is renamed over the target; then the folder is flushed
//   so that the rename survives a power loss. Until then the previous file
//   stays as it was; an exception from `produce` leaves it untouched and is
//   passed on.
// - A symbolic link as the target stays a link: the file that it names is
//   replaced.
// - Where no file can be created beside an existing writable target (a folder
//   that the user may not write to), the target is rewritten in place behind
//   a backup (RewriteInPlace, core/io/rewrite_in_place.h): `produce` runs into
//   memory first; a failure leaves the file as it was, and a process ended
//   part way leaves the backup of the old bytes in BackupFolder().
// Throws FileWriteError when the file cannot be written or replaced.
void ReplaceFile(const std::string& path, const std::function<void(ByteSink&)>& produce);

}  // namespace ravo
