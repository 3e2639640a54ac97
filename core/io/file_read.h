// Reading a whole file without surprises: only a regular file is read, opening
// it never blocks (a FIFO, a device or a socket is refused at once), and a file
// larger than the caller's limit is refused before any of it is read. For the
// command line, a pipe or standard input is read too, held to the same limit.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace ravo {

// A file that could not be read. what() names the file and gives the reason in
// the system's words: "/home/ann/road.in: No such file or directory".
class FileReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole content of the regular file at path (UTF-8). Throws FileReadError
// when the file cannot be opened or read, is not a regular file (a folder, a
// FIFO, a device, a socket), or holds more than maxBytes bytes.
std::string ReadRegularFile(const std::string& path, std::uint64_t maxBytes);

// Everything read from the open descriptor fd (standard input, say) until its
// end, held to maxBytes as it is read. `name` stands for the path in messages.
// Throws FileReadError.
std::string ReadDescriptor(int fd, const std::string& name, std::uint64_t maxBytes);

// As ReadRegularFile, and a pipe is read too: /dev/stdin when standard input
// is a pipe, a process substitution such as /dev/fd/63, a named FIFO. A pipe
// is read until its writer closes it and refused once it passes maxBytes.
std::string ReadFileOrPipe(const std::string& path, std::uint64_t maxBytes);

// The text of every file error: the path, a colon and the reason for the errno
// value `error` in the system's words.
std::string FileErrorText(const std::string& path, int error);

// The same for a file that is there but is no regular file; `mode` is its
// st_mode: "/dev/null: Not a regular file (a device)", "/tmp: Is a directory".
std::string NotRegularFileText(const std::string& path, unsigned mode);

// What the user is told when a file needs more memory than there is:
// "/home/ann/road.xml: the file is too large for this machine (not enough
// memory)".
std::string TooLargeForMemoryText(const std::string& path);

}  // namespace ravo
