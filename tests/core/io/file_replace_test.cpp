// Tests of reading whole files and of replacing them safely.
#include "core/io/file_replace.h"
#include "core/io/file_read.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <stdexcept>
#include <string>
#include <thread>

#include "support/file_test_support.h"

namespace ravo {
namespace {

using namespace ravo::test;

// ReadRegularFile and ReadFileOrPipe on the same paths: only a FIFO tells them
// apart, which the second reads (no writer: no wait) and the first refuses.
TEST(ReadRegularFile, ReadsARegularFileUpToTheLimitAndNothingElse)
{
    const TempFolder folder;
    Put(folder / "three", "abc", fs::perms::all);
    Put(folder / "empty", "", fs::perms::all);
    Put(folder / "four", "abcd", fs::perms::all);
    Put(folder / "secret", "abc", fs::perms::none);
    fs::create_directory(folder / "folder");
    ::mkfifo((folder / "fifo").c_str(), 0666);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"three", "ok: abc"},
        {"empty", "ok: "},
        {"four", "error: four: File too large"},
        {"missing", "error: missing: No such file or directory"},
        {"secret", "error: secret: Permission denied"},
        {"folder", "error: folder: Is a directory"},
        {"fifo", "error: fifo: Not a regular file (a FIFO)"},
        {"/dev/zero", "error: /dev/zero: Not a regular file (a device)"},
    };
    for (const auto& [path, result] : cases) {
        for (const bool orPipe : {false, true}) {
            EXPECT_EQ(InChild([&, &name = path] {
                          if (::chdir(folder.path().c_str()) != 0)
                              return std::string("no folder");
                          return orPipe ? ReadFileOrPipe(name, 3) : ReadRegularFile(name, 3);
                      }),
                      orPipe && path == "fifo" ? "ok: " : result)
                << orPipe;
        }
    }
}

// What `read` makes of a pipe whose writer sends `text` from a thread of its
// own and closes its end, as a shell's pipe or process substitution does; the
// pipe's path in a message reads "pipe".
std::string ThroughPipe(const std::string& text,
                        const std::function<std::string(int, const std::string&)>& read)
{
    int ends[2] = {-1, -1};
    if (::pipe(ends) != 0)
        return "no pipe";
    std::thread writer([&] {
        for (std::size_t sent = 0; sent < text.size();) {
            const ssize_t put = ::write(ends[1], text.data() + sent, text.size() - sent);
            if (put <= 0)
                break;
            sent += static_cast<std::size_t>(put);
        }
        ::close(ends[1]);
    });
    const std::string path = "/dev/fd/" + std::to_string(ends[0]);
    std::string result;
    try {
        result = "ok: " + read(ends[0], path);
    } catch (const FileReadError& e) {
        result = std::string("error: ") + e.what();
    }
    writer.join();
    ::close(ends[0]);
    if (const std::size_t at = result.find(path); at != std::string::npos)
        result.replace(at, path.size(), "pipe");
    return result;
}

// A pipe is read to its end, by its path or its descriptor, and refused once
// it passes the limit; more than a pipe's buffer holds makes the reader wait.
TEST(ReadFileOrPipe, ReadsPipesAndDescriptorsToTheirEndWithinTheLimit)
{
    const std::string large(200000, 'x');
    const struct {
        std::string sent;
        std::uint64_t limit;
        std::string expected;
    } pipes[] = {
        {"abc", 3, "ok: abc"},
        {"", 3, "ok: "},
        {"abcd", 3, "error: pipe: File too large"},
        {large, large.size(), "ok: " + large},
        {large, large.size() - 1, "error: pipe: File too large"},
    };
    for (const auto& c : pipes) {
        EXPECT_TRUE(ThroughPipe(c.sent,
                                [&](int, const std::string& path) {
                                    return ReadFileOrPipe(path, c.limit);
                                }) == c.expected)
            << c.sent.size() << " bytes, limit " << c.limit;
        EXPECT_TRUE(ThroughPipe(c.sent,
                                [&](int fd, const std::string&) {
                                    return ReadDescriptor(fd, "pipe", c.limit);
                                }) == c.expected)
            << c.sent.size() << " bytes, limit " << c.limit;
    }
    // A descriptor that cannot be read, a folder's, gives the system's reason.
    const int folder = ::open(".", O_RDONLY | O_DIRECTORY);
    EXPECT_EQ(ThroughPipe("",
                          [&](int, const std::string&) {
                              return ReadDescriptor(folder, "standard input", 3);
                          }),
              "error: standard input: Is a directory");
    ::close(folder);
}

