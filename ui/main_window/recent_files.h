// The list of files used lately, kept in the user's settings between runs and
// shown under File > Recent Files.
#pragma once

#include <QString>
#include <QStringList>

namespace ravo {

inline constexpr qsizetype RecentFilesKept = 5;

// The list with path at its head: an earlier entry for the same file moves up
// instead of standing twice, and the oldest entries beyond the kept number go.
QStringList WithRecentFile(const QStringList& files, const QString& path);

// The stored list, at most RecentFilesKept paths, without empty entries.
QStringList StoredRecentFiles();
void StoreRecentFiles(const QStringList& files);

// The menu caption of the entry at index (from 0): a mnemonic digit and the
// path, with any ampersand in it shown as itself.
QString RecentFileCaption(qsizetype index, const QString& path);

}  // namespace ravo
