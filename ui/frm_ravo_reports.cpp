// The output report: choosing and viewing it, the input data echo and the
// elevation log with the elevations "Next" button.
#include <QAction>
#include <QLineEdit>
#include <new>

#include "core/numbers.h"
#include "core/report.h"
#include "frm_ravo.h"

namespace ravo {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// LeadingNumber of a count box; a text too large to read is no zero.
double CountBoxNumber(const QLineEdit* box)
{
    try {
        return LeadingNumber(box->text().toStdString());
    } catch (const OverflowError&) {
        return 1;
    }
}

}  // namespace

void frmRavo::Refuse(const QString& text)
{
    platform_.Beep();
    ShowMessage(text);
}

void frmRavo::ShowInformation(const QString& text, const QString& title)
{
    platform_.ShowMessage(this, Message{text, title, MessageButtons::Ok, MessageIcon::Information});
}

// Runs a write to the report. A report that cannot be opened or written is
// closed, logging stops, and the user is told which file and why.
bool frmRavo::WriteReport(const std::function<void()>& write)
{
    try {
        write();
        state_.OutputFileNum = report_.Number();
        return true;
    } catch (const ReportFileError& error) {
        report_.Close();
        state_.OutputFileNum = report_.Number();
        state_.LoggingOn = 0;
        ReportLoggingState();
        platform_.ShowMessage(
            this, Message{QStringLiteral("Unable to write output file\n\n") + Text(error.what()),
                          QStringLiteral("Ravo"), MessageButtons::Ok, MessageIcon::Warning});
        return false;
    }
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
    const QString current = Text(state_.OutputFileTitle);
    if (choice->fileName == current) {
        const MessageAnswer answer = platform_.ShowMessage(
            this, Message{QStringLiteral("You have already specified ") + current +
                              QStringLiteral(
                                  " as the output filename.\nDo you want to overwrite this file?"),
                          QStringLiteral("Output file"), MessageButtons::YesNo,
                          MessageIcon::Question, MessageAnswer::No});
        // No keeps the report where it was, so later lines still go to the
        // file that the status bar names.
        if (answer != MessageAnswer::Yes)
            return;
        report_.Close();
        state_.OutputFileNum = report_.Number();
    }
    state_.OutputPath = choice->fullPath.toStdString();
    SetPanelText(2, QStringLiteral("Output file = ") + choice->fileName);
    state_.OutputFileTitle = choice->fileName.toStdString();
}

void frmRavo::mnuVOut_Click()
{
    if (state_.OutputPath.empty()) {
        platform_.Beep();
        ShowInformation(QStringLiteral("Please save output file"), QStringLiteral("VIEW OUTPUT"));
        return;
    }
    report_.Close();
    state_.OutputFileNum = report_.Number();
    if (!platform_.StartTextEditor(Text(state_.OutputPath)))
        ShowInformation(QStringLiteral("Unable to view output file"),
                        QStringLiteral("VIEW OUTPUT"));
}

void frmRavo::mnuPrintCS_Click()
{
    if (state_.OutputPath.empty())
        return Refuse(QStringLiteral("Please specify output filename"));
    if (CountBoxNumber(txtNVC) == 0)
        return Refuse(QStringLiteral("No curves are specified"));

    state_.VersionText = CurrentVersionText();
    std::vector<std::string> lines;
    try {
        lines = EchoLines(state_, clock_(), CountBoxNumber(txtNSUP) != 0);
    } catch (const std::bad_alloc&) {
        return ShowOutOfMemory(QStringLiteral("input data echo"));
    }
    const bool written = WriteReport([&] {
        report_.OpenForWriting(state_.OutputPath);
        report_.WriteLines(lines);
    });
    if (!written)
        return;
    ShowInformation(QStringLiteral("Input data echo complete"), QStringLiteral("INPUT DATA ECHO"));
    mnuPrintCS->setEnabled(false);
    mnuVOut->setEnabled(true);
}

void frmRavo::mnuStartPrint_Click()
{
    if (state_.OutputPath.empty())
        return Refuse(QStringLiteral("Please specify output filename"));
    platform_.Beep();
    ShowInformation(QStringLiteral("Use Next button to print elevations"),
                    QStringLiteral("ELEVATION CALCULATIONS"));
    const bool written = WriteReport([&] {
        report_.OpenForAppending(state_.OutputPath);
        report_.WriteLines(LogHeaderLines());
    });
    if (!written)
        return;
    state_.LoggingOn = 1;
    SetPanelText(2, QStringLiteral("Output file = ") + Text(state_.OutputFileTitle));
    ReportLoggingState();
}

void frmRavo::mnuStopPrint_Click()
{
    state_.LoggingOn = 0;
    SetPanelText(2, QStringLiteral("Output file = ") + Text(state_.OutputFileTitle));
    ReportLoggingState();
    mnuVOut->setEnabled(true);
}

// Logs the point shown when logging is on, then steps the station on by the
// distance from the station of the previous press.
void frmRavo::SScmdNextElev_Click()
{
    float station = 0;
    float step = 0;
    float next = 0;
    try {
        station = ToFloat(LeadingNumber(txtStation->text().toStdString()));
        step = ToFloat(static_cast<double>(station) - state_.PrevStation);
        next = ToFloat(static_cast<double>(station) + step);
    } catch (const OverflowError&) {
        ShowMessage(QStringLiteral("Invalid Entry"));
        return;
    }
    state_.CalcStation = station;
    if (state_.LoggingOn == 1) {
        // A report closed by viewing it or by choosing it again is opened
        // again, so that no logged point is lost.
        const bool written = WriteReport([&] {
            if (!report_.IsOpen())
                report_.OpenForAppending(state_.OutputPath);
            report_.WriteLine(LogLine(state_));
        });
        if (!written)
            return;
    }
    // The step is taken only once the point is logged, so that a press whose
    // line could not be written can be repeated with the same step.
    state_.PrevStation = station;
    // Written with every digit the float holds: the next press reads the
    // station back from the box, and seven digits would let it drift.
    txtStation->setText(Text(ExactNumberText(next)));
}

}  // namespace ravo
