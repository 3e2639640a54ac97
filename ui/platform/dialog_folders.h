// The folder that each kind of file dialog showed last, kept in the user's
// settings between runs, so that a dialog opens where the user left it.
#pragma once

#include <QString>

#include "ui/platform/platform.h"

namespace ravo {

// The kind of a dialog is the pattern of the filter entry it starts with:
// input files, reports, LandXML files and pictures keep a folder each.
QString DialogFolderKey(const FileDialogRequest& request);

// The folder that a dialog of this kind showed last; empty when there is none
// or it no longer exists.
QString LastDialogFolder(const FileDialogRequest& request);

// Remembers the folder of the chosen file for dialogs of this kind.
void RememberDialogFolder(const FileDialogRequest& request, const QString& chosenPath);

}  // namespace ravo
