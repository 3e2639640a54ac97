// The desktop program's command line: a file to open, help and version before
// the toolkit has read its own options, and the mistakes that are refused.
#include <gtest/gtest.h>

#include "ui/main_window/command_line.h"

namespace ravo {
namespace {

TEST(CommandLine, TellsAFileHelpVersionAndMistakesApart)
{
    struct Case {
        QStringList arguments;
        bool strict;
        StartAction action;
        QString file;
    };
    const Case cases[] = {
        {{"ravo"}, true, StartAction::OpenWindow, ""},
        {{"ravo", "road.in"}, true, StartAction::OpenWindow, "road.in"},
        {{"ravo", "--", "--help"}, true, StartAction::OpenWindow, "--help"},  // a file's name
        {{"ravo", "--help"}, true, StartAction::ShowHelp, ""},
        {{"ravo", "-h"}, false, StartAction::ShowHelp, ""},
        {{"ravo", "road.in", "--version"}, true, StartAction::ShowVersion, ""},
        {{"ravo", "-v"}, false, StartAction::ShowVersion, ""},
        // Before the toolkit has taken its options out they are passed over,
        // and one that holds an h or a v is not mistaken for -h or -v.
        {{"ravo", "-platform", "xcb", "--version"}, false, StartAction::ShowVersion, ""},
        {{"ravo", "-platformtheme", "gtk3", "-reverse", "a.in"},
         false,
         StartAction::OpenWindow,
         ""},
        {{"ravo", "--bogus"}, true, StartAction::Refuse, ""},
        {{"ravo", "a.in", "b.in"}, true, StartAction::Refuse, ""},
        {{"ravo", ""}, true, StartAction::Refuse, ""},
    };
    for (const Case& c : cases) {
        const StartRequest request = ReadCommandLine(c.arguments, c.strict);
        const std::string shown = c.arguments.join(' ').toStdString();
        EXPECT_EQ(request.action, c.action) << shown;
        EXPECT_EQ(request.file, c.file) << shown;
        EXPECT_EQ(request.message.isEmpty(), c.action != StartAction::Refuse) << shown;
    }
    EXPECT_EQ(RefuseBadCommandLine(ReadCommandLine({"ravo", "x", "y"}, true)), 2);
    EXPECT_EQ(RefuseBadCommandLine(ReadCommandLine({"ravo", "x"}, true)), std::nullopt);
}

}  // namespace
}  // namespace ravo
