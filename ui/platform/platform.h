// The program's seam to the desktop: message boxes, the beep, file dialogs, the
// text editor and the help viewer. Windows call these instead of Qt's modal
// dialogs directly, so that tests can script every answer.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace ravo {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Question, Warning };
enum class MessageAnswer { Ok, Yes, No };

struct Message {
    QString text;
    QString title = QStringLiteral("Ravo");
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
    // The system's reason beneath the program's own text, behind "Show Details...".
    QString detail = {};
};

enum class FileDialogKind { Open, Save };

// A file dialog's filter list, "Description|pattern|Description|pattern", and
// the entry (counted from 1) that the dialog starts with.
struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    QString filterList;
    int initialFilter = 1;
    // A Save dialog asks before a chosen existing file is replaced.
    bool confirmOverwrite = true;
};

struct FileChoice {
    QString fullPath;  // the chosen file with its folder
    QString fileName;  // the name alone
};

class Platform {
public:
    virtual ~Platform() = default;

    // Shows a modal message and returns the button that closed it.
    virtual MessageAnswer ShowMessage(QWidget* parent, const Message& message) = 0;
    virtual void Beep() = 0;
    // Empty when the user cancelled the dialog.
    virtual std::optional<FileChoice> ChooseFile(QWidget* parent,
                                                 const FileDialogRequest& request) = 0;
    // Opens the file in the desktop's text editor without waiting for it;
    // false when no editor could be started.
    virtual bool StartTextEditor(const QString& path) = 0;
    // Shows a page of the compiled help file in a help window of its own.
    // A missing file or page shows nothing.
    virtual void ShowHelpTopic(const QString& helpFile, const QString& topic) = 0;
    // Asks the user to pick one of the items; the index chosen, empty when
    // the user cancelled.
    virtual std::optional<int> ChooseItem(QWidget* parent, const QString& title,
                                          const QString& label, const QStringList& items) = 0;
};

}  // namespace ravo
