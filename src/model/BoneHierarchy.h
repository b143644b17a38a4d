#pragma once

#include "model/BoneInstance.h"

#include <cstddef>
#include <vector>

namespace zelvane {

// A model instance's bones in hierarchy order: every bone once, parents before children,
// each followed directly by its subtree, which ends at `subtreeEnd` of its place.
struct BoneHierarchy {
    const std::vector<CBoneInstance*>& order;
    const std::vector<std::size_t>& placeOfBone;
    const std::vector<std::size_t>& subtreeEnd;
};

} // namespace zelvane
