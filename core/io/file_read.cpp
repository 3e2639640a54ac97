// Reading a whole regular file without blocking, or a whole pipe, within a
// size limit.
#include "core/io/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/io/unique_fd.h"

namespace ravo {
namespace {

[[noreturn]] void Fail(const std::string& path, int error)
{
    throw FileReadError(FileErrorText(path, error));
}

void RequireRegular(const std::string& path, const struct stat& info)
{
    if (!S_ISREG(info.st_mode))
        throw FileReadError(NotRegularFileText(path, info.st_mode));
}

std::uint64_t SizeOf(const struct stat& info)
{
    return info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
}

// Reads fd to its end into a text sized for `expected` bytes; the byte beyond
// tells a file that has grown since. Whatever comes is held to maxBytes as it
// is read, so that a pipe, whose size nobody knows, meets the same limit.
std::string ReadToEnd(int fd, const std::string& name, std::uint64_t expected,
                      std::uint64_t maxBytes)
{
    std::string bytes(static_cast<std::size_t>(expected) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() + (1 << 16));
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            Fail(name, errno);
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
        if (filled > maxBytes)
            Fail(name, EFBIG);
    }
    bytes.resize(filled);
    return bytes;
}

}  // namespace

std::string FileErrorText(const std::string& path, int error)
{
    return path + ": " + std::strerror(error);
}

std::string NotRegularFileText(const std::string& path, unsigned mode)
{
    const auto type = static_cast<mode_t>(mode) & S_IFMT;
    if (type == S_IFDIR)
        return FileErrorText(path, EISDIR);
    const char* kind = type == S_IFIFO                      ? " (a FIFO)"
                       : type == S_IFCHR || type == S_IFBLK ? " (a device)"
                       : type == S_IFSOCK                   ? " (a socket)"
                                                            : "";
    return path + ": Not a regular file" + kind;
}

std::string TooLargeForMemoryText(const std::string& path)
{
    return path + ": the file is too large for this machine (not enough memory)";
}

std::string ReadRegularFile(const std::string& path, std::uint64_t maxBytes)
{
    // Anything but a regular file is refused before it is opened: opening a
    // device can act on it. The open itself never waits (O_NONBLOCK), and the
    // file opened is checked again, in case it was swapped in between.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        Fail(path, errno);
    RequireRegular(path, info);
    const UniqueFd file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0)
        Fail(path, errno);
    if (::fstat(file.get(), &info) != 0)
        Fail(path, errno);
    RequireRegular(path, info);
    if (SizeOf(info) > maxBytes)
        Fail(path, EFBIG);
    return ReadToEnd(file.get(), path, SizeOf(info), maxBytes);
}

std::string ReadDescriptor(int fd, const std::string& name, std::uint64_t maxBytes)
{
    return ReadToEnd(fd, name, 0, maxBytes);
}

std::string ReadFileOrPipe(const std::string& path, std::uint64_t maxBytes)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        Fail(path, errno);
    if (!S_ISFIFO(info.st_mode))
        return ReadRegularFile(path, maxBytes);
    // Opening a pipe for reading never waits for a writer (O_NONBLOCK); the
    // reads then wait for what the writer sends, until it closes its end. A
    // named FIFO that nobody writes to reads as empty.
    const UniqueFd pipe(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (pipe.get() < 0)
        Fail(path, errno);
    if (::fstat(pipe.get(), &info) != 0)
        Fail(path, errno);
    if (!S_ISFIFO(info.st_mode))
        throw FileReadError(NotRegularFileText(path, info.st_mode));
    const int flags = ::fcntl(pipe.get(), F_GETFL);
    if (flags < 0 || ::fcntl(pipe.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        Fail(path, errno);
    return ReadToEnd(pipe.get(), path, 0, maxBytes);
}

}  // namespace ravo
