#include "model/Quaternion.h"

#include <cmath>

namespace zelvane {

float QuaternionLength(const Quaternion& q)
{
    return std::sqrt(QuaternionDot(q, q));
}

Quaternion QuaternionNormalize(const Quaternion& q)
{
    const float length = QuaternionLength(q);
    if (length == 0.0f)
        return {0.0f, 0.0f, 0.0f, 0.0f};
    return {q.x / length, q.y / length, q.z / length, q.w / length};
}

Quaternion QuaternionRotationAxis(const Vector3& axis, float angle)
{
    const Vector3 unit = Normalize(axis);
    const float s = std::sin(angle * 0.5f);
    return {unit.x * s, unit.y * s, unit.z * s, std::cos(angle * 0.5f)};
}

Quaternion QuaternionRotationYawPitchRoll(float yaw, float pitch, float roll)
{
    const Quaternion r = QuaternionRotationAxis({0.0f, 0.0f, 1.0f}, roll);
    const Quaternion p = QuaternionRotationAxis({1.0f, 0.0f, 0.0f}, pitch);
    const Quaternion y = QuaternionRotationAxis({0.0f, 1.0f, 0.0f}, yaw);
    return QuaternionMultiply(QuaternionMultiply(r, p), y);
}

Quaternion QuaternionSlerp(const Quaternion& a, const Quaternion& b, float t)
{
    // q and -q are the same rotation; taking b's sign that is nearer a takes the short way.
    float dot = QuaternionDot(a, b);
    float sign = 1.0f;
    if (dot < 0.0f) {
        dot = -dot;
        sign = -1.0f;
    }
    float weightA = 1.0f - t;
    float weightB = t;
    if (1.0f - dot > 0.001f) {
        const float theta = std::acos(dot);
        const float sinTheta = std::sin(theta);
        weightA = std::sin(theta * (1.0f - t)) / sinTheta;
        weightB = std::sin(theta * t) / sinTheta;
    }
    weightB *= sign;
    return {
        weightA * a.x + weightB * b.x,
        weightA * a.y + weightB * b.y,
        weightA * a.z + weightB * b.z,
        weightA * a.w + weightB * b.w,
    };
}

Quaternion QuaternionScaled(const Quaternion& q, float ratio)
{
    if (ratio == 1.0f)
        return q;
    if (ratio == 0.0f)
        return {};
    return QuaternionNormalize(QuaternionSlerp(Quaternion{}, q, ratio));
}

} // namespace zelvane
