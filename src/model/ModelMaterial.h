#pragma once

#include "model/Vector.h"

#include <cstdint>
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

    // PMX only.
    static constexpr std::uint8_t kBothFaces = 0x01;
    static constexpr std::uint8_t kEdge = 0x10;
    // The file's material flags; `edge` says the same as kEdge. Both faces: drawn without
    // culling its back faces.
    std::uint8_t flags = 0;
    // The outline's colour and its width as a multiple of PMD's fixed one; a PMD outline is
    // black at that width whatever these say.
    Color4 edgeColor;
    float edgeSize = 0.0f;
    // 0 none, 1 multiplied, 2 added, 3 the first extra UVs as sphere coordinates (PMD
    // leaves it 0 and says the kind by `sphereAdd`).
    static constexpr int kSphereSubTexture = 3;
    int sphereMode = 0;
    // The material's own toon texture, where it names one instead of a shared toon.
    std::string toonPath;
};

} // namespace zelvane
