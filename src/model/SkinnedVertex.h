#pragma once

#include "model/Vector.h"

namespace zelvane {

// What one vertex of the drawn mesh holds: 32 bytes, position, normal, u, v.
struct SkinnedVertex {
    Vector3 position;
    Vector3 normal;
    Vector2 uv;
};

} // namespace zelvane
