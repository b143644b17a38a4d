#pragma once

#include "model/Vector.h"

namespace zelvane {

// One vertex of the mesh, skinned by at most two bones.
struct CModelVertex {
    Vector3 position;
    Vector3 normal;
    Vector2 uv;
    int bone0 = 0;
    int bone1 = 0;
    // Percent of bone0's influence, 0 to 100; bone1 gets the rest.
    int weight = 100;
    // The outline pass leaves this vertex where it is instead of pushing it out.
    bool noEdge = false;
};

} // namespace zelvane
