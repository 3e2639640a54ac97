// The reset procedures, the Reset menu and File > Exit.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>

#include "core/text/numbers.h"
#include "ui/main_window/frm_ravo.h"
#include "ui/main_window/segment_editor.h"
#include "ui/small_windows/frm_title.h"
#include "ui/widgets/text.h"
#include "ui/widgets/window_guard.h"

namespace ravo {

void frmRavo::ClearElevationPanel()
{
    txtStation->clear();  // calculates at station 0 when the box held text
    txtOffset->setText(QStringLiteral("0"));
    // The offset used is always the one the box shows.
    state_.CalcOffset = 0;
    txtElevation->clear();
}

// An emptied editor frame means new rows: the echo may be written again and
// the report is not shown until it is.
void frmRavo::EditorWasReset(SegmentKind kind)
{
    mnuVOut->setEnabled(false);
    mnuPrintCS->setEnabled(true);
    KindChanged(kind);
}

void frmRavo::ResetVerticalCurves() { curves_->Reset(); }

void frmRavo::ResetSuperelevations() { supers_->Reset(); }

void frmRavo::ResetAll()
{
    state_.OutputTitle.clear();
    state_.Loading = 0;
    state_.NumVC = 0;
    state_.NumSup = 0;
    mnuVOut->setEnabled(false);
    mnuPrintCS->setEnabled(true);
    ClearElevationPanel();
    ResetVerticalCurves();
    ResetSuperelevations();
}

void frmRavo::mnuResetVcurves_Click()
{
    undo_.KeepBefore(state_);
    state_.NumVC = 0;
    ResetVerticalCurves();
}

void frmRavo::mnuResetSuper_Click()
{
    undo_.KeepBefore(state_);
    state_.NumSup = 0;
    ResetSuperelevations();
}

void frmRavo::mnuResetAll_Click()
{
    undo_.KeepBefore(state_);
    state_.NumVC = 0;
    ResetVerticalCurves();
    state_.NumSup = 0;
    ResetSuperelevations();
}

// The kept tables are shown as a load shows its rows; with nothing kept there
// is nothing to go back to, and only a beep says so.
void frmRavo::mnuUndo_Click()
{
    if (!undo_.Undo(state_)) {
        platform_.Beep();
        return;
    }
    TitleWindow().SetTitleText(Text(state_.OutputTitle));
    const std::int32_t loading = state_.Loading;
    state_.Loading = 1;
    curves_->ShowLoaded();
    supers_->ShowLoaded();
    state_.Loading = loading;
    mnuVOut->setEnabled(false);
    mnuPrintCS->setEnabled(true);
    ProfileChanged();
}

// Ends the program at once: nothing is asked and nothing is saved.
void frmRavo::mnuExit_Click()
{
    report_.Close();
    for (QWidget* window : QApplication::topLevelWidgets())
        AllowClose(*window);
    close();
    QApplication::quit();
}

}  // namespace ravo
