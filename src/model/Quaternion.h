#pragma once

#include "model/Vector.h"

namespace zelvane {

// A rotation as (x, y, z, w) = (sin(a/2) · axis, cos(a/2)).
struct Quaternion {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;

    friend bool operator==(const Quaternion&, const Quaternion&) = default;
};

inline float QuaternionDot(const Quaternion& a, const Quaternion& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}

float QuaternionLength(const Quaternion& q);
Quaternion QuaternionNormalize(const Quaternion& q);

// Rotation a followed by rotation b: as matrices, R(a) · R(b) in the row-vector convention,
// which is the Hamilton product b·a.
inline Quaternion QuaternionMultiply(const Quaternion& a, const Quaternion& b)
{
    // Hamilton product b·a: applying a first, then b.
    return {
        b.w * a.x + b.x * a.w + b.y * a.z - b.z * a.y,
        b.w * a.y - b.x * a.z + b.y * a.w + b.z * a.x,
        b.w * a.z + b.x * a.y - b.y * a.x + b.z * a.w,
        b.w * a.w - b.x * a.x - b.y * a.y - b.z * a.z,
    };
}

// The rotation by `angle` radians about `axis`, which need not be of unit length. A zero
// axis gives (0, 0, 0, cos(angle/2)), which is not a rotation: callers avoid it.
Quaternion QuaternionRotationAxis(const Vector3& axis, float angle);

// Roll about Z first, then pitch about X, then yaw about Y.
Quaternion QuaternionRotationYawPitchRoll(float yaw, float pitch, float roll);

// Spherical interpolation from a (t = 0) to b (t = 1) along the shorter arc; nearly equal
// rotations are blended linearly, where the sine formula loses precision.
Quaternion QuaternionSlerp(const Quaternion& a, const Quaternion& b, float t);

// `ratio` of the rotation `q`: the same axis, the angle times the ratio (which may be
// negative or above one). A ratio of one keeps the rotation exactly, zero gives none.
Quaternion QuaternionScaled(const Quaternion& q, float ratio);

} // namespace zelvane
