// ravo-calc run in-process for the command tests: its exit status and what it
// wrote to standard output and standard error.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "ravo_calc_app.h"

namespace ravo::calc {

struct CalcResult {
    int status = -1;
    std::string out, err;
};

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

}  // namespace ravo::calc
