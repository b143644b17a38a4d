#pragma once

#include "model/Vector.h"

#include <span>

namespace zelvane {

// Where an orbit camera (Z, Y, then X rotation about its target, the eye on the Z axis
// looking towards +Z) must stand to show a set of points whole.
struct OrbitFit {
    Vector3 target;
    float distance = 0.0f;
};

// Keeps the camera's `rotation` and picks the target and the distance at which every point
// of `points` lies inside the picture of a perspective projection with the vertical
// `fieldOfView` and `aspect` (width over height). `fill` is the share of the picture's half
// width and half height the points may take (below 1 leaves a margin); every point also
// stays at least `zNear` in front of the eye. The target is the middle of the points as the
// camera sees them, so they sit centred. No points: the target (0, 0, 0) at `zNear`.
OrbitFit FitOrbit(std::span<const Vector3> points, const Vector3& rotation, float fieldOfView,
                  float aspect, float fill, float zNear);

} // namespace zelvane
