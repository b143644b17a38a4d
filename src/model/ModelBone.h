#pragma once

#include "model/Vector.h"

#include <string>

namespace zelvane {

struct CModelBone {
    int nameID = 0;
    std::string englishName;
    int parent = -1; // -1: a root
    int tail = -1;
    int type = 0;
    int ikIndex = 0;
    Vector3 position; // rest position of the bone's head, model space
    // Knees only bend one way; the IK solver treats them specially.
    bool isKnee = false;
};

} // namespace zelvane
