// Loading and saving the input file, and the output-title window.
#include <QGroupBox>
#include <QLineEdit>

#include "core/formats/input_file.h"
#include "core/formats/landxml_write.h"
#include "core/formats/pvi_mapping.h"
#include "core/text/numbers.h"
#include "ui/main_window/frm_ravo.h"
#include "ui/main_window/segment_editor.h"
#include "ui/small_windows/frm_title.h"
#include "ui/widgets/text.h"

namespace ravo {
namespace {

const QString InputFileFilters =
    QStringLiteral("All Files (*.*)|*.*|Input Files (*.in)|*.in|Text Files (*.txt)|*.txt");

FileDialogRequest InputFileDialog(FileDialogKind kind) { return {kind, InputFileFilters, 2}; }

// A load reads every format, so it offers each beside the input files.
FileDialogRequest LoadFileDialog()
{
    return {
        FileDialogKind::Open,
        InputFileFilters + QStringLiteral("|LandXML Files (*.xml)|*.xml|PVI Tables (*.csv)|*.csv"),
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
// read leaves the profile, the window and the file names as they were. Input
// files, LandXML files and PVI tables are told apart by their content.
void frmRavo::mnuLoad_Click()
{
    const std::optional<FileChoice> choice = platform_.ChooseFile(this, LoadFileDialog());
    if (choice)
        LoadChosenFile(*choice);
}

void frmRavo::LoadChosenFile(const FileChoice& choice)
{
    std::optional<LoadedProfile> loaded = ReadChosenProfile(choice.fullPath);
    if (!loaded)
        return;
    RememberInputFile(choice);
    undo_.KeepBefore(state_);
    ResetAll();
    ApplyInputProfile(state_, std::move(loaded->profile));
    lengthUnit_ = loaded->unit;
    TakeProfileGround(loaded->ground, loaded->notes);
    ShowLoadedProfile();
    ShowNotes(loaded->notes);
}

// With several profiles in a LandXML file, the user picks one; a cancelled
// choice loads nothing and says nothing. A file that does not load ends the
// command in its guard's message, with the reason beneath it.
std::optional<LoadedProfile> frmRavo::ReadChosenProfile(const QString& path)
{
    ProfileSource source;
    while (true) {
        try {
            return ReadAnyProfile(path.toStdString(), source);
        } catch (const ProfileChoiceError& e) {
            QStringList items;
            for (const std::string& choice : ChoiceTexts(e.Candidates()))
                items << Text(choice);
            const std::optional<int> chosen = platform_.ChooseItem(
                this, QStringLiteral("Load Input"),
                QStringLiteral("The file holds several profiles. Load which one?"), items);
            if (!chosen || *chosen < 0 || *chosen >= items.size())
                return std::nullopt;
            source.selection = e.Candidates()[static_cast<std::size_t>(*chosen)];
        }
    }
}

void frmRavo::ShowNotes(const std::vector<std::string>& notes)
{
    if (notes.empty())
        return;
    QStringList texts;
    for (const std::string& note : notes)
        texts << Text(note);
    platform_.ShowMessage(this, Message{.text = texts.join(QStringLiteral("\n\n")),
                                        .icon = MessageIcon::Information});
}

void frmRavo::ShowLoadedProfile()
{
    TitleWindow().SetTitleText(Text(state_.OutputTitle));
    state_.Loading = 1;
    ClearElevationPanel();
    curves_->ShowLoaded();
    supers_->ShowLoaded();
    state_.Loading = 0;
    ProfileChanged(true);
    // Not left in a count box, where the next key would make the tables anew.
    txtStation->setFocus();
}

// Writes beside the chosen file and replaces it only when the whole profile
// is on disk, so a failed save destroys nothing and changes nothing; the
// message says why it failed.
void frmRavo::mnuInput_Click()
{
    const std::optional<FileChoice> choice =
        platform_.ChooseFile(this, InputFileDialog(FileDialogKind::Save));
    if (!choice)
        return;
    WriteInputFile(state_, choice->fullPath.toStdString());  // a failure ends in the guard
    RememberInputFile(*choice);
}

// Writes the vertical curves as LandXML in the unit of the loaded profile;
// the profile and the file names stay as they are. Rows that do not form one profile are refused
// with their faults.
void frmRavo::mnuLandXML_Click()
{
    const std::optional<FileChoice> choice = platform_.ChooseFile(
        this, {FileDialogKind::Save, QStringLiteral("LandXML Files (*.xml)|*.xml"), 1});
    if (!choice)
        return;
    try {
        ShowNotes(WriteLandXml(state_, choice->fullPath.toStdString(), lengthUnit_));
    } catch (const ProfileNotContinuousError& e) {
        constexpr std::size_t Listed = 20;
        QStringList lines;
        for (std::size_t i = 0; i < e.Faults().size() && i < Listed; ++i)
            lines << Text(FaultText(e.Faults()[i], false));
        if (e.Faults().size() > Listed)
            lines << QStringLiteral("and %1 more").arg(e.Faults().size() - Listed);
        platform_.ShowMessage(
            this, Message{.text = QStringLiteral("The vertical curves do not form one continuous "
                                                 "profile, so no LandXML file was written:\n\n") +
                                  lines.join(QLatin1Char('\n')),
                          .icon = MessageIcon::Warning});
    }
}

void frmRavo::RememberInputFile(const FileChoice& choice)
{
    state_.InputPath = choice.fullPath.toStdString();
    state_.InputFileTitle = choice.fileName.toStdString();
    SetPanelText(1, QStringLiteral("Input file = ") + choice.fileName);
    AddRecentFile(choice.fullPath);
}

}  // namespace ravo
