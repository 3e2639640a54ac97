// Helpers of the tests that read and write real files: a folder of their own,
// and a child process that meets the faults a user meets even when the tests
// run as root (CI does): it drops to the unprivileged user nobody, so that
// permissions hold, and may be held to a file size limit, which root cannot
// pass either, so that a write fails as on a full disk.
#pragma once

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace ravo::test {

namespace fs = std::filesystem;

// Limits every file that this process writes to `bytes`: a disk that fills,
// which not even root can write past. Gives the limit before, for setrlimit to
// put back. A write beyond it fails with EFBIG instead of ending the process.
inline rlimit LimitFileSize(rlim_t bytes)
{
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limit = previous;
    limit.rlim_cur = bytes;
    if (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        throw std::runtime_error("cannot limit the file size");
    return previous;
}

// A fresh folder, open to every user, removed with all it holds at the end.
class TempFolder {
public:
    // In /tmp when running as root, where the user nobody can reach it
    // whatever TMPDIR says.
    TempFolder()
        : path_((::geteuid() == 0 ? fs::path("/tmp") : fs::temp_directory_path()) /
                ("ravo-test-" + std::to_string(std::random_device{}())))
    {
        fs::create_directories(path_);
        fs::permissions(path_, fs::perms::all);
    }
    ~TempFolder()
    {
        std::error_code error;
        for (const auto& entry : fs::recursive_directory_iterator(path_, error))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    fs::path operator/(const std::string& name) const { return path_ / name; }
    const fs::path& path() const { return path_; }

    // The names in the folder (or in one of its folders), sorted.
    std::vector<std::string> Names(const std::string& sub = {}) const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(sub.empty() ? path_ : path_ / sub))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path path_;
};

inline std::string Contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void Put(const fs::path& file, const std::string& text,
                fs::perms mode = fs::perms::owner_read | fs::perms::owner_write)
{
    std::ofstream(file, std::ios::binary) << text;
    fs::permissions(file, mode);
}

// Runs body in a child process as the user nobody (65534) when the tests run
// as root, with files limited to maxFileBytes. Gives "ok: " and what body
// returns, or "error: " and the text of what it throws.
inline std::string InChild(const std::function<std::string()>& body,
                           rlim_t maxFileBytes = RLIM_INFINITY)
{
    int channel[2] = {-1, -1};
    if (::pipe(channel) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        constexpr uid_t nobody = 65534;
        std::string result = "cannot become nobody";
        if (::geteuid() != 0 ||
            (::setgroups(0, nullptr) == 0 && ::setgid(nobody) == 0 && ::setuid(nobody) == 0)) {
            try {
                LimitFileSize(maxFileBytes);
                result = "ok: " + body();
            } catch (const std::exception& error) {
                result = std::string("error: ") + error.what();
            }
        }
        // A short write shows in the parent as a result cut short.
        ::_exit(::write(channel[1], result.data(), result.size()) < 0 ? 1 : 0);
    }
    ::close(channel[1]);
    std::string result;
    char buffer[4096];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    ::waitpid(child, nullptr, 0);
    return result;
}

}  // namespace ravo::test
