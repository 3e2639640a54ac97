// The elevation panel: a station or offset typed in gives the finished
// elevation at once.
#include <QLineEdit>

#include "core/profile/elevation.h"
#include "core/text/numbers.h"
#include "ui/main_window/frm_ravo.h"
#include "ui/profile_window/frm_profile.h"
#include "ui/widgets/text.h"

namespace ravo {

// Runs on every change of the station text, typed or set by the program.
void frmRavo::txtStation_Change() { CalculateFromBox(txtStation, state_.CalcStation); }

// Runs on every key released in the offset box, whatever the key.
void frmRavo::txtOffset_KeyUp() { CalculateFromBox(txtOffset, state_.CalcOffset); }

// Reads the box into its field and shows the elevation that results.
void frmRavo::CalculateFromBox(QLineEdit* box, float& field)
{
    try {
        field = ToFloat(LeadingNumber(box->text().toStdString()));
        CalculateElevation(state_);
        ShowElevation();
    } catch (const OverflowError&) {
        ApplyEntryFailureRule(box);
    }
}

void frmRavo::ShowElevation()
{
    txtElevation->setText(Text(ElevationText(static_cast<double>(state_.CalcElevation))));
    if (profile_ != nullptr)
        profile_->CalculationDone();
}

// A failed calculation: say so and empty the box, unless the text begins with
// a point, where the user is most likely still typing a fraction such as ".5".
// Emptying the station box is itself a change of its text and calculates again
// at station 0, which may fail once more; an empty box stays empty, so this
// ends after at most two messages.
void frmRavo::ApplyEntryFailureRule(QLineEdit* box)
{
    if (box->text().startsWith(QLatin1Char('.')))
        return;
    platform_.ShowMessage(this, Message{QStringLiteral("Invalid Entry")});
    box->clear();
    // The offset used is always the one the box shows.
    if (box == txtOffset)
        state_.CalcOffset = 0;
}

void frmRavo::txtElevation_Click()
{
    platform_.Beep();
    platform_.ShowMessage(this,
                          Message{QStringLiteral("Elevations are calculated -- not specified")});
    txtStation->setFocus();
}

void frmRavo::txtElevation_DblClick() { txtElevation_Click(); }

}  // namespace ravo
