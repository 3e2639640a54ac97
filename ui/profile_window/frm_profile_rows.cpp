// The profile window following single changes of the rows: a shown window
// updates its index for the row or the kind that changed, never all of it.
#include "ui/profile_window/frm_profile.h"
#include "ui/profile_window/frm_profile_plot.h"

namespace ravo {

// A hidden window, or one whose index is already out of date, is worked out
// whole when it is next shown.
void frmProfile::RowStored(SegmentKind kind, std::int32_t row)
{
    if (stale_ || !isVisible() || index_ == nullptr) {
        stale_ = true;
        return;
    }
    index_->RowChanged(state_, kind, row);
    plotProfile->SetIndex(index_);
}

void frmProfile::KindChanged(SegmentKind kind)
{
    if (stale_ || !isVisible() || index_ == nullptr) {
        stale_ = true;
        return;
    }
    index_->KindChanged(state_, kind);
    plotProfile->SetIndex(index_);
}

}  // namespace ravo
