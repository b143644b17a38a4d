#include "render_gl/OrbitFit.h"

#include "model/Matrix.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelvane {

OrbitFit FitOrbit(std::span<const Vector3> points, const Vector3& rotation, float fieldOfView,
                  float aspect, float fill, float zNear)
{
    if (points.empty())
        return {{}, zNear};
    // The turn the orbit applies after moving the target to the origin; a pure rotation, so
    // its transpose turns camera directions back into the world.
    const Matrix turn = MatrixRotationZ(-rotation.z) * MatrixRotationY(-rotation.y)
        * MatrixRotationX(-rotation.x);
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    Vector3 low{kInfinity, kInfinity, kInfinity};
    Vector3 high{-kInfinity, -kInfinity, -kInfinity};
    for (const Vector3& point : points) {
        const Vector3 seen = TransformNormal(point, turn);
        low = {std::min(low.x, seen.x), std::min(low.y, seen.y), std::min(low.z, seen.z)};
        high = {std::max(high.x, seen.x), std::max(high.y, seen.y), std::max(high.z, seen.z)};
    }
    const Vector3 middle = (low + high) * 0.5f;

    // A point at (x, y, z) from the target in camera space lies at depth z + d from the eye
    // and lands at x * cot / aspect / (z + d) across the picture: inside the share `fill`
    // once d >= |x| * cot / (aspect * fill) - z, and the same for y without the aspect.
    const float cotangent = 1.0f / std::tan(fieldOfView * 0.5f);
    const float across = cotangent / (std::max(aspect, 1e-6f) * fill);
    const float up = cotangent / fill;
    float distance = zNear - (low.z - middle.z);
    for (const Vector3& point : points) {
        const Vector3 seen = TransformNormal(point, turn) - middle;
        distance = std::max(
            {distance, std::abs(seen.x) * across - seen.z, std::abs(seen.y) * up - seen.z});
    }
    return {TransformNormal(middle, MatrixTranspose(turn)), distance};
}

} // namespace zelvane
