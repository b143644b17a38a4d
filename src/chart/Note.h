#pragma once

#include <cstdint>

namespace zelvane {

// One step on one panel. A tap has length 0; a freeze holds the panel from `clock` to
// `clock + length`.
struct CNote {
    std::int32_t clock = 0;
    std::int32_t panel = 0;
    std::int32_t length = 0;

    std::int32_t endClock() const { return clock + length; }
    bool operator==(const CNote&) const = default;
};

} // namespace zelvane
