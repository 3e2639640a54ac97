// Ownership of a POSIX file descriptor.
#pragma once

#include <unistd.h>

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

private:
    int fd_;
};

}  // namespace ravo
