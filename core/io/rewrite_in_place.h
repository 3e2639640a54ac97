// Rewriting a file in place, for a folder where no new file can be made: the
// old bytes are kept in a backup until the new ones are on disk.
#pragma once

#include <string>
#include <string_view>

namespace ravo {

// Replaces the bytes of the regular file `target` with `bytes`. First its
// bytes are copied to a backup in BackupFolder() and put on disk, and the new
// length is reserved, so that a full disk fails before the file is touched;
// then the new bytes are written, the file cut to their length and flushed,
// and the backup removed. On any failure the old bytes are written back from
// the backup. Throws FileWriteError naming `path`: when no backup can be made
// (nothing is touched then); when the write fails ("...; the file was left as
// it was"); and, when even the old bytes cannot be written back, saying where
// the backup is kept. A process ended part way leaves the backup beside the
// torn file.
void RewriteInPlace(const std::string& target, const std::string& path, std::string_view bytes);

}  // namespace ravo