// Small and large pieces, so that both the buffered and the direct writes run.
const std::string kBig(70'000, 'n');
const std::string kNew = "new\r\n" + kBig + "end\r\n";

void Produce(ByteSink& sink)
{
    sink.Write("new\r\n");
    sink.Write(kBig);
    sink.Write("end\r\n");
}

constexpr auto ProduceHalf = [](ByteSink& sink) {
    sink.Write("new\r\n");
    throw std::runtime_error("half way");
};

// Modes for the owner and for the user nobody, whom the replacing child becomes.
constexpr fs::perms kReadWrite{0606};
constexpr fs::perms kReadOnly{0404};
constexpr fs::perms kClosedFolder{0505};

// Whatever happens, d/t.in keeps its permissions (a new file gets those that
// the umask leaves) and stays a link when it was one. A success leaves d
// holding the file with the new contents beside what it held; a failure
// leaves d as it was.
TEST(ReplaceFile, ReplacesOnlyARegularFileAndOnlyWhenComplete)
{
    struct Case {
        const char* name = "";
        std::function<void(const TempFolder&)> setup = [](const TempFolder&) {};  // makes d/t.in
        std::string result{};  // the child's result begins so
        void (*produce)(ByteSink&) = Produce;
        rlim_t maxFileBytes = RLIM_INFINITY;
        std::string path = "d/t.in";  // in the test's folder
    };
    const auto old = [](fs::perms file, fs::perms folder = fs::perms::all,
                        std::string text = "old") {
        return [=](const TempFolder& f) {
            Put(f / "d/t.in", text, file);
            fs::permissions(f / "d", folder);
        };
    };
    const auto closed = old(kReadWrite, kClosedFolder);  // written in place
    const std::vector<Case> cases = {
        {.name = "new file", .result = "ok: "},
        {"replaced", old(kReadWrite), "ok: "},
        {"through a link",
         [](const TempFolder& f) {
             Put(f / "d/real.in", "old", kReadWrite);
             fs::create_symlink("real.in", f / "d/t.in");
         },
         "ok: "},
        {"produce fails", old(kReadWrite), "error: half way", ProduceHalf},
        {"disk full", old(kReadWrite), "error: d/t.in: File too large", Produce, 1000},
        {"read-only file", old(kReadOnly), "error: d/t.in: Permission denied"},
        {"in place where the folder is closed", closed, "ok: "},
        {"in place over a file of one byte", old(kReadWrite, kClosedFolder, "x"), "ok: "},
        {"in place, produce fails", closed, "error: half way", ProduceHalf},
        {"in place, disk full", closed,
         "error: d/t.in: File too large; the file was left as it was", Produce, 1000},
        {"in place, no backup",
         [&](const TempFolder& f) {
             closed(f);
             Put(f / ".local", "a file where the backup folder would be");
         },
         "error: d/t.in: no new file can be made in its folder, and no backup of it could be "
         "made in "},
        {.name = "closed folder, no file",
         .setup = [](const TempFolder& f) { fs::permissions(f / "d", kClosedFolder); },
         .result = "error: d: Permission denied"},
        {"a FIFO", [](const TempFolder& f) { ::mkfifo((f / "d/t.in").c_str(), 0666); },
         "error: d/t.in: Not a regular file (a FIFO)"},
        {.name = "no name", .result = "error: no file name given", .path = ""},
    };
    const mode_t umask = ::umask(0);
    ::umask(umask);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolder folder;
        fs::create_directory(folder / "d");
        fs::permissions(folder / "d", fs::perms::all);
        c.setup(folder);
        const fs::path target = folder / "d/t.in";
        // Only a regular file is read: a FIFO would wait for a writer.
        const auto contents = [&] { return fs::is_regular_file(target) ? Contents(target) : ""; };
        const std::string before = contents();
        std::vector<std::string> names = folder.Names("d");
        const bool link = fs::is_symlink(target);
        const fs::perms mode =
            fs::exists(target) ? fs::status(target).permissions() : fs::perms(0666 & ~umask);
        // Relative paths, so that the messages are the same in every folder.
        const std::string result = InChild(
            [&] {
                // Backups go to the home folder's .local/state/ravo/backups.
                if (::chdir(folder.path().c_str()) != 0 || ::unsetenv("XDG_STATE_HOME") != 0 ||
                    ::setenv("HOME", folder.path().c_str(), 1) != 0)
                    return std::string("no folder");
                ReplaceFile(c.path, c.produce);
                return std::string();
            },
            c.maxFileBytes);
        EXPECT_EQ(result.substr(0, c.result.size()), c.result) << result;
        const bool ok = c.result == "ok: ";
        if (ok && names.empty())
            names = {"t.in"};
        EXPECT_TRUE(contents() == (ok ? kNew : before)) << contents().size() << " bytes";
        EXPECT_EQ(folder.Names("d"), names);
        EXPECT_EQ(fs::is_symlink(target), link);
        // A backup is kept only while the file is being rewritten.
        if (fs::is_directory(folder / ".local/state/ravo/backups")) {
            EXPECT_EQ(folder.Names(".local/state/ravo/backups"), std::vector<std::string>{});
        }
        if (fs::exists(target)) {
            EXPECT_EQ(fs::status(target).permissions(), mode);
        }
    }
}

