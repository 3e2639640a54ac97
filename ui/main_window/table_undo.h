// One step back for the segment tables: what they held before the last
// re-creation by a typed count, reset or load, so that a keystroke in a count
// box, a reset or a load chosen by mistake loses nothing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/profile/profile_state.h"

namespace ravo {

class TableUndo {
public:
    // Keeps the tables as they are, before they change. A count is typed digit
    // by digit and each digit re-creates the tables: while no field was stored
    // since the same kind's count re-created them, the tables kept before
    // stay kept, so that the step back reaches the rows typed or loaded.
    void KeepBefore(const ProfileState& state,
                    std::optional<SegmentKind> countTyped = std::nullopt);
    // A field was stored into a row: the tables are the user's work again.
    void Edited() { countTyped_.reset(); }
    // Puts the kept tables back and keeps the ones they replace instead, so
    // that a second step back returns to them; false when nothing was kept.
    bool Undo(ProfileState& state);

private:
    struct Tables {
        std::array<std::vector<float>, 2 * ColumnCount> columns;
        std::int32_t numVC = 0;
        std::int32_t numSup = 0;
        std::int32_t idxVC = 0;
        std::int32_t idxSup = 0;
        std::string title;
    };

    std::optional<Tables> kept_;
    std::optional<SegmentKind> countTyped_;  // the kind whose typed count made the tables
};

}  // namespace ravo
