#pragma once

#include "chart/Score.h"

#include <cstdint>

namespace zelvane {

// Moves every note at or after `from` by `delta` clocks; inserting and deleting rows are
// built on it. The commands check beforehand that every clock stays within the chart
// limits, so the shift is exact and undoing it restores every clock.
inline void ShiftNoteClocks(CScore& score, std::int64_t from, std::int32_t delta) noexcept
{
    for (const auto& note : score.notes())
        if (note->clock >= from)
            note->clock = static_cast<std::int32_t>(note->clock + static_cast<std::int64_t>(delta));
}

} // namespace zelvane
