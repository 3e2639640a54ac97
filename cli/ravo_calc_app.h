// The ravo-calc command line: its commands, their options and help, and
// the exit statuses.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ravo::calc {

inline constexpr int ExitSuccess = 0;
inline constexpr int ExitFaultsFound = 1;  // check found faults; a table has "Invalid Entry" rows
inline constexpr int ExitUsageOrLoad = 2;  // wrong command line, or the file does not load
inline constexpr int ExitNoCurve = 3;      // a table has rows where no curve row holds the station

// Runs ravo-calc with the arguments that follow the program name, writing the
// output to out and messages to err. Returns the exit status.
int RunRavoCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace ravo::calc
