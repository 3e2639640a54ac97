#include "loaded_profile.h"

#include <utility>

#include "input_file.h"

namespace ravo {
namespace {

ProfileState StateOf(InputProfile&& profile)
{
    ProfileState state;
    ApplyInputProfile(state, std::move(profile));
    return state;
}

}  // namespace

ProfileState LoadProfile(const std::string& path) { return StateOf(ReadInputFile(path)); }

ProfileState ProfileFromText(std::string_view text) { return StateOf(ParseInputFile(text)); }

}  // namespace ravo
