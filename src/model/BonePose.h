#pragma once

#include "model/Quaternion.h"
#include "model/Vector.h"

namespace zelvane {

// A bone's pose for one frame, as a motion gives it: the move and turn from the rest pose.
struct BonePose {
    Vector3 translation;
    Quaternion rotation;
};

} // namespace zelvane
