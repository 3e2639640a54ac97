// Ownership of a POSIX file descriptor, and writing all of a text to one.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <utility>

namespace ravo {

// A file descriptor that is closed when it goes out of use, unless Close was
// called first, whose result then counts.
class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return fd_; }
    // False, errno set, when closing reports a write that failed late.
    bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }
    // Hands the descriptor on, no longer to be closed here.
    int Release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// Writes every byte, going on after an interrupted call. Gives 0, or the
// error that stopped it (EIO for a write that took nothing).
inline int WriteFully(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

}  // namespace ravo
