// Rewriting a file in place behind a backup of its old bytes.
#include "core/io/rewrite_in_place.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/io/file_read.h"
#include "core/io/file_replace.h"
#include "core/io/temporary_files.h"
#include "core/io/unique_fd.h"

namespace ravo {
namespace {

constexpr std::size_t kChunkBytes = 1 << 16;

// Writes every byte at offset; gives 0 or the error that stopped it.
int WriteAt(int fd, std::string_view bytes, off_t offset)
{
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
    return 0;
}

// Copies the first `length` bytes of `from` over the start of `to`.
int Copy(int from, int to, off_t length)
{
    std::string buffer(kChunkBytes, '\0');
    for (off_t done = 0; done < length;) {
        const auto wanted = std::min(buffer.size(), static_cast<std::size_t>(length - done));
        const ssize_t got = ::pread(from, buffer.data(), wanted, done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got < 0 ? errno : EIO;
        const std::string_view piece(buffer.data(), static_cast<std::size_t>(got));
        if (const int error = WriteAt(to, piece, done); error != 0)
            return error;
        done += got;
    }
    return 0;
}

int SyncFile(int fd) { return ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno; }

// A crash after the backup is written must still find it in its folder.
void SyncFolder(const std::string& folder)
{
    const UniqueFd handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.get() >= 0)
        static_cast<void>(::fsync(handle.get()));
}

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

[[noreturn]] void NoBackup(const std::string& path, const std::string& backup, int error)
{
    throw FileWriteError(path + ": no new file can be made in its folder, and no backup of it " +
                         "could be made in " + backup + ": " + std::strerror(error) +
                         "; the file was left as it was");
}

// Reserves the new length first, so that a full disk fails before any old
// byte is overwritten; a file system that cannot reserve skips that.
int WriteNewBytes(int fd, std::string_view bytes)
{
    const auto length = static_cast<off_t>(bytes.size());
    if (length > 0) {
        const int reserved = ::posix_fallocate(fd, 0, length);
        if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL)
            return reserved;
    }
    if (const int error = WriteAt(fd, bytes, 0); error != 0)
        return error;
    if (::ftruncate(fd, length) != 0)
        return errno;
    return SyncFile(fd);
}

bool Restore(int backup, int file, off_t length)
{
    return Copy(backup, file, length) == 0 && ::ftruncate(file, length) == 0 && SyncFile(file) == 0;
}

}  // namespace

void RewriteInPlace(const std::string& target, const std::string& path, std::string_view bytes)
{
    const UniqueFd file(::open(target.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0)
        throw FileWriteError(FileErrorText(path, errno));
    if (!S_ISREG(info.st_mode))
        throw FileWriteError(NotRegularFileText(path, info.st_mode));
    const std::string folder = BackupFolder();
    if (folder.empty())
        NoBackup(path, "the home folder", ENOENT);
    if (!MakeFolders(folder))
        NoBackup(path, folder, errno);
    const std::string backupPath = folder + "/" + BackupName(NameOf(target));
    const UniqueFd backup(
        ::open(backupPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0600));
    if (backup.get() < 0)
        NoBackup(path, folder, errno);
    int error = Copy(file.get(), backup.get(), info.st_size);
    if (error == 0)
        error = SyncFile(backup.get());
    if (error != 0) {
        ::unlink(backupPath.c_str());
        NoBackup(path, folder, error);
    }
    SyncFolder(folder);
    error = WriteNewBytes(file.get(), bytes);
    if (error == 0 || Restore(backup.get(), file.get(), info.st_size)) {
        ::unlink(backupPath.c_str());
        if (error == 0)
            return;
        throw FileWriteError(FileErrorText(path, error) + "; the file was left as it was");
    }
    throw FileWriteError(FileErrorText(path, error) + "; its previous contents are kept in " +
                         backupPath);
}

}  // namespace ravo
