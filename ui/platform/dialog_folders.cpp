// Where each kind of file dialog opens: the folder of its last choice.
#include "ui/platform/dialog_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace ravo {

QString DialogFolderKey(const FileDialogRequest& request)
{
    const QStringList parts = request.filterList.split(QLatin1Char('|'));
    const qsizetype entries = parts.size() / 2;
    const qsizetype entry =
        request.initialFilter >= 1 && request.initialFilter <= entries ? request.initialFilter : 1;
    QString name;
    if (entries > 0) {
        for (const QChar c : parts[2 * (entry - 1) + 1]) {
            if (c.isLetterOrNumber())
                name += c.toLower();
        }
    }
    if (name.isEmpty())
        name = QStringLiteral("all");
    return QStringLiteral("FileDialogs/") + name;
}

QString LastDialogFolder(const FileDialogRequest& request)
{
    const QString folder = QSettings().value(DialogFolderKey(request)).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return {};
    return folder;
}

void RememberDialogFolder(const FileDialogRequest& request, const QString& chosenPath)
{
    const QString folder = QFileInfo(chosenPath).absolutePath();
    if (!folder.isEmpty())
        QSettings().setValue(DialogFolderKey(request), folder);
}

}  // namespace ravo
