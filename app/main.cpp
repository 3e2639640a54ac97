// Ravo: finished road elevations from vertical curves and superelevation.
#include <QApplication>
#include <csignal>

#include "core/profile/profile_state.h"
#include "core/version.h"
#include "ui/main_window/frm_ravo.h"
#include "ui/platform/qt_platform.h"

int main(int argc, char* argv[])
{
    // A file-size limit then fails the write with EFBIG, which the command
    // reports as any failed write, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ravo"));
    QApplication::setApplicationVersion(QString::fromUtf8(ravo::RavoVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("ravo"));

    ravo::ProfileState state;
    ravo::QtPlatform platform;
    ravo::frmRavo window(state, platform);
    window.show();
    return QApplication::exec();
}
