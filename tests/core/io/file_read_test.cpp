// Tests of reading whole files.
#include "core/io/file_read.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/file_test_support.h"

namespace ravo {
namespace {

using namespace ravo::test;

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
        {"fifo", "error: fifo: Not a regular file (a FIFO)"},  // no writer: would block
        {"/dev/zero", "error: /dev/zero: Not a regular file (a device)"},
    };
    for (const auto& [path, result] : cases) {
        EXPECT_EQ(InChild([&, &name = path] {
                      if (::chdir(folder.path().c_str()) != 0)
                          return std::string("no folder");
                      return ReadRegularFile(name, 3);
                  }),
                  result);
    }
}

}  // namespace
}  // namespace ravo
