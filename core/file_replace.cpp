#include "file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace ravo {
namespace {

namespace fs = std::filesystem;

class StdioSink : public ByteSink {
public:
    explicit StdioSink(std::FILE* file) : file_(file) {}
    void Write(std::string_view bytes) override
    {
        if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
            throw FileWriteError(std::strerror(errno));
    }

private:
    std::FILE* file_;
};

}  // namespace

void ReplaceFile(const std::string& path, const std::function<void(ByteSink&)>& produce)
{
    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        throw FileWriteError(std::strerror(errno));
    try {
        StdioSink sink(file);
        produce(sink);
        if (std::fflush(file) != 0)
            throw FileWriteError(std::strerror(errno));
    } catch (...) {
        std::fclose(file);
        std::remove(temporary.c_str());
        throw;
    }
    std::fclose(file);
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        std::remove(temporary.c_str());
        throw FileWriteError(error.message());
    }
}

}  // namespace ravo
