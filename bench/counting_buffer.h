// An output stream buffer and a byte sink that only count the bytes written
// to them, so that a benchmark measures the making of a text and not the disk.
#pragma once

#include <cstdint>
#include <streambuf>
#include <string_view>

#include "core/io/file_replace.h"

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

class CountingSink : public ByteSink {
public:
    std::uint64_t bytes = 0;
    void Write(std::string_view text) override { bytes += text.size(); }
};

}  // namespace ravo::bench
