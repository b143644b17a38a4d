#pragma once

namespace zelvane {

// The few vector and rotation operations the motion code needs, with the conventions MMD
// files are made for: quaternions (x, y, z, w), and QuaternionMultiply(a, b) meaning
// rotation a followed by rotation b.
struct Float3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    bool operator==(const Float3&) const = default;
};

struct Quaternion {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;

    bool operator==(const Quaternion&) const = default;
};

// Rotation a followed by rotation b.
Quaternion QuaternionMultiply(const Quaternion& a, const Quaternion& b);

// Spherical interpolation from a to b along the shorter arc; nearly equal rotations are
// blended linearly so the division by sin(theta) never blows up.
Quaternion QuaternionSlerp(const Quaternion& a, const Quaternion& b, float t);

// Rotation by `angle` radians about the vertical axis: (0, sin(angle/2), 0, cos(angle/2)).
Quaternion QuaternionRotationY(float angle);

} // namespace zelvane
