// An output stream buffer that only counts the bytes written to it, so that a
// benchmark measures the making of a text and not the disk.
#pragma once

#include <cstdint>
#include <streambuf>

namespace ravo::bench {

class CountingBuffer : public std::streambuf {
public:
    std::uint64_t bytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize count) override
    {
        bytes += static_cast<std::uint64_t>(count);
        return count;
    }
    int_type overflow(int_type c) override
    {
        ++bytes;
        return traits_type::not_eof(c);
    }
};

}  // namespace ravo::bench
