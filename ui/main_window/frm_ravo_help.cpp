// The Help menu.
#include "ui/main_window/frm_ravo.h"
#include "ui/small_windows/frm_about.h"
#include "ui/small_windows/help_file.h"

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
