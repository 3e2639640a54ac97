// The Help menu.
#include "frm_ravo.h"

namespace ravo {

void frmRavo::mnuContents_Click() {}

void frmRavo::mnuAbout_Click() {}

}  // namespace ravo
