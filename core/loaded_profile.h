// A profile read from an input file into a record of its own, as the desktop
// program holds it after "Load Input".
#pragma once

#include <string>
#include <string_view>

#include "profile_state.h"

namespace ravo {

// Throws ravo::InputFileError when the file cannot be read or does not parse.
ProfileState LoadProfile(const std::string& path);

// The same from the text of an input file.
ProfileState ProfileFromText(std::string_view text);

}  // namespace ravo
