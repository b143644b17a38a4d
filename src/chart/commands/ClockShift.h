#pragma once

#include "chart/Score.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace zelvane {

// Moves every note at or after `from` by `delta` clocks; inserting and deleting rows are
// built on it. Saturates instead of wrapping at the ends of the clock range.
inline void ShiftNoteClocks(CScore& score, std::int64_t from, std::int64_t delta)
{
    for (const auto& note : score.notes())
        if (note->clock >= from)
            note->clock = static_cast<std::int32_t>(std::clamp<std::int64_t>(
                note->clock + delta, std::numeric_limits<std::int32_t>::min(),
                std::numeric_limits<std::int32_t>::max()));
}

} // namespace zelvane
