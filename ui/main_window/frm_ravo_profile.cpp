// View > Profile, and what keeps the profile window up to date.
#include <QLineEdit>

#include "ui/main_window/frm_ravo.h"
#include "ui/profile_window/frm_profile.h"

namespace ravo {

// Made once; the station it is clicked at goes into the station box as if
// typed, so the calculation, the elevation box and the log all see it.
frmProfile& frmRavo::ProfileWindow()
{
    if (profile_ == nullptr) {
        profile_ = new frmProfile(
            state_, platform_, [this](const QString& station) { txtStation->setText(station); },
            this);
        profile_->CalculationDone();
        profile_->SetProfileUnit(lengthUnit_);
        profile_->SetGround(ground_);
    }
    return *profile_;
}

void frmRavo::mnuVProfile_Click()
{
    frmProfile& window = ProfileWindow();
    window.show();
    window.raise();
    window.activateWindow();
}

void frmRavo::ProfileChanged(bool fit)
{
    if (profile_ == nullptr)
        return;
    profile_->SetProfileUnit(lengthUnit_);
    profile_->ProfileChanged(fit);
}

void frmRavo::RowStored(SegmentKind kind, std::int32_t row)
{
    undo_.Edited();
    if (profile_ != nullptr)
        profile_->RowStored(kind, row);
}

void frmRavo::KindChanged(SegmentKind kind)
{
    if (profile_ != nullptr)
        profile_->KindChanged(kind);
}

}  // namespace ravo
