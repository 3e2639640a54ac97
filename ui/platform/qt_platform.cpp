// The platform seam on the desktop: Qt's message boxes, file dialogs, beep, editor and help.
#include "ui/platform/qt_platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

#include "ui/platform/dialog_folders.h"
#include "ui/small_windows/help_viewer.h"

namespace ravo {
namespace {

QMessageBox::Icon QtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton QtButton(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Yes:
        return QMessageBox::Yes;
    case MessageAnswer::No:
        return QMessageBox::No;
    case MessageAnswer::Ok:
        break;
    }
    return QMessageBox::Ok;
}

}  // namespace

QStringList QtNameFilters(const QString& filterList)
{
    const QStringList parts = filterList.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // Qt shows the patterns in brackets after the description itself.
        QString description = parts[i];
        const qsizetype bracket = description.indexOf(QLatin1String(" ("));
        if (bracket >= 0)
            description.truncate(bracket);
        QString pattern = parts[i + 1];
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
        filters << QStringLiteral("%1 (%2)").arg(description, pattern);
    }
    return filters;
}

QtPlatform::QtPlatform() = default;

QtPlatform::~QtPlatform() = default;

MessageAnswer QtPlatform::ShowMessage(QWidget* parent, const Message& message)
{
    QMessageBox box(QtIcon(message.icon), message.title, message.text, QMessageBox::NoButton,
                    parent);
    if (message.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QtButton(message.defaultAnswer));
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    if (!message.detail.isEmpty())
        box.setDetailedText(message.detail);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Ok;
    }
}

void QtPlatform::Beep() { QApplication::beep(); }

std::optional<int> QtPlatform::ChooseItem(QWidget* parent, const QString& title,
                                          const QString& label, const QStringList& items)
{
    bool accepted = false;
    const QString chosen = QInputDialog::getItem(parent, title, label, items, 0, false, &accepted);
    if (!accepted)
        return std::nullopt;
    const auto index = items.indexOf(chosen);
    return index < 0 ? std::nullopt : std::optional<int>(static_cast<int>(index));
}

std::optional<FileChoice> QtPlatform::ChooseFile(QWidget* parent, const FileDialogRequest& request)
{
    QFileDialog dialog(parent);
    const QStringList filters = QtNameFilters(request.filterList);
    dialog.setNameFilters(filters);
    if (request.initialFilter >= 1 && request.initialFilter <= filters.size())
        dialog.selectNameFilter(filters[request.initialFilter - 1]);
    if (request.kind == FileDialogKind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    const QString folder = LastDialogFolder(request);
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    RememberDialogFolder(request, path);
    return FileChoice{path, QFileInfo(path).fileName()};
}

bool QtPlatform::StartTextEditor(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void QtPlatform::ShowHelpTopic(const QString& helpFile, const QString& topic)
{
    if (helpViewer_ == nullptr)
        helpViewer_ = std::make_unique<HelpViewer>();
    helpViewer_->ShowTopic(helpFile, topic);
}

}  // namespace ravo
