#pragma once

#include "model/Quaternion.h"
#include "model/Vector.h"

namespace zelvane {

// Rotation by `angle` radians about the vertical axis: (0, sin(angle/2), 0, cos(angle/2)).
Quaternion QuaternionRotationY(float angle);

} // namespace zelvane
