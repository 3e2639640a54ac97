// Tests of replacing files safely.
#include "core/io/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <stdexcept>

#include "support/file_test_support.h"

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
    const auto old = [](fs::perms file, fs::perms folder = fs::perms::all) {
        return [=](const TempFolder& f) {
            Put(f / "d/t.in", "old", file);
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
        {"in place, produce fails", closed, "error: half way", ProduceHalf},
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
                if (::chdir(folder.path().c_str()) != 0)
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
        if (fs::exists(target)) {
            EXPECT_EQ(fs::status(target).permissions(), mode);
        }
    }
}

}  // namespace
}  // namespace ravo
