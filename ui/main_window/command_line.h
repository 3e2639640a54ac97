// What the desktop program is asked on its command line: a file to open, or
// an answer (help, version, a mistake) that needs no window and no display.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace ravo {

enum class StartAction { OpenWindow, ShowHelp, ShowVersion, Refuse };

struct StartRequest {
    StartAction action = StartAction::OpenWindow;
    QString file;     // the file to load, as given; empty: an empty profile
    QString message;  // Refuse: what is wrong with the command line
};

// Reads the arguments, the program's name first. Only --help and --version
// are looked for until the toolkit has taken its own options (-platform,
// -style, ...) out; strict then refuses unknown options and a second file.
StartRequest ReadCommandLine(const QStringList& arguments, bool strict);

// What --help and --version print.
QString HelpText();
QString VersionText();

// Answers --help and --version on standard output before any window exists,
// so that they work without a display: the exit code, or nothing when the
// program should go on and open its window.
std::optional<int> AnswerWithoutWindow(int argc, char** argv);

// Answers a command line that the toolkit has already read: the exit code of
// a mistake (told on standard error), or nothing when the window should open.
std::optional<int> RefuseBadCommandLine(const StartRequest& request);

}  // namespace ravo
