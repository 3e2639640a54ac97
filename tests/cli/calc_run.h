// ravo-calc run in-process for the command tests: its exit status and what it
// wrote to standard output and standard error.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "ravo_calc_app.h"

namespace ravo::calc {

struct CalcResult {
    int status = -1;
    std::string out, err;
};

// The command and its files, then the words of `options`.
inline std::vector<std::string> Args(std::vector<std::string> head, const std::string& options)
{
    std::istringstream words(options);
    for (std::string word; words >> word;)
        head.push_back(word);
    return head;
}

inline CalcResult Calc(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = RunRavoCalc(args, out, err);
    return {status, out.str(), err.str()};
}

inline bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// A command line, the exit status ravo-calc gives for it and a part of what
// it writes on standard output or standard error.
struct Expected {
    std::vector<std::string> args;
    int status;
    std::string found;
};

inline void ExpectRuns(const std::vector<Expected>& runs)
{
    for (const Expected& e : runs) {
        const CalcResult r = Calc(e.args);
        EXPECT_EQ(r.status, e.status) << e.args[0] << " " << e.args.back() << ": " << r.err;
        EXPECT_TRUE(Has(r.out + r.err, e.found)) << r.out << r.err;
    }
}

}  // namespace ravo::calc
