// View > Fit Grade Line: the fit window, the fitted line handed to the
// profile window, and "Use" loading the fitted profile as a load does.
#include "core/fit/grade_fit.h"
#include "core/formats/input_file.h"
#include "core/formats/pvi_mapping.h"
#include "ui/main_window/command_guard.h"
#include "ui/main_window/frm_ravo.h"
#include "ui/profile_window/frm_profile.h"
#include "ui/small_windows/frm_fit.h"

namespace ravo {

frmFit& frmRavo::FitWindow()
{
    if (fit_ == nullptr) {
        FitHooks hooks;
        hooks.showFitted = [this](std::optional<ProfileState> fitted) {
            frmProfile& window = ProfileWindow();
            const bool shown = fitted.has_value();
            window.SetFittedLine(std::move(fitted));
            if (shown && !window.isVisible())
                window.show();
        };
        hooks.use = [this](const FitResult& result) {
            RunCommand(platform_, this, CommandFailedText(),
                       [this, &result] { UseFittedProfile(result); });
        };
        fit_ = new frmFit(state_, platform_, std::move(hooks), this);
        fit_->setFont(font());
        fit_->setWindowIcon(windowIcon());
        HandGroundToFit();
    }
    return *fit_;
}

// The ground loaded in the main window is the fit's, until "Ground file..."
// in the fit window picks another.
void frmRavo::HandGroundToFit()
{
    if (fit_ != nullptr && !ground_->Empty())
        fit_->SetGround(*ground_, QStringLiteral("Loaded ground"));
}

void frmRavo::mnuFitGrade_Click()
{
    frmFit& window = FitWindow();
    window.SetProfileUnit(lengthUnit_ == LengthUnit::Meter ? LengthUnits::Metres
                                                           : LengthUnits::Feet);
    window.FillRange();
    window.show();
    window.raise();
    window.activateWindow();
}

// The fitted curves replace the vertical curves as a load replaces them, so
// that Reset > Undo brings the tables back; the superelevation and the title
// are no part of the fit and stay as they are.
void frmRavo::UseFittedProfile(const FitResult& result)
{
    InputProfile fitted = RowsFromPoints(result.pvis, state_.OutputTitle);
    if (state_.NumSup >= 1) {
        const KindTables segments = TablesOf(state_, SegmentKind::Superelevation);
        fitted.numSup = state_.NumSup;
        for (std::size_t c = 0; c < segments.size(); ++c)
            fitted.segments[c] = *segments[c];
    }
    undo_.KeepBefore(state_);
    ResetAll();
    ApplyInputProfile(state_, std::move(fitted));
    ShowLoadedProfile();
}

}  // namespace ravo
