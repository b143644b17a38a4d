#pragma once

#include <cstdint>

namespace zelvane {

// What every keyframe has: the frame (1/30 s) it sits on.
struct CMotionFrame {
    std::int32_t frame = 0;

    std::int32_t GetFrame() const { return frame; }
};

} // namespace zelvane
