// Where the program finds its help file "Ravo.chm".
#pragma once

#include <QString>

namespace ravo {

// The help file beside the program; when it is not there, the one in the data
// folder of the installation that the program runs from, then the one in the
// data folder that the build was configured to install into. When none is
// there, the name beside the program, so that the viewer shows nothing.
QString HelpFilePath();

// The same for a program that runs from programFolder.
QString HelpFilePathFor(const QString& programFolder);

}  // namespace ravo
