// Replacing a whole file through a temporary beside it, renamed over it once
// complete and on disk.
#include "core/io/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <utility>

#include "core/io/file_read.h"
#include "core/io/rewrite_in_place.h"
#include "core/io/temporary_files.h"
#include "core/io/unique_fd.h"

namespace ravo {
namespace {

constexpr int kMaxLinks = 40;  // the system's own limit on a chain of links
constexpr std::size_t kBufferBytes = 1 << 16;

[[noreturn]] void Fail(const std::string& path, int error)
{
    throw FileWriteError(FileErrorText(path, error));
}

void WriteAll(int fd, std::string_view bytes, const std::string& path)
{
    if (const int error = WriteFully(fd, bytes); error != 0)
        Fail(path, error);
}

// Gathers small writes into few system calls.
class DescriptorSink : public ByteSink {
public:
    DescriptorSink(int fd, const std::string& path) : fd_(fd), path_(path) {}
    void Write(std::string_view bytes) override
    {
        if (buffer_.size() + bytes.size() > kBufferBytes)
            Flush();
        if (bytes.size() >= kBufferBytes)
            WriteAll(fd_, bytes, path_);
        else
            buffer_.append(bytes);
    }
    void Flush()
    {
        WriteAll(fd_, buffer_, path_);
        buffer_.clear();
    }

private:
    int fd_;
    const std::string& path_;
    std::string buffer_;
};

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file that path names once symbolic links are followed, so that the link
// itself stays. A link to nowhere gives the path it names: the file is created
// there.
std::string ResolvedTarget(const std::string& path)
{
    std::string target = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return target;
        std::array<char, PATH_MAX> link{};
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0)
            Fail(path, errno);
        if (static_cast<std::size_t>(length) == link.size())
            Fail(path, ENAMETOOLONG);
        const std::string named(link.data(), static_cast<std::size_t>(length));
        target = named.starts_with('/') ? named : FolderOf(target) + "/" + named;
    }
    Fail(path, ELOOP);
}

struct Existing {
    bool exists = false;
    struct stat info {};
};

// Refuses, before anything is written, a target that is no regular file or
// that cannot be opened for writing (read-only, or on a read-only disk).
Existing InspectTarget(const std::string& target, const std::string& path)
{
    Existing existing;
    if (::stat(target.c_str(), &existing.info) != 0) {
        if (errno == ENOENT)
            return existing;  // a missing folder shows when the new file is created
        Fail(path, errno);
    }
    if (!S_ISREG(existing.info.st_mode))
        throw FileWriteError(NotRegularFileText(path, existing.info.st_mode));
    // Opened without truncating, only to learn that it may be written.
    const UniqueFd probe(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (probe.get() < 0)
        Fail(path, errno);
    existing.exists = true;
    return existing;
}

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A new file beside the target, under a name of its own (TemporaryName).
// O_EXCL never opens a file that is there already, a planted link among them.
// The permissions of a new file are those that the umask leaves.
int CreateBeside(const std::string& target, std::string& temporary)
{
    const std::string folder = FolderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + "/" + TemporaryName(NameOf(target));
        const int fd =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The replacement keeps the target's permissions, and its owner where the
// user may give it (root may; anyone else keeps files that are theirs).
void KeepOwnerAndPermissions(int fd, const Existing& existing)
{
    if (!existing.exists)
        return;
    if (::fchown(fd, existing.info.st_uid, existing.info.st_gid) != 0) {
        // Another's file becomes the user's, as any editor's save would make it.
    }
    if (::fchmod(fd, existing.info.st_mode & 07777) != 0) {
        // A file system without permissions (FAT) has none to keep.
    }
}

// Flushes the folder, so that the rename is on disk too. A folder that cannot
// be opened or flushed (some file systems refuse, EINVAL) is left as it is.
void SyncFolder(const std::string& folder, const std::string& path)
{
    const UniqueFd handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.get() >= 0 && ::fsync(handle.get()) != 0 && errno != EINVAL)
        Fail(path, errno);
}

// The last resort where no new file can be made beside the target: every byte
// is produced first, so that a failing `produce` leaves the file untouched.
void ProduceInPlace(const std::string& target, const std::string& path,
                    const std::function<void(ByteSink&)>& produce)
{
    StringSink whole;
    produce(whole);
    RewriteInPlace(target, path, whole.text);
}

// Standard output sent on to another program names a pipe through links
// that cannot be followed by name; the file itself tells what it is.
void RefuseWhatIsNoRegularFile(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        throw FileWriteError(NotRegularFileText(path, info.st_mode));
}

}  // namespace

void ReplaceFile(const std::string& path, const std::function<void(ByteSink&)>& produce)
{
    if (path.empty())
        throw FileWriteError("no file name given");
    RefuseWhatIsNoRegularFile(path);
    const std::string target = ResolvedTarget(path);
    const Existing existing = InspectTarget(target, path);
    RemoveStaleTemporaries(FolderOf(target), NameOf(target));
    std::string temporary;
    UniqueFd file(CreateBeside(target, temporary));
    if (file.get() < 0) {
        const int error = errno;
        if (existing.exists && (error == EACCES || error == EPERM))
            return ProduceInPlace(target, path, produce);
        Fail(FolderOf(target), error);
    }
    try {
        DescriptorSink sink(file.get(), path);
        produce(sink);
        sink.Flush();
        KeepOwnerAndPermissions(file.get(), existing);
        if (::fsync(file.get()) != 0 || !file.Close())
            Fail(path, errno);
        if (::rename(temporary.c_str(), target.c_str()) != 0)
            Fail(path, errno);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    SyncFolder(FolderOf(target), path);
}

}  // namespace ravo
