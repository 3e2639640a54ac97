// The main window as a desktop program: files opened from the command line, a
// drop or the recent files list, and the window's place kept between runs.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QUrl>

#include "ui/main_window/command_guard.h"
#include "ui/main_window/frm_ravo.h"
#include "ui/main_window/recent_files.h"

namespace ravo {
namespace {

const QString PositionKey = QStringLiteral("MainWindow/position");

// The one local file that a drag carries; empty for anything else, several
// files among them, since only one profile can be loaded.
QString DraggedFile(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile())
        return {};
    return urls.constFirst().toLocalFile();
}

}  // namespace

void frmRavo::OpenFile(const QString& path)
{
    const QFileInfo file(path);
    RunCommand(platform_, this, LoadFailureText(), [&] {
        LoadChosenFile(FileChoice{file.absoluteFilePath(), file.fileName()});
    });
}

// Takes a drag of one file over the window or any of its boxes. The load
// waits until the drop is over, so that the program that the file came from
// is not held by a question about the file.
bool frmRavo::HandleFileDrop(QEvent* event)
{
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (DraggedFile(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    if (event->type() != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = DraggedFile(drop->mimeData());
    if (path.isEmpty())
        return false;
    drop->acceptProposedAction();
    QMetaObject::invokeMethod(
        this, [this, path] { OpenFile(path); }, Qt::QueuedConnection);
    return true;
}

void frmRavo::dragEnterEvent(QDragEnterEvent* event)
{
    if (!HandleFileDrop(event))
        QMainWindow::dragEnterEvent(event);
}

void frmRavo::dragMoveEvent(QDragMoveEvent* event)
{
    if (!HandleFileDrop(event))
        QMainWindow::dragMoveEvent(event);
}

void frmRavo::dropEvent(QDropEvent* event)
{
    if (!HandleFileDrop(event))
        QMainWindow::dropEvent(event);
}

void frmRavo::BuildRecentMenu(QMenu* fileMenu)
{
    mnuRecent = new QMenu(QStringLiteral("Recent &Files"), fileMenu);
    mnuRecent->setObjectName(QStringLiteral("mnuRecent"));
    mnuRecent->menuAction()->setObjectName(QStringLiteral("mnuRecentItem"));
    fileMenu->addMenu(mnuRecent);
    for (qsizetype i = 0; i < RecentFilesKept; ++i) {
        QAction* item = mnuRecent->addAction(QString());
        item->setObjectName(QStringLiteral("mnuRecent%1").arg(i + 1));
        connect(item, &QAction::triggered, this,
                [this, item] { OpenFile(item->data().toString()); });
        mnuRecentFiles.push_back(item);
    }
    ShowRecentFiles();
}

void frmRavo::ShowRecentFiles()
{
    const QStringList files = StoredRecentFiles();
    for (qsizetype i = 0; i < RecentFilesKept; ++i) {
        QAction* item = mnuRecentFiles[static_cast<std::size_t>(i)];
        item->setVisible(i < files.size());
        item->setText(i < files.size() ? RecentFileCaption(i, files[i]) : QString());
        item->setData(files.value(i));
    }
    mnuRecent->menuAction()->setEnabled(!files.isEmpty());
}

void frmRavo::AddRecentFile(const QString& path)
{
    StoreRecentFiles(WithRecentFile(StoredRecentFiles(), QFileInfo(path).absoluteFilePath()));
    ShowRecentFiles();
}

// The size is fixed, so only the place is kept; a place on no screen (one
// that has been unplugged since) leaves the window centred.
void frmRavo::RestoreWindowPosition()
{
    const QSettings settings;
    if (!settings.contains(PositionKey))
        return;
    const QPoint position = settings.value(PositionKey).toPoint();
    const QRect placed(position, frameGeometry().size());
    if (QGuiApplication::screenAt(placed.center()) != nullptr)
        move(position);
}

void frmRavo::SaveWindowPosition()
{
    if (windowHandle() != nullptr)  // a window never shown has no place of its own
        QSettings().setValue(PositionKey, pos());
}

}  // namespace ravo
