// The main window: the elevation panel, the two segment counts, the editors of
// vertical curves and superelevation segments, the menus and the status bar.
#pragma once

#include <QMainWindow>
#include <QMultiHash>
#include <array>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/formats/profile_file.h"
#include "core/ground/ground_profile.h"
#include "core/profile/profile_state.h"
#include "core/report/report_session.h"
#include "ui/main_window/table_undo.h"
#include "ui/platform/platform.h"

class QAction;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;

namespace ravo {

class frmAbout;
class frmFit;
struct FitResult;
class frmProfile;
class SegmentEditor;
class frmTitle;

class frmRavo : public QMainWindow {
    Q_OBJECT

public:
    // The window works on the program-wide record and reaches the desktop
    // through the platform; both outlive it.
    frmRavo(ProfileState& state, Platform& platform, QWidget* parent = nullptr);
    ~frmRavo() override;

    // Status bar panels, counted from 1.
    QString PanelText(int panel) const;
    void SetPanelText(int panel, const QString& text);

    // Reset procedures, also used by the loader.
    void ClearElevationPanel();
    void ResetVerticalCurves();
    void ResetSuperelevations();
    void ResetAll();

    // The output-title window, created hidden on first use.
    frmTitle& TitleWindow();

    // The profile window, created on first use by View > Profile.
    frmProfile& ProfileWindow();

    // The clock that dates the input data echo; tests fix it.
    void SetClock(std::function<std::tm()> clock);

    // Loads the file as File > Load Input does once a file is chosen: from
    // the command line, a drop or the recent files.
    void OpenFile(const QString& path);

    // The existing ground under the road, empty until one is loaded.
    const GroundProfile& Ground() const { return *ground_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool IsKeyUp(QObject* watched, QEvent* event);
    void DispatchKeyUp(QObject* box);

private:
    // Layout, in frm_ravo.cpp.
    void BuildWindow();
    void BuildCountsFrame(QWidget* client);
    void BuildElevationsFrame(QWidget* client);
    void BuildCurveFrame(QWidget* client);
    void BuildSuperFrame(QWidget* client);
    void BuildMenus();
    void BuildStatusBar();
    void SetTabOrder();
    void FitWindowFont();
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption);
    void Form_Load();
    // A slot that runs handler under the command guard (command_guard.h).
    std::function<void()> Guarded(void (frmRavo::*handler)(), const QString& failureText);

    // Elevation panel, in frm_ravo_elevation.cpp.
    void txtStation_Change();
    void txtOffset_KeyUp();
    void txtElevation_Click();
    void txtElevation_DblClick();
    void CalculateFromBox(QLineEdit* box, float& field);
    void ShowElevation();
    void ApplyEntryFailureRule(QLineEdit* box);

    // The editors' frames were emptied: the report menu items follow.
    void EditorWasReset(SegmentKind kind);
    void ShowMessage(const QString& text);

    // Reset menu and exit, in frm_ravo_reset.cpp.
    void mnuResetVcurves_Click();
    void mnuResetSuper_Click();
    void mnuResetAll_Click();
    // Reset > Undo and Ctrl+Z: the tables as they were before the last
    // re-creation, reset or load.
    void mnuUndo_Click();
    void mnuExit_Click();

    // Opening files from outside the menu and what is kept between runs, in
    // frm_ravo_desktop.cpp.
    bool HandleFileDrop(QEvent* event);
    void BuildRecentMenu(QMenu* fileMenu);
    void ShowRecentFiles();
    void AddRecentFile(const QString& path);
    void RestoreWindowPosition();
    void SaveWindowPosition();

    // Input files and the output title, in frm_ravo_files.cpp.
    void mnuLoad_Click();
    void LoadChosenFile(const FileChoice& choice);
    void ShowLoadedProfile();
    void mnuInput_Click();
    void RememberInputFile(const FileChoice& choice);
    std::optional<LoadedProfile> ReadChosenProfile(const QString& path);
    void mnuLandXML_Click();
    void ShowNotes(const std::vector<std::string>& notes);
    void mnuDOutT_Click();

