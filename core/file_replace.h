// Writing a whole file so that a failure never leaves it half written: the new
// bytes go to a file beside the target, which replaces the target only when
// everything has been written.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ravo {

// A file that could not be written or replaced; what() gives the reason in the
// system's words.
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

// Replaces the file at path (creating it when missing) with what `produce`
// writes into the sink. Until `produce` has returned and the bytes are on disk
// the previous file stays as it was; an exception from `produce` leaves it
// untouched and is passed on. Throws FileWriteError when the file cannot be
// written or replaced.
void ReplaceFile(const std::string& path, const std::function<void(ByteSink&)>& produce);

}  // namespace ravo
