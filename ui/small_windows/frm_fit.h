// The Fit Grade Line window: the criteria of the grade line of least
// earthwork over a ground, the fit run on a worker thread, its earthwork
// beside the current design's, and "Use" to make it the profile.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "core/fit/grade_fit.h"
#include "core/ground/ground_profile.h"
#include "core/profile/profile_state.h"
#include "ui/platform/platform.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
template <typename T>
class QFutureWatcher;

namespace ravo {

// What a fit on the worker thread hands back: the fit and its checks, or the
// reason it could not be made.
struct FitOutcome {
    std::optional<FitResult> result;
    ProfileState fitted;
    std::vector<std::string> faults;  // CriteriaFaults of the fitted profile
    std::optional<Earthwork> design;  // of the current design on the same ground
    std::string designNote;           // why the current design has no earthwork
    std::string error;                // a FitError's or a failure's message
};

// What the window asks of the main window.
struct FitHooks {
    // The fitted line to show beside the design in the profile window; none
    // takes it away.
    std::function<void(std::optional<ProfileState>)> showFitted;
    // "Use": the fitted profile becomes the profile, as a load would make it.
    std::function<void(const FitResult&)> use;
};

class frmFit : public QWidget {
    Q_OBJECT

public:
    // Created once, on first use, and afterwards only hidden and shown; the
    // current design is read at each fit.
    frmFit(const ProfileState& state, Platform& platform, FitHooks hooks,
           QWidget* parent = nullptr);
    ~frmFit() override;

    // A ground handed in by the program (or read by "Ground file..."): its name
    // is shown beside the button and its range fills the station boxes.
    void SetGround(GroundProfile ground, const QString& name);
    // The design speed's unit follows the loaded profile's.
    void SetProfileUnit(LengthUnits units);
    // Empty station boxes take the ground's range, else the design's.
    void FillRange();
    bool Running() const;
    QString ResultText() const;
    const std::optional<FitResult>& Result() const { return result_; }

private:
    // Layout, in frm_fit.cpp.
    void BuildCriteria();
    void BuildLists();
    void BuildButtons();
    // The fit, in frm_fit_run.cpp.
    void cmdGround_Click();
    void cmdFit_Click();
    void FitFinished();
    void cmdUse_Click();
    std::optional<FitCriteria> CriteriaFromBoxes();
    void ShowOutcome(const FitOutcome& outcome);
    void Refuse(const QString& text);

    const ProfileState& state_;
    Platform& platform_;
    FitHooks hooks_;
    std::optional<GroundProfile> ground_;
    std::optional<FitResult> result_;
    QFutureWatcher<FitOutcome>* watcher_ = nullptr;

    QLabel* lblGround = nullptr;
    QPushButton* cmdGround = nullptr;
    QLineEdit* txtFrom = nullptr;
    QLineEdit* txtTo = nullptr;
    QLineEdit* txtPiece = nullptr;
    QLineEdit* txtSpeed = nullptr;
    QComboBox* cboUnits = nullptr;
    QLineEdit* txtMaxGrade = nullptr;
    QLineEdit* txtMaxPvis = nullptr;
    QCheckBox* chkBalance = nullptr;
    QLineEdit* txtWidth = nullptr;
    QLineEdit* txtFillSlope = nullptr;
    QLineEdit* txtCutSlope = nullptr;
    QTableWidget* tblFixed = nullptr;
    QTableWidget* tblWindows = nullptr;
    QPlainTextEdit* txtResult = nullptr;
    QPushButton* cmdFit = nullptr;
    QPushButton* cmdUse = nullptr;
    QPushButton* cmdClose = nullptr;
};

}  // namespace ravo
