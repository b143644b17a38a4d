#pragma once

#include "motion/MorphFrame.h"
#include "motion/MotionFrameSequence.h"

namespace zelvane {

// The keys of one morph, and the weight they give it at any frame.
class CMorphFrameSequence : public CMotionFrameSequence<CMorphFrame> {
public:
    // The weight at frame f (callers clamp negative frames to 0): linear between two keys;
    // before the first key it rises from no weight at frame 0, after the last key it holds,
    // as a bone's pose does.
    float Sample(std::int32_t f) const;
};

} // namespace zelvane
