#include "motion/MotionMath.h"

#include <cmath>

namespace zelvane {

Quaternion QuaternionMultiply(const Quaternion& a, const Quaternion& b)
{
    // The Hamilton product b * a: applying a first, then b.
    return {
        b.w * a.x + b.x * a.w + b.y * a.z - b.z * a.y,
        b.w * a.y - b.x * a.z + b.y * a.w + b.z * a.x,
        b.w * a.z + b.x * a.y - b.y * a.x + b.z * a.w,
        b.w * a.w - b.x * a.x - b.y * a.y - b.z * a.z,
    };
}

Quaternion QuaternionSlerp(const Quaternion& a, const Quaternion& b, float t)
{
    float sign = 1.0f;
    float dot = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
    if (dot < 0.0f) {
        sign = -1.0f;
        dot = -dot;
    }
    float weightA = 1.0f - t;
    float weightB = t;
    if (1.0f - dot > 0.001f) {
        const float theta = std::acos(dot);
        const float sinTheta = std::sin(theta);
        weightA = std::sin(theta * weightA) / sinTheta;
        weightB = std::sin(theta * weightB) / sinTheta;
    }
    weightB *= sign;
    return {
        weightA * a.x + weightB * b.x,
        weightA * a.y + weightB * b.y,
        weightA * a.z + weightB * b.z,
        weightA * a.w + weightB * b.w,
    };
}

Quaternion QuaternionRotationY(float angle)
{
    const float half = angle * 0.5f;
    return {0.0f, std::sin(half), 0.0f, std::cos(half)};
}

} // namespace zelvane
