#include "core/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>
#include <stdexcept>

#include "file_test_support.h"

namespace ravo {
namespace {

using namespace ravo::test;

// Small and large pieces, so that both the buffered and the direct writes run.
const std::string kBig(70'000, 'n');
const std::string kNew = "new\r\n" + kBig + "end\r\n";

void Produce(ByteSink& sink)
{
    sink.Write("new\r\n");
    sink.Write(kBig);
    sink.Write("end\r\n");
}

void ProduceHalf(ByteSink& sink)
{
    sink.Write("new\r\n");
    throw std::runtime_error("half way");
}

constexpr auto kReadWrite = fs::perms::owner_read | fs::perms::owner_write |
                            fs::perms::others_read | fs::perms::others_write;
constexpr auto kReadOnly = fs::perms::owner_read | fs::perms::others_read;
constexpr auto kOpenFolder = fs::perms::all;
constexpr auto kClosedFolder =
    fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec;

TEST(ReplaceFile, ReplacesOnlyARegularFileAndOnlyWhenComplete)
{
    struct Case {
        const char* name;
        std::function<void(const TempFolder&)> setup;  // makes "t.in" in folder "d"
        std::string path = "d/t.in";                   // in the test's folder
        void (*produce)(ByteSink&) = Produce;
        rlim_t maxFileBytes = RLIM_INFINITY;
        std::string result = "ok: ";                // the child's result begins so
        std::string contents = kNew;                // of d/t.in afterwards
        std::vector<std::string> names = {"t.in"};  // in d afterwards
        std::optional<fs::perms> mode = {};         // of d/t.in afterwards
        bool link = false;                          // d/t.in stays a link
    };
    const auto old = [](fs::perms file, fs::perms folder = kOpenFolder) {
        return [=](const TempFolder& f) {
            Put(f / "d/t.in", "old", file);
            fs::permissions(f / "d", folder);
        };
    };
    const auto none = [](const TempFolder&) {};
    const mode_t umask = ::umask(0);
    ::umask(umask);
    const std::vector<Case> cases = {
        {.name = "new file", .setup = none, .mode = fs::perms(0666 & ~umask)},
        {.name = "replaced, permissions kept",
         .setup = old(fs::perms(0606)),
         .mode = fs::perms(0606)},
        {.name = "through a link",
         .setup =
             [](const TempFolder& f) {
                 Put(f / "d/real.in", "old", kReadWrite);
                 fs::create_symlink("real.in", f / "d/t.in");
             },
         .names = {"real.in", "t.in"},
         .link = true},
        {.name = "through a link to nowhere",
         .setup = [](const TempFolder& f) { fs::create_symlink("made.in", f / "d/t.in"); },
         .names = {"made.in", "t.in"},
         .link = true},
        {.name = "produce fails",
         .setup = old(kReadWrite),
         .produce = ProduceHalf,
         .result = "error: half way",
         .contents = "old"},
        {.name = "disk full",
         .setup = old(kReadWrite),
         .maxFileBytes = 1000,
         .result = "error: d/t.in: File too large",
         .contents = "old"},
        {.name = "read-only file",
         .setup = old(kReadOnly),
         .result = "error: d/t.in: Permission denied",
         .contents = "old"},
        {.name = "in place where the folder is closed", .setup = old(kReadWrite, kClosedFolder)},
        {.name = "in place, produce fails",
         .setup = old(kReadWrite, kClosedFolder),
         .produce = ProduceHalf,
         .result = "error: half way",
         .contents = "old"},
        {.name = "closed folder, no file",
         .setup = [](const TempFolder& f) { fs::permissions(f / "d", kClosedFolder); },
         .result = "error: d: Permission denied",
         .contents = "",
         .names = {}},
        {.name = "a folder",
         .setup = [](const TempFolder& f) { fs::create_directory(f / "d/t.in"); },
         .result = "error: d/t.in: Is a directory",
         .contents = ""},
        {.name = "a FIFO",
         .setup = [](const TempFolder& f) { ::mkfifo((f / "d/t.in").c_str(), 0666); },
         .result = "error: d/t.in: Not a regular file (a FIFO)",
         .contents = ""},
        {.name = "missing folder",
         .setup = none,
         .path = "d/no/t.in",
         .result = "error: d/no: No such file or directory",
         .contents = "",
         .names = {}},
        {.name = "no name",
         .setup = none,
         .path = "",
         .result = "error: no file name given",
         .contents = "",
         .names = {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolder folder;
        fs::create_directory(folder / "d");
        fs::permissions(folder / "d", kOpenFolder);
        c.setup(folder);
        // Relative paths, so that the messages are the same in every folder.
        const std::string result = InChild(
            [&] {
                if (::chdir(folder.path().c_str()) != 0)
                    return std::string("no folder");
                ReplaceFile(c.path, c.produce);
                return std::string();
            },
            c.maxFileBytes);
        EXPECT_EQ(result.substr(0, c.result.size()), c.result) << result;
        const std::string contents = RegularContents(folder / "d/t.in");
        EXPECT_TRUE(contents == c.contents)
            << contents.size() << " bytes: " << contents.substr(0, 9);
        EXPECT_EQ(fs::is_symlink(folder / "d/t.in"), c.link);
        EXPECT_EQ(folder.Names("d"), c.names);
        if (c.mode) {
            EXPECT_EQ(fs::status(folder / "d/t.in").permissions(), *c.mode);
        }
    }
}

}  // namespace
}  // namespace ravo
