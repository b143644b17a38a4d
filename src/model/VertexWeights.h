#pragma once

#include "model/Vector.h"

#include <array>
#include <cstdint>

namespace zelvane {

// How a PMX vertex follows its bones.
enum class VertexSkinning : std::uint8_t {
    Bdef1, // one bone
    Bdef2, // two bones, matrices blended linearly
    Bdef4, // up to four bones, matrices blended linearly
    Sdef,  // two bones, rotations blended on the sphere about the centre `sdefC`
    Qdef,  // up to four bones, blended as dual quaternions
};

// The bones and weights of one PMX vertex. Unused bones are -1 with weight 0; the weights
// are as stored (the skinner normalises them).
struct CVertexWeights {
    VertexSkinning skinning = VertexSkinning::Bdef1;
    std::array<int, 4> bones{-1, -1, -1, -1};
    std::array<float, 4> weights{};
    Vector3 sdefC;
    Vector3 sdefR0;
    Vector3 sdefR1;
};

} // namespace zelvane
