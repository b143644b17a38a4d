#pragma once

#include "motion/MorphFrame.h"
#include "motion/MotionFrameSequence.h"

namespace zelvane {

// The keys of one morph.
class CMorphFrameSequence : public CMotionFrameSequence<CMorphFrame> { };

} // namespace zelvane
