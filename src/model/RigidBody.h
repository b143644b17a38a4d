#pragma once

#include "model/Vector.h"

#include <cstdint>
#include <string>

namespace zelvane {

// A physics body. Kept so the model is complete; nothing simulates it.
struct CRigidBody {
    std::string name;
    int bone = 0;
    int group = 0;
    std::uint16_t groupMask = 0;
    int shape = 0;
    Vector3 size;
    Vector3 position;
    Vector3 rotation;
    float mass = 0.0f;
    float linearDamping = 0.0f;
    float angularDamping = 0.0f;
    float restitution = 0.0f;
    float friction = 0.0f;
    int type = 0;
};

} // namespace zelvane
