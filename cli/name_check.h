// Mistyped commands and options: told before the command line is parsed, with
// the nearest name that ravo-calc knows.
#pragma once

#include <CLI/CLI.hpp>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "profile_source.h"

namespace ravo::calc {

// An unknown name; command is the command whose option it is ("" for the
// program's own options and for the command itself).
class UnknownNameError : public UsageError {
public:
    UnknownNameError(std::string commandName, const std::string& what)
        : UsageError(what), command(std::move(commandName))
    {
    }
    std::string command;
};

// The least number of letters inserted, deleted or replaced, or neighbours
// swapped, that turns a into b.
std::size_t EditDistance(std::string_view a, std::string_view b);

// The candidate nearest to word when it is near enough to be what was meant
// (at most a third of word's letters differ, at least one may); else empty.
std::string NearestName(std::string_view word, const std::vector<std::string>& candidates);

// Throws UnknownNameError for an unknown command or long option in args, naming it
// and, when there is one, the nearest known name: unknown command "tabel"
// (did you mean "table"?). Values of options are not taken for names.
void CheckNames(const CLI::App& app, const std::vector<std::string>& args);

}  // namespace ravo::calc
