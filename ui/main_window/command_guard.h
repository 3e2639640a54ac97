// The last line of defence of every command of a window: an exception that a
// command does not handle itself never ends the program.
#pragma once

#include <QString>
#include <exception>
#include <functional>

#include "ui/platform/platform.h"

class QWidget;

namespace ravo {

// The system's reason for an exception, for a message's detail text.
QString ReasonOf(const std::exception& error);

// The message of a command that has no failure message of its own.
inline QString CommandFailedText() { return QStringLiteral("The command could not be completed."); }
// The message of a load that fails, from the menu, the command line or a drop.
inline QString LoadFailureText() { return QStringLiteral("Error loading input file"); }
// The message of every report command that fails to write.
inline QString WriteFailureText() { return QStringLiteral("Unable to write output file"); }

// Runs one command. An exception that escapes it (no memory, a failing file
// system, anything unforeseen) ends in the command's own message, failureText,
// with the reason beneath it; an empty failureText ends the command silently.
void RunCommand(Platform& platform, QWidget* parent, const QString& failureText,
                const std::function<void()>& command);

}  // namespace ravo
