#pragma once

#include "model/BonePose.h"
#include "motion/BoneFrame.h"
#include "motion/MotionFrameSequence.h"

namespace zelvane {

// The keys of one bone, and the one function that turns them into a pose at any frame.
class CBoneFrameSequence : public CMotionFrameSequence<CBoneFrame> {
public:
    // The pose at frame f (callers clamp negative frames to 0). Between two keys the curves
    // of the key being approached govern the way; before the first key the pose eases from
    // the rest pose at frame 0, after the last key it holds.
    BonePose Sample(std::int32_t f) const;
};

} // namespace zelvane
