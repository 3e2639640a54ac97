// The output report's window side: choosing and viewing it, the input data
// echo and the elevation log with the elevations "Next" button. The rules of
// the report itself live in the report session.
#include <QAction>
#include <QLineEdit>

#include "core/text/numbers.h"
#include "ui/main_window/command_guard.h"
#include "ui/main_window/frm_ravo.h"
#include "ui/widgets/text.h"

namespace ravo {

void frmRavo::Refuse(const QString& text)
{
    platform_.Beep();
    ShowMessage(text);
}

bool frmRavo::Refused(ReportRefusal refusal)
{
    if (refusal == ReportRefusal::None)
        return false;
    Refuse(Text(RefusalText(refusal)));
    return true;
}

void frmRavo::ShowInformation(const QString& text, const QString& title)
{
    platform_.ShowMessage(this, Message{text, title, MessageButtons::Ok, MessageIcon::Information});
}

// Runs a report command. One that fails has closed the report and stopped
// logging; the status bar shows that, and the user is told why.
bool frmRavo::WriteReport(const std::function<void()>& write)
{
    QString reason;
    try {
        write();
        return true;
    } catch (const std::exception& error) {
        reason = ReasonOf(error);
    }
    ReportLoggingState();
    Message message{QStringLiteral("Unable to write output file"), QStringLiteral("Ravo"),
                    MessageButtons::Ok, MessageIcon::Warning};
    message.detail = reason;
    platform_.ShowMessage(this, message);
    return false;
}

void frmRavo::ReportLoggingState()
{
    SetPanelText(3, state_.LoggingOn == 1 ? QStringLiteral("Elevation logging is on")
                                          : QStringLiteral("Elevation logging is off"));
}

void frmRavo::mnuOutput_Click()
{
    const std::optional<FileChoice> choice = platform_.ChooseFile(
        this,
        {FileDialogKind::Save,
         QStringLiteral("All Files (*.*)|*.*|Output Files (*.out)|*.out|Text Files (*.txt)|*.txt"),
         2,
         // Choosing the report replaces nothing yet; the program asks
         // its own question when the name is the current one.
         false});
    if (!choice)
        return;
    const std::string fileName = choice->fileName.toStdString();
    if (report_.IsCurrentName(fileName)) {
        const MessageAnswer answer = platform_.ShowMessage(
            this, Message{QStringLiteral("You have already specified ") + choice->fileName +
                              QStringLiteral(
                                  " as the output filename.\nDo you want to overwrite this file?"),
                          QStringLiteral("Output file"), MessageButtons::YesNo,
                          MessageIcon::Question, MessageAnswer::No});
        // No keeps the report where it was, so later lines still go to the
        // file that the status bar names.
        if (answer != MessageAnswer::Yes)
            return;
    }
    report_.Choose(choice->fullPath.toStdString(), fileName);
    SetPanelText(2, QStringLiteral("Output file = ") + choice->fileName);
}

void frmRavo::mnuVOut_Click()
{
    if (!report_.HasOutputFile()) {
        platform_.Beep();
        ShowInformation(QStringLiteral("Please save output file"), QStringLiteral("VIEW OUTPUT"));
        return;
    }
    report_.Close();
    if (!platform_.StartTextEditor(Text(state_.OutputPath)))
        ShowInformation(QStringLiteral("Unable to view output file"),
                        QStringLiteral("VIEW OUTPUT"));
}

void frmRavo::mnuPrintCS_Click()
{
    ReportRefusal refusal = ReportRefusal::None;
    const bool written = WriteReport([&] {
        refusal = report_.Echo(txtNVC->text().toStdString(), txtNSUP->text().toStdString());
    });
    if (!written || Refused(refusal))
        return;
    ShowInformation(QStringLiteral("Input data echo complete"), QStringLiteral("INPUT DATA ECHO"));
    mnuPrintCS->setEnabled(false);
    mnuVOut->setEnabled(true);
}

void frmRavo::mnuStartPrint_Click()
{
    if (!report_.HasOutputFile()) {
        Refused(ReportRefusal::NoOutputFile);
        return;
    }
    platform_.Beep();
    ShowInformation(QStringLiteral("Use Next button to print elevations"),
                    QStringLiteral("ELEVATION CALCULATIONS"));
    if (!WriteReport([&] { report_.StartLogging(); }))
        return;
    SetPanelText(2, QStringLiteral("Output file = ") + Text(state_.OutputFileTitle));
    ReportLoggingState();
}

void frmRavo::mnuStopPrint_Click()
{
    report_.StopLogging();
    SetPanelText(2, QStringLiteral("Output file = ") + Text(state_.OutputFileTitle));
    ReportLoggingState();
    mnuVOut->setEnabled(true);
}

// Logs the point shown when logging is on, then steps the station on by the
// distance from the station of the previous press.
void frmRavo::SScmdNextElev_Click()
{
    std::string next;
    bool invalid = false;
    const bool written = WriteReport([&] {
        try {
            next = report_.Next(txtStation->text().toStdString());
        } catch (const OverflowError&) {
            invalid = true;  // a station beyond the float range: nothing changed
        }
    });
    if (!written)
        return;
    if (invalid)
        return ShowMessage(QStringLiteral("Invalid Entry"));
    txtStation->setText(Text(next));
}

void frmRavo::ShowMessage(const QString& text) { platform_.ShowMessage(this, Message{text}); }

}  // namespace ravo
