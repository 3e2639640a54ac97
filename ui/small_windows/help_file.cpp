// Where the help file lies: beside the program, then in the installation's data folder.
#include "ui/small_windows/help_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ravo {
namespace {

const QString kHelpFileName = QStringLiteral("Ravo.chm");

}  // namespace

QString HelpFilePath() { return HelpFilePathFor(QCoreApplication::applicationDirPath()); }

QString HelpFilePathFor(const QString& programFolder)
{
    const QString beside = QDir(programFolder).filePath(kHelpFileName);
    // An installation may have been moved to another prefix (a package
    // installs under /usr, "cmake --install --prefix" anywhere), so the data
    // folder is looked for relative to the program before the configured one.
    const QString candidates[] = {
        beside,
        QDir::cleanPath(
            QDir(programFolder)
                .filePath(QStringLiteral(RAVO_DATA_FROM_PROGRAM "/ravo/") + kHelpFileName)),
        QStringLiteral(RAVO_INSTALLED_DATA_DIR "/ravo/") + kHelpFileName,
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return beside;
}

}  // namespace ravo
