#pragma once

#include "motion/InterpolationCurve.h"
#include "motion/MotionFrame.h"
#include "motion/MotionMath.h"

#include <array>

namespace zelvane {

// One bone key: an offset from the bone's rest position, a rotation, and the easing of each
// channel on the way into this key.
struct CBoneFrame : CMotionFrame {
    enum Channel { CURVE_X = 0, CURVE_Y = 1, CURVE_Z = 2, CURVE_ROTATION = 3 };

    Vector3 translation;
    Quaternion rotation;
    std::array<InterpolationCurve, 4> curves;

    CBoneFrame() = default;
    explicit CBoneFrame(std::int32_t atFrame) { frame = atFrame; }
};

} // namespace zelvane