    // The existing ground, in frm_ravo_ground.cpp.
    void mnuGround_Click();
    std::optional<GroundProfile> ReadChosenGround(const QString& path);
    void TakeProfileGround(const std::vector<GroundLine>& lines, std::vector<std::string>& notes);
    void SetGround(GroundProfile ground);

    // Output report, in frm_ravo_reports.cpp.
    void mnuOutput_Click();
    void mnuVOut_Click();
    void mnuPrintCS_Click();
    void mnuStartPrint_Click();
    void mnuStopPrint_Click();
    void SScmdNextElev_Click();
    void ReportLoggingState();
    bool WriteReport(const std::function<void()>& write);
    bool Refused(ReportRefusal refusal);
    void Refuse(const QString& text);
    void ShowInformation(const QString& text, const QString& title);

    // Help menu, in frm_ravo_help.cpp.
    void mnuContents_Click();
    void mnuAbout_Click();

    // The profile window, in frm_ravo_profile.cpp.
    void mnuVProfile_Click();
    // The rows changed: a stored field, a new count, a reset or a load.
    void ProfileChanged(bool fit = false);
    // One field of a row was stored; a kind's rows were made again or counted anew.
    void RowStored(SegmentKind kind, std::int32_t row);
    void KindChanged(SegmentKind kind);
    void FitNumberBoxes();

    // View > Fit Grade Line, in frm_ravo_fit.cpp: the window made on first
    // use, and "Use" loading the fitted profile as a load does (undoable).
    void mnuFitGrade_Click();
    frmFit& FitWindow();
    void UseFittedProfile(const FitResult& result);
    void HandGroundToFit();

    ProfileState& state_;
    Platform& platform_;
    // The unit of the loaded profile's lengths, named when it is written as
    // LandXML; metres until a file says otherwise.
    LengthUnit lengthUnit_ = LengthUnit::Meter;
    // The ground the profile window draws under the grade line; shared with it.
    std::shared_ptr<const GroundProfile> ground_ = std::make_shared<const GroundProfile>();

    // Controls; each one's objectName is its name here.
    QGroupBox* fraSegments = nullptr;
    QLineEdit* txtNVC = nullptr;
    QLineEdit* txtNSUP = nullptr;
    QGroupBox* fraElevations = nullptr;
    QLineEdit* txtStation = nullptr;
    QLineEdit* txtOffset = nullptr;
    QLineEdit* txtElevation = nullptr;
    QToolButton* SScmdNextElev = nullptr;

    QAction* mnuLoad = nullptr;
    QAction* mnuInput = nullptr;
    QAction* mnuOutput = nullptr;
    QAction* mnuLandXML = nullptr;
    QAction* mnuDOutT = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuGround = nullptr;
    QAction* mnuResetVcurves = nullptr;
    QAction* mnuResetSuper = nullptr;
    QAction* mnuResetAll = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuVOut = nullptr;
    QAction* mnuVProfile = nullptr;
    QAction* mnuFitGrade = nullptr;
    QAction* mnuPrintCS = nullptr;
    QAction* mnuStartPrint = nullptr;
    QAction* mnuStopPrint = nullptr;
    QAction* mnuContents = nullptr;
    QAction* mnuAbout = nullptr;
    QMenu* mnuRecent = nullptr;
    std::vector<QAction*> mnuRecentFiles;  // mnuRecent1 to mnuRecent5

    SegmentEditor* curves_ = nullptr;  // the two editor frames, children of the window
    SegmentEditor* supers_ = nullptr;
    std::array<QLabel*, 3> panels_{};
    frmAbout* about_ = nullptr;      // created on first use, then only hidden and shown
    frmProfile* profile_ = nullptr;  // likewise
    frmFit* fit_ = nullptr;          // likewise
    std::unique_ptr<frmTitle> title_;
    TableUndo undo_;        // the tables before the last re-creation, reset or load
    ReportSession report_;  // the output report, open between commands
    QMultiHash<QObject*, int> pressedKeys_;  // keys pressed in each box and not yet released
};

}  // namespace ravo
