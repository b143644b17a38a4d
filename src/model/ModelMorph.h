#pragma once

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

struct CModelMorph {
    static constexpr int kBaseType = 0;

    int nameID = 0;
    std::string englishName;
    int type = kBaseType;
    std::vector<CModelMorphVertex> vertices;
    // PMX only: the morph's kind (0 group, 1 vertex, 2 bone, 3 UV, 4-7 extra UV, 8 material,
    // 9 flip, 10 impulse); -1 for PMD. Only vertex morphs move the mesh here; the others
    // keep their names and no vertices.
    int pmxKind = -1;
    int offsetCount = 0;
};

} // namespace zelvane
