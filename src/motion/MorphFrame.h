#pragma once

#include "motion/MotionFrame.h"

namespace zelvane {

// One morph key: the morph's weight at the frame, reached linearly.
struct CMorphFrame : CMotionFrame {
    float weight = 0.0f;

    CMorphFrame() = default;
    CMorphFrame(std::int32_t atFrame, float atWeight)
        : weight(atWeight)
    {
        frame = atFrame;
    }
};

} // namespace zelvane
