// The files that a save makes for its target: the temporary that is renamed
// over it, the backup of a file rewritten in place, and the clean-up of
// temporaries that an ended process left behind.
#pragma once

#include <string>
#include <string_view>

namespace ravo {

// A new name for a temporary beside the file `fileName` (a name without a
// folder): "<name>.<hash>-<random>.tmp", where <name> is fileName cut to at
// most 100 bytes and <hash> stands for the whole of it, so that the name fits
// any file system's limit of 255 bytes and the temporaries of two files never
// share a pattern.
std::string TemporaryName(std::string_view fileName);

// Removes from folder the temporaries that saves of fileName left behind:
// regular files of this user, named exactly as TemporaryName names them, and
// last written before this process started, so that a save that another
// program is making now keeps its file. Files that cannot be removed stay.
void RemoveStaleTemporaries(const std::string& folder, std::string_view fileName);

// A new name for a backup of fileName: "<name>.<hash>-<random>.bak".
std::string BackupName(std::string_view fileName);

// The folder that keeps backups of files rewritten in place:
// $XDG_STATE_HOME/ravo/backups, or ~/.local/state/ravo/backups; "" when the
// user has no home folder.
std::string BackupFolder();

// Makes the folder and those above it that are missing, for this user only.
// False, errno set, when one cannot be made.
bool MakeFolders(const std::string& folder);

}  // namespace ravo
