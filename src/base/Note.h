#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace zelvane {

// One step on one panel. A tap has length 0; a freeze holds the panel from `clock` to
// `clock + length`.
struct CNote {
    std::int32_t clock = 0;
    std::int32_t panel = 0;
    std::int32_t length = 0;

    // Saturates rather than wraps, so damaged values from a file stay harmless.
    std::int32_t endClock() const
    {
        const std::int64_t end = static_cast<std::int64_t>(clock) + length;
        return static_cast<std::int32_t>(
            std::clamp<std::int64_t>(end, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max()));
    }
    bool operator==(const CNote&) const = default;
};

} // namespace zelvane
