#include "motion/MotionMath.h"

#include <cmath>

namespace zelvane {

Quaternion QuaternionRotationY(float angle)
{
    const float half = angle * 0.5f;
    return {0.0f, std::sin(half), 0.0f, std::cos(half)};
}

} // namespace zelvane
