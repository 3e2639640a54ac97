#include "core/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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
constexpr auto kClosedFolder =
    fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec;

// Whatever happens, d/t.in keeps its permissions (a new file gets those that
// the umask leaves) and stays a link when it was one.
TEST(ReplaceFile, ReplacesOnlyARegularFileAndOnlyWhenComplete)
{
    struct Case {
        const char* name = "";
        std::function<void(const TempFolder&)> setup = [](const TempFolder&) {};  // makes d/t.in
        std::string result{};              // the child's result begins so
        std::string contents{};            // of d/t.in afterwards
        std::vector<std::string> names{};  // in d afterwards
        void (*produce)(ByteSink&) = Produce;
        rlim_t maxFileBytes = RLIM_INFINITY;
        std::string path = "d/t.in";  // in the test's folder
    };
    const auto old = [](fs::perms file, fs::perms folder = fs::perms::all) {
        return [=](const TempFolder& f) {
            Put(f / "d/t.in", "old", file);
            fs::permissions(f / "d", folder);
        };
    };
    // d/t.in a link to real, which holds "old" when it exists.
    const auto linkTo = [](const char* real, bool exists) {
        return [=](const TempFolder& f) {
            if (exists)
                Put(f / "d" / real, "old", kReadWrite);
            fs::create_symlink(real, f / "d/t.in");
        };
    };
    const std::vector<std::string> only = {"t.in"};
    const std::vector<Case> cases = {
        {.name = "new file", .result = "ok: ", .contents = kNew, .names = only},
        {"replaced", old(fs::perms(0606)), "ok: ", kNew, only},
        {"through a link", linkTo("real.in", true), "ok: ", kNew, {"real.in", "t.in"}},
        {"produce fails", old(kReadWrite), "error: half way", "old", only, ProduceHalf},
        {"disk full", old(kReadWrite), "error: d/t.in: File too large", "old", only, Produce, 1000},
        {"read-only file", old(kReadOnly), "error: d/t.in: Permission denied", "old", only},
        {"in place where the folder is closed", old(kReadWrite, kClosedFolder), "ok: ", kNew, only},
        {"in place, produce fails", old(kReadWrite, kClosedFolder), "error: half way", "old", only,
         ProduceHalf},
        {.name = "closed folder, no file",
         .setup = [](const TempFolder& f) { fs::permissions(f / "d", kClosedFolder); },
         .result = "error: d: Permission denied"},
        {"a FIFO", [](const TempFolder& f) { ::mkfifo((f / "d/t.in").c_str(), 0666); },
         "error: d/t.in: Not a regular file (a FIFO)", "", only},
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
        const bool link = fs::is_symlink(target);
        const fs::perms mode =
            fs::exists(target) ? fs::status(target).permissions() : fs::perms(0666 & ~umask);
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
        const std::string contents = RegularContents(target);
        EXPECT_TRUE(contents == c.contents)
            << contents.size() << " bytes: " << contents.substr(0, 9);
        EXPECT_EQ(folder.Names("d"), c.names);
        EXPECT_EQ(fs::is_symlink(target), link);
        if (fs::exists(target)) {
            EXPECT_EQ(fs::status(target).permissions(), mode);
        }
    }
}

}  // namespace
}  // namespace ravo
