#pragma once

#include "model/Quaternion.h"
#include "model/Vector.h"

#include <string>
#include <vector>

namespace zelvane {

struct CModelMorphVertex {
    // A model vertex index (after loading, for every morph).
    int index = 0;
    // The base morph: the vertex's base position; any other morph: its displacement at full
    // weight.
    Vector3 offset;
};

// A PMX bone morph's entry: what it adds to one bone's sampled pose at full weight.
struct CModelMorphBone {
    int bone = 0;
    Vector3 translation;
    // Of unit length.
    Quaternion rotation;
};

// A PMX group morph's entry: a member morph and the share of the group's weight it gets.
struct CModelMorphMember {
    int morph = 0;
    float ratio = 0.0f;
};

struct CModelMorph {
    static constexpr int kBaseType = 0;

    int nameID = 0;
    std::string englishName;
    int type = kBaseType;
    std::vector<CModelMorphVertex> vertices;
    // PMX only: the morph's kind (0 group, 1 vertex, 2 bone, 3 UV, 4-7 extra UV, 8 material,
    // 9 flip, 10 impulse); -1 for PMD. Vertex morphs move the mesh, bone morphs their bones,
    // group morphs their members; the others keep their names and nothing more.
    int pmxKind = -1;
    int offsetCount = 0;
    // PMX bone morphs: the bones they move and turn.
    std::vector<CModelMorphBone> bones;
    // PMX group morphs: their members.
    std::vector<CModelMorphMember> members;

    static constexpr int kPmxGroup = 0;
    static constexpr int kPmxBone = 2;
};

} // namespace zelvane
