// Tests of reading whole files.
#include "core/io/file_read.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <thread>

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
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, (folder / "socket").c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"three", "ok: abc"},
        {"empty", "ok: "},
        {"four", "error: four: File too large"},
        {"missing", "error: missing: No such file or directory"},
        {"secret", "error: secret: Permission denied"},
        {"folder", "error: folder: Is a directory"},
        {"fifo", "error: fifo: Not a regular file (a FIFO)"},  // no writer: would block
        {"/dev/zero", "error: /dev/zero: Not a regular file (a device)"},
        {"socket", "error: socket: Not a regular file (a socket)"},
    };
    for (const auto& [path, result] : cases) {
        EXPECT_EQ(InChild([&, &name = path] {
                      if (::chdir(folder.path().c_str()) != 0)
                          return std::string("no folder");
                      return ReadRegularFile(name, 3);
                  }),
                  result);
    }
    ::close(listener);
}

// A pipe whose writer sends `text` from a thread of its own and closes its end,
// as a shell's pipe or process substitution does.
class Pipe {
public:
    explicit Pipe(std::string text)
    {
        if (::pipe(ends_) != 0)
            throw std::runtime_error("no pipe");
        writer_ = std::thread([this, text = std::move(text)] {
            for (std::size_t sent = 0; sent < text.size();) {
                const ssize_t put = ::write(ends_[1], text.data() + sent, text.size() - sent);
                if (put <= 0)
                    break;
                sent += static_cast<std::size_t>(put);
            }
            ::close(ends_[1]);
        });
    }
    ~Pipe()
    {
        writer_.join();
        ::close(ends_[0]);
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    int ReadEnd() const { return ends_[0]; }
    std::string Path() const { return "/dev/fd/" + std::to_string(ends_[0]); }

private:
    int ends_[2] = {-1, -1};
    std::thread writer_;
};

std::string Outcome(const std::function<std::string()>& read)
{
    try {
        return "ok: " + read();
    } catch (const FileReadError& e) {
        return std::string("error: ") + e.what();
    }
}

// More than a pipe's buffer holds, so that the reader must wait for the writer.
const std::string Large(200000, 'x');

TEST(ReadFileOrPipe, ReadsPipesToTheirEndWithinTheLimitAndRefusesDevices)
{
    const TempFolder folder;
    Put(folder / "three", "abc", fs::perms::all);
    ::mkfifo((folder / "fifo").c_str(), 0666);
    const struct {
        std::string sent;
        std::uint64_t limit;
        std::string expected;
    } pipes[] = {
        {"abc", 3, "ok: abc"},
        {"", 3, "ok: "},
        {"abcd", 3, "error: PIPE: File too large"},
        {Large, Large.size(), "ok: " + Large},
        {Large, Large.size() - 1, "error: PIPE: File too large"},
    };
    for (const auto& c : pipes) {
        const Pipe pipe(c.sent);
        std::string expected = c.expected;
        if (expected.starts_with("error: PIPE"))
            expected.replace(7, 4, pipe.Path());
        EXPECT_EQ(Outcome([&] { return ReadFileOrPipe(pipe.Path(), c.limit); }), expected)
            << c.sent.size() << " bytes, limit " << c.limit;
    }
    const std::string three = (folder / "three").string();
    const std::string fifo = (folder / "fifo").string();
    EXPECT_EQ(Outcome([&] { return ReadFileOrPipe(three, 3); }), "ok: abc");
    EXPECT_EQ(Outcome([&] { return ReadFileOrPipe(three, 2); }),
              "error: " + three + ": File too large");
    EXPECT_EQ(Outcome([&] { return ReadFileOrPipe(fifo, 3); }), "ok: ");  // nobody writes: no wait
    EXPECT_EQ(Outcome([] { return ReadFileOrPipe("/dev/zero", 3); }),
              "error: /dev/zero: Not a regular file (a device)");
}

TEST(ReadDescriptor, ReadsAnOpenDescriptorToItsEndWithinTheLimit)
{
    const struct {
        std::string sent;
        std::uint64_t limit;
        std::string expected;
    } cases[] = {
        {"abc", 3, "ok: abc"},
        {"abcd", 3, "error: standard input: File too large"},
        {Large, Large.size(), "ok: " + Large},
    };
    for (const auto& c : cases) {
        const Pipe pipe(c.sent);
        EXPECT_EQ(
            Outcome([&] { return ReadDescriptor(pipe.ReadEnd(), "standard input", c.limit); }),
            c.expected);
    }
    // A descriptor that cannot be read, a folder's, gives the system's reason.
    const int folder = ::open(".", O_RDONLY | O_DIRECTORY);
    EXPECT_EQ(Outcome([&] { return ReadDescriptor(folder, "standard input", 3); }),
              "error: standard input: Is a directory");
    ::close(folder);
}

}  // namespace
}  // namespace ravo