// Runs body in a child process as the user nobody when the tests run as root,
// so that a closed folder holds; the parent may kill it at any moment.
pid_t StartAsNobody(const std::function<void()>& body)
{
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    constexpr uid_t nobody = 65534;
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0))
        ::_exit(1);
    try {
        body();
    } catch (...) {
        ::_exit(2);  // never back into the tests
    }
    ::_exit(0);
}

// kill -9 in the middle of saves (from inside, once the temporary holds part
// of the new bytes) leaves temporaries beside the target. The next save of
// the target removes those that were written before it started and keep its
// own pattern; others stay: one still being written (here: written now),
// those of another file, and names of another pattern.
TEST(ReplaceFile, TheNextSaveRemovesTheTemporariesOfSavesThatWereKilled)
{
    const TempFolder folder;
    const fs::path target = folder / "t.in";
    Put(target, "old", kReadWrite);
    const auto killedSave = [&](const fs::path& file) {
        const pid_t child = ::fork();
        if (child == 0) {
            try {
                ReplaceFile(file.string(), [](ByteSink& sink) {
                    sink.Write(kBig);
                    ::raise(SIGKILL);
                });
            } catch (...) {
            }
            ::_exit(0);
        }
        ::waitpid(child, nullptr, 0);
    };
    killedSave(target);
    killedSave(target);
    killedSave(folder / "u.in");
    Put(folder / "t.in.0123456789abcdef.tmp", "another pattern");
    const std::vector<std::string> left = folder.Names();
    ASSERT_EQ(left.size(), 5u);
    // The earlier run: all but one t.in temporary were written yesterday.
    const std::string fresh = left[1].starts_with("t.in.0123") ? left[2] : left[1];
    for (const std::string& name : left)
        if (name != fresh && name != "t.in")
            fs::last_write_time(folder / name,
                                fs::file_time_type::clock::now() - std::chrono::hours(24));
    // Named as a temporary of t.in but for letters that are no hex digits:
    // not one, and kept however old.
    std::string lookalike = fresh;
    lookalike.replace(lookalike.size() - 20, 16, std::string(16, 'z'));
    Put(folder / lookalike, "a file of the user's");
    fs::last_write_time(folder / lookalike,
                        fs::file_time_type::clock::now() - std::chrono::hours(24));
    ReplaceFile(target.string(), Produce);
    EXPECT_EQ(Contents(target), kNew);
    std::vector<std::string> kept = left;
    std::erase_if(kept, [&](const std::string& name) {
        return name.starts_with("t.in.") && name != fresh && name != "t.in.0123456789abcdef.tmp";
    });
    kept.push_back(lookalike);
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(folder.Names(), kept);

    // The temporary of a file with a name near the 255-byte limit still fits.
    const fs::path longName = folder / (std::string(250, 'x') + ".in");
    Put(longName, "old", kReadWrite);
    ReplaceFile(longName.string(), Produce);
    EXPECT_EQ(Contents(longName), kNew);
}

// Where the folder is closed the file is rewritten in place. kill -9 at any
// moment of it leaves the old file, the new one, or a torn one beside a
// backup of the old bytes in the backup folder.
TEST(ReplaceFile, AnInPlaceSaveKilledPartWayLeavesTheOldBytesInItsBackup)
{
    const TempFolder folder;
    fs::create_directory(folder / "d");
    const fs::path target = folder / "d/t.in";
    const fs::path backups = folder / "state/ravo/backups";
    const std::string old((1 << 16) + 3, 'o');  // more than one piece of the copy
    const std::string fresh(8 << 20, 'n');
    int torn = 0;
    for (int run = 0; run < 4; ++run) {
        fs::remove_all(folder / "state");
        Put(target, old, kReadWrite);
        fs::permissions(folder / "d", kClosedFolder);
        const pid_t child = StartAsNobody([&] {
            ::setenv("XDG_STATE_HOME", (folder / "state").c_str(), 1);
            ReplaceFile(target.string(), [&](ByteSink& sink) { sink.Write(fresh); });
        });
        // Killed as soon as the first new byte is there, or after it ended.
        for (char first = 'o'; first == 'o' && ::waitpid(child, nullptr, WNOHANG) == 0;) {
            std::ifstream(target, std::ios::binary).get(first);
            ::usleep(100);
        }
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = Contents(target);
        const std::vector<std::string> kept =
            fs::exists(backups) ? folder.Names("state/ravo/backups") : std::vector<std::string>{};
        for (const std::string& name : kept)
            EXPECT_TRUE(Contents(backups / name) == old) << name;
        if (now != old && now != fresh) {
            ++torn;
            EXPECT_EQ(kept.size(), 1u) << now.size() << " bytes, torn";
        }
    }
    std::cout << "torn in " << torn << " of 4 runs, each beside its backup\n";
}

}  // namespace
}  // namespace ravo
