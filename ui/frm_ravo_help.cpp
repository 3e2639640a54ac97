// The Help menu.
#include "frm_about.h"
#include "frm_ravo.h"
#include "help_file.h"

namespace ravo {

void frmRavo::mnuContents_Click()
{
    platform_.ShowHelpTopic(HelpFilePath(), QStringLiteral("Overview.htm"));
}

// The About window is made once and then only shown again, where it was left.
void frmRavo::mnuAbout_Click()
{
    if (about_ == nullptr)
        about_ = new frmAbout(this);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

}  // namespace ravo
