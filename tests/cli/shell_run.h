// The ravo-calc program run as a real process through the shell, for what only
// a process shows: the exit status and the bytes on standard output.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <ostream>
#include <string>

namespace ravo::calc {

struct ShellResult {
    int status = -1;  // -1 when the command did not exit by itself
    std::string out;
    bool operator==(const ShellResult&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const ShellResult& result)
{
    return os << "status " << result.status << ", output:\n" << result.out;
}

// Runs the command with sh; its standard error goes where the command sends it.
inline ShellResult RunShell(const std::string& command)
{
    ShellResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return result;
    std::array<char, 4096> buffer{};
    for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        result.out.append(buffer.data(), got);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace ravo::calc
