// Names of temporaries and backups, the backup folder, and the removal of
// temporaries that an ended process left behind.
#include "core/io/temporary_files.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <random>

namespace ravo {
namespace {

constexpr std::size_t kNameBytes = 100;  // of the target's name kept in front
constexpr std::size_t kHexDigits = 16;

// When this process started: a temporary written before then was not made by it.
const std::chrono::system_clock::time_point processStart = std::chrono::system_clock::now();

// File times come from the kernel's coarse clock, a tick behind the fine one,
// and from the server's clock on a network file system; a temporary counts as
// stale only when written this much before the start. A later save removes
// those that are younger.
constexpr std::chrono::seconds kClockSlack{60};

std::string Hex(std::uint64_t value)
{
    std::string text(kHexDigits, '0');
    for (std::size_t i = kHexDigits; i-- > 0; value >>= 4)
        text[i] = "0123456789abcdef"[value & 0xF];
    return text;
}

// FNV-1a: the same for a name in every run, unlike std::hash.
std::uint64_t NameHash(std::string_view name)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

std::string RandomHex()
{
    static std::mt19937_64 random{std::random_device{}()};
    return Hex(random());
}

// The part in front of the random digits: the name, cut at a character
// boundary of UTF-8 when it is long, a dot and the hash of the whole name.
std::string Stem(std::string_view fileName)
{
    std::size_t cut = std::min(fileName.size(), kNameBytes);
    while (cut > 0 && cut < fileName.size() &&
           (static_cast<unsigned char>(fileName[cut]) & 0xC0) == 0x80)
        --cut;
    return std::string(fileName.substr(0, cut)) + "." + Hex(NameHash(fileName)) + "-";
}

bool IsHex(std::string_view text)
{
    for (const char c : text)
        if ((c < '0' || c > '9') && (c < 'a' || c > 'f'))
            return false;
    return true;
}

bool IsTemporaryOf(std::string_view name, const std::string& stem)
{
    constexpr std::string_view suffix = ".tmp";
    return name.size() == stem.size() + kHexDigits + suffix.size() && name.starts_with(stem) &&
           name.ends_with(suffix) && IsHex(name.substr(stem.size(), kHexDigits));
}

bool WrittenBeforeStart(const struct stat& info)
{
    const auto written = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(info.st_mtim.tv_sec) +
            std::chrono::nanoseconds(info.st_mtim.tv_nsec)));
    return written < processStart - kClockSlack;
}

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/')
        return home;
    const passwd* user = ::getpwuid(::geteuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

}  // namespace

std::string TemporaryName(std::string_view fileName)
{
    return Stem(fileName) + RandomHex() + ".tmp";
}

std::string BackupName(std::string_view fileName) { return Stem(fileName) + RandomHex() + ".bak"; }

void RemoveStaleTemporaries(const std::string& folder, std::string_view fileName)
{
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), ::closedir);
    if (!listing)
        return;
    const std::string stem = Stem(fileName);
    while (const dirent* entry = ::readdir(listing.get())) {
        if (!IsTemporaryOf(entry->d_name, stem))
            continue;
        struct stat info {};
        const std::string path = folder + "/" + entry->d_name;
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid() && WrittenBeforeStart(info))
            ::unlink(path.c_str());
    }
}

std::string BackupFolder()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    std::string folder = state != nullptr && *state == '/' ? state : "";
    if (folder.empty()) {
        const std::string home = HomeFolder();
        if (home.empty())
            return "";
        folder = home + "/.local/state";
    }
    return folder + "/ravo/backups";
}

bool MakeFolders(const std::string& folder)
{
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

}  // namespace ravo
