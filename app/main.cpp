// Ravo: finished road elevations from vertical curves and superelevation.
#include <QApplication>
#include <QTimer>
#include <csignal>

#include "core/profile/profile_state.h"
#include "core/version.h"
#include "ui/main_window/command_line.h"
#include "ui/main_window/frm_ravo.h"
#include "ui/platform/qt_platform.h"

int main(int argc, char* argv[])
{
    // --help and --version need no display, so they come before the application.
    if (const std::optional<int> answered = ravo::AnswerWithoutWindow(argc, argv))
        return *answered;
    // A file-size limit then fails the write with EFBIG, which the command
    // reports as any failed write, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ravo"));
    QApplication::setApplicationName(QStringLiteral("Ravo"));
    QApplication::setApplicationVersion(QString::fromUtf8(ravo::RavoVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("ravo"));
    const ravo::StartRequest request = ravo::ReadCommandLine(QApplication::arguments(), true);
    if (const std::optional<int> refused = ravo::RefuseBadCommandLine(request))
        return *refused;

    ravo::ProfileState state;
    ravo::QtPlatform platform;
    ravo::frmRavo window(state, platform);
    window.show();
    if (!request.file.isEmpty())
        QTimer::singleShot(0, &window, [&window, &request] { window.OpenFile(request.file); });
    return QApplication::exec();
}
