// The progress line: drawn as the percentage changes, cleared for messages and
// at the end, and only where standard error is a terminal.
#include "progress.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <string>

namespace ravo::calc {
namespace {

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

const std::string Blank = "\r" + std::string(std::string("work").size() + 6, ' ') + "\r";

TEST(Progress, DrawsEachPercentageOnceAndClearsTheLineAtTheEnd)
{
    const struct {
        std::uint64_t total;
        bool shown;
        std::size_t draws;  // lines drawn, 0 to 100 percent
    } cases[] = {
        {Progress::MinimumTotal, true, 101},
        {Progress::MinimumTotal * 3 + 7, true, 101},
        {Progress::MinimumTotal - 1, true, 0},  // too short to be worth a line
        {Progress::MinimumTotal, false, 0},     // not a terminal
    };
    for (const auto& c : cases) {
        std::ostringstream err;
        {
            Progress progress(err, "work", c.total, c.shown);
            for (std::uint64_t done = 1; done <= c.total; ++done)
                progress.Advance(done);
        }
        const std::string text = err.str();
        EXPECT_EQ(Count(text, "\rwork: "), c.draws) << c.total;
        if (c.draws == 0) {
            EXPECT_EQ(text, "");
            continue;
        }
        EXPECT_EQ(text.substr(0, 10), "\rwork: 0%\r");
        EXPECT_NE(text.find("\rwork: 100%"), std::string::npos);
        EXPECT_EQ(text.substr(text.size() - Blank.size()), Blank);
    }
}

TEST(Progress, AMessageGetsALineOfItsOwnAndTheProgressComesBack)
{
    std::ostringstream err;
    Progress progress(err, "work", Progress::MinimumTotal, true);
    progress.Advance(Progress::MinimumTotal / 2);
    progress.Clear();
    err << "message\n";
    progress.Advance(Progress::MinimumTotal / 2);  // the same percentage: drawn again
    EXPECT_EQ(err.str(), "\rwork: 0%\rwork: 50%" + Blank + "message\n\rwork: 50%");
}

// Standard error of `command`, with standard output thrown away; under
// `script` it is a terminal.
std::string ErrorOutput(const std::string& command)
{
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return text;
    std::array<char, 4096> buffer{};
    std::size_t read = 0;
    while ((read = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        text.append(buffer.data(), read);
    pclose(pipe);
    return text;
}

TEST(Progress, TheProgramDrawsItOnATerminalOnly)
{
    const std::string table = std::string("'") + RAVO_CALC_PROGRAM +
                              "' table '" RAVO_EXAMPLES_DIR
                              "/ridge-road.in' --from 0 --to 4500 --step 0.03 >/dev/null";
    EXPECT_EQ(ErrorOutput(table + " 2>&1"), "");
    const std::string onTerminal = ErrorOutput("script -qec \"" + table + "\" /dev/null");
    EXPECT_NE(onTerminal.find("\rravo-calc table: 50%"), std::string::npos) << onTerminal;
}

}  // namespace
}  // namespace ravo::calc
