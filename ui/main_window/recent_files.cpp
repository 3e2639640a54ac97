// The recent files list: its order, its length and where it is kept.
#include "ui/main_window/recent_files.h"

#include <QDir>
#include <QSettings>

namespace ravo {
namespace {

const QString RecentFilesKey = QStringLiteral("RecentFiles");

}  // namespace

QStringList WithRecentFile(const QStringList& files, const QString& path)
{
    const QString head = QDir::cleanPath(path);
    QStringList result{head};
    for (const QString& file : files) {
        if (result.size() == RecentFilesKept)
            break;
        if (!file.isEmpty() && QDir::cleanPath(file) != head)
            result << file;
    }
    return result;
}

QStringList StoredRecentFiles()
{
    QStringList files;
    for (const QString& file : QSettings().value(RecentFilesKey).toStringList()) {
        if (!file.isEmpty() && files.size() < RecentFilesKept)
            files << file;
    }
    return files;
}

void StoreRecentFiles(const QStringList& files) { QSettings().setValue(RecentFilesKey, files); }

QString RecentFileCaption(qsizetype index, const QString& path)
{
    QString shown = QDir::toNativeSeparators(path);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

}  // namespace ravo
