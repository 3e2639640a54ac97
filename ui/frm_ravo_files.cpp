// Loading and saving the input file, and the output-title window.
#include <QGroupBox>
#include <QLineEdit>

#include "core/input_file.h"
#include "core/numbers.h"
#include "frm_ravo.h"
#include "frm_title.h"

namespace ravo {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

FileDialogRequest InputFileDialog(FileDialogKind kind)
{
    return {kind,
            QStringLiteral("All Files (*.*)|*.*|Input Files (*.in)|*.in|Text Files (*.txt)|*.txt"),
            2};
}

}  // namespace

frmTitle& frmRavo::TitleWindow()
{
    if (!title_) {
        title_ = std::make_unique<frmTitle>(state_);
        title_->setFont(font());
        title_->setWindowIcon(windowIcon());
    }
    return *title_;
}

void frmRavo::mnuDOutT_Click()
{
    frmTitle& window = TitleWindow();
    window.show();
    window.raise();
    window.activateWindow();
}

// The whole file is read before anything changes, so a file that cannot be
// read leaves the profile, the window and the file names as they were.
void frmRavo::mnuLoad_Click()
{
    const std::optional<FileChoice> choice =
        platform_.ChooseFile(this, InputFileDialog(FileDialogKind::Open));
    if (!choice)
        return;
    InputProfile profile;
    try {
        profile = ReadInputFile(choice->fullPath.toStdString());
    } catch (const std::exception&) {  // InputFileError, or a failure of the file system
        ShowMessage(QStringLiteral("Error loading input file"));
        return;
    }
    RememberInputFile(*choice);
    ResetAll();
    ApplyInputProfile(state_, std::move(profile));
    ShowLoadedProfile();
}

void frmRavo::ShowLoadedProfile()
{
    TitleWindow().SetTitleText(Text(state_.OutputTitle));
    state_.Loading = 1;
    ClearElevationPanel();
    ShowLoadedKind(curves_);
    ShowLoadedKind(supers_);
    state_.Loading = 0;
    ProfileChanged(true);
}

// Row 1 of a kind, or the empty frame when the file has none of that kind.
// The count box shows the count as read, in plain digits.
void frmRavo::ShowLoadedKind(Editor& editor)
{
    const std::int32_t count = CountOf(state_, editor.kind);
    editor.countBox->setText(QString::number(count));
    if (count >= 1) {
        CurrentRowOf(state_, editor.kind) = 1;
        editor.frame->setEnabled(true);
        ShowRow(editor);
    } else {
        editor.frame->setEnabled(false);
        editor.frame->setTitle(editor.emptyCaption);
        for (QLineEdit* field : editor.fields)
            field->clear();
    }
}

// Writes beside the chosen file and replaces it only when the whole profile
// is written, so a failed save destroys nothing and changes nothing.
void frmRavo::mnuInput_Click()
{
    const std::optional<FileChoice> choice =
        platform_.ChooseFile(this, InputFileDialog(FileDialogKind::Save));
    if (!choice)
        return;
    try {
        WriteInputFile(state_, choice->fullPath.toStdString());
    } catch (const std::exception&) {  // InputFileError, or no memory for the text
        ShowMessage(QStringLiteral("Error saving input file"));
        return;
    }
    RememberInputFile(*choice);
}

void frmRavo::RememberInputFile(const FileChoice& choice)
{
    state_.InputPath = choice.fullPath.toStdString();
    state_.InputFileTitle = choice.fileName.toStdString();
    SetPanelText(1, QStringLiteral("Input file = ") + choice.fileName);
}

}  // namespace ravo
