#pragma once

#include "model/Vector.h"

#include <string>

namespace zelvane {

// Surface of a run of faces: the entries [first, first + faceVertexCount) of the model's
// index list, where first is the sum of the counts of the materials before it.
struct CModelMaterial {
    Color4 diffuse;
    Color4 ambient;  // alpha 0
    Color4 specular; // alpha 0
    float power = 0.0f;
    // 0 to 9 picks one of the model's toon textures; anything else means none.
    int toonIndex = -1;
    bool edge = false;
    std::string texturePath;
    std::string spherePath;
    // The sphere map is added (".spa") rather than multiplied (".sph").
    bool sphereAdd = false;
    int faceVertexCount = 0;
};

} // namespace zelvane
