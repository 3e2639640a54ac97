// The shell completions against the program's own help: every option that a
// command's --help lists is offered by bash, zsh and fish for that command.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ravo_calc_app.h"

namespace {

using Words = std::set<std::string>;

const std::vector<std::string> Commands = {"table",  "curves",    "check", "convert",
                                           "report", "earthwork", "fit"};

std::string Completions(const std::string& name)
{
    std::ifstream in(std::string(RAVO_COMPLETIONS_DIR) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

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
    const std::string command = "bash -c \"$RAVO_SCRIPT\"";
    setenv("RAVO_SCRIPT", script.c_str(), 1);
    Words offered;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return offered;
    std::array<char, 256> line{};
    while (std::fgets(line.data(), line.size(), pipe) != nullptr) {
        std::string word(line.data());
        word.erase(word.find_last_not_of('\n') + 1);
        if (!word.empty())
            offered.insert(word);
    }
    EXPECT_EQ(pclose(pipe), 0) << words;
    return offered;
}

TEST(ShellCompletion, BashOffersExactlyTheOptionsOfEachCommand)
{
    for (const std::string& command : Commands)
        EXPECT_EQ(BashOffers("ravo-calc " + command + " FILE --"), HelpOptions(command)) << command;
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
        {"ravo-calc earthwork f --width ''", {}},
        {"ravo-calc ch", {"check"}},
        {"ravo-calc curves f --units ''", {"m", "ft", "usft"}},
        {"ravo-calc convert f --units f", {"ft"}},
        {"ravo-calc convert f - --format ''", {"landxml", "csv", "input"}},
        {"ravo-calc table --from ''", {}},
        {"ravo-calc table '" RAVO_EXAMPLES_DIR "/main-str'", {RAVO_EXAMPLES_DIR "/main-street.in"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BashOffers(c.words), c.expected) << c.words;
}

// zsh and fish are not run here: each of their scripts must name every option
// of every command, fish on a line that applies to that command.
TEST(ShellCompletion, ZshAndFishNameEveryOptionOfEachCommand)
{
    const std::string zsh = Completions("_ravo-calc");
    const std::string fish = Completions("ravo-calc.fish");
    for (const std::string& command : Commands) {
        for (const std::string& option : HelpOptions(command)) {
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
