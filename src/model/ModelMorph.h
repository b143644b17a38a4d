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
};

} // namespace zelvane
