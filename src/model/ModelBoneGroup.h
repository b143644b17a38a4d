#pragma once

#include <string>
#include <vector>

namespace zelvane {

// A named display group of bones.
struct CModelBoneGroup {
    std::string name;
    std::string englishName;
    // Indices into the model's bones, in file order.
    std::vector<int> bones;
};

} // namespace zelvane
