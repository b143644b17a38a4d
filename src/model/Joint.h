#pragma once

#include "model/Vector.h"

#include <cstdint>
#include <string>

namespace zelvane {

// A physics joint between two rigid bodies. Kept so the model is complete; nothing reads it.
struct CJoint {
    std::string name;
    std::int32_t bodyA = 0;
    std::int32_t bodyB = 0;
    Vector3 position;
    Vector3 rotation;
    Vector3 translationMin;
    Vector3 translationMax;
    Vector3 rotationMin;
    Vector3 rotationMax;
    Vector3 springTranslation;
    Vector3 springRotation;
};

} // namespace zelvane
