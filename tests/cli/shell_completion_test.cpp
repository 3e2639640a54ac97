// The shell completions against the program's own help: every option that a
// command's --help lists is offered by bash, zsh and fish for that command.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ravo_calc_app.h"
#include "shell_run.h"
#include "support/file_test_support.h"

namespace {

using Words = std::set<std::string>;

const std::vector<std::string> Commands = {"table",  "curves",    "check", "convert",
                                           "report", "earthwork", "fit"};

// The long options in the option list of "ravo-calc COMMAND --help".
Words HelpOptions(const std::string& command)
{
    std::ostringstream out, err;
    EXPECT_EQ(ravo::calc::RunRavoCalc({command, "--help"}, out, err), 0);
    static const std::regex optionLine(R"(^ +(?:-[a-z],)?(--[a-z][a-z-]*))");
    Words options;
    std::istringstream lines(out.str());
    std::smatch match;
    for (std::string line; std::getline(lines, line);)
        if (std::regex_search(line, match, optionLine))
            options.insert(match[1]);
    return options;
}

// What bash offers for the last of `words`, run through the real script.
Words BashOffers(const std::string& words)
{
    const std::string script = std::string("source '") + RAVO_COMPLETIONS_DIR +
                               "/ravo-calc.bash'; COMP_WORDS=(" + words +
                               "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _ravo_calc; "
                               "printf '%s\\n' \"${COMPREPLY[@]}\"";
    setenv("RAVO_SCRIPT", script.c_str(), 1);
    const ravo::calc::ShellResult result = ravo::calc::RunShell("bash -c \"$RAVO_SCRIPT\"");
    EXPECT_EQ(result.status, 0) << words;
    Words offered;
    std::istringstream lines(result.out);
    for (std::string word; std::getline(lines, word);)
        if (!word.empty())
            offered.insert(word);
    return offered;
}

TEST(ShellCompletion, BashCompletesCommandsUnitsAndFiles)
{
    const struct {
        std::string words;
        Words expected;
    } cases[] = {
        {"ravo-calc ''",
         {"table", "curves", "check", "convert", "report", "earthwork", "fit", "--help",
          "--version", "--quiet"}},
        {"ravo-calc earthwork f --width ''", {}},  // a value: nothing to offer
        {"ravo-calc ch", {"check"}},
        {"ravo-calc curves f --units ''", {"m", "ft", "usft"}},
        {"ravo-calc convert f - --format ''", {"landxml", "csv", "input"}},
        {"ravo-calc table '" RAVO_EXAMPLES_DIR "/main-str'", {RAVO_EXAMPLES_DIR "/main-street.in"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BashOffers(c.words), c.expected) << c.words;
}

// Bash offers exactly the options of each command. zsh and fish are not run
// here: each of their scripts must name every option of every command, fish on
// a line that applies to that command.
TEST(ShellCompletion, BashZshAndFishOfferEveryOptionOfEachCommand)
{
    const std::string zsh = ravo::test::Contents(RAVO_COMPLETIONS_DIR "/_ravo-calc");
    const std::string fish = ravo::test::Contents(RAVO_COMPLETIONS_DIR "/ravo-calc.fish");
    for (const std::string& command : Commands) {
        const Words options = HelpOptions(command);
        EXPECT_EQ(BashOffers("ravo-calc " + command + " FILE --"), options) << command;
        for (const std::string& option : options) {
            const std::string name = option.substr(2);
            EXPECT_TRUE(zsh.find(option + "[") != std::string::npos ||
                        zsh.find(option + "=[") != std::string::npos ||
                        zsh.find(option + "=}") != std::string::npos)
                << "zsh: " << command << " " << option;
            const std::regex fishLine(
                "__fish_seen_subcommand_from [^\"]*(\\$commands|\\$readers|\\b" + command +
                "\\b)[^\n]*-l " + name + "\\b");
            EXPECT_TRUE(std::regex_search(fish, fishLine)) << "fish: " << command << " " << option;
        }
    }
}

}  // namespace
