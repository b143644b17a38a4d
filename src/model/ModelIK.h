#pragma once

#include "model/Vector.h"

#include <cstdint>
#include <vector>

namespace zelvane {

// PMX only: the range of a link's rotation, as angles about X, Y and Z in radians.
struct CIKLinkLimit {
    bool limited = false;
    Vector3 lower;
    Vector3 upper;
};

// One IK chain: the links of `chain` turn until `effector` reaches `ikBone`.
struct CModelIK {
    int ikBone = 0;
    int effector = 0;
    int iterations = 0;
    float limitAngle = 0.0f; // radians per step
    // From the link next to the effector towards the root.
    std::vector<std::uint16_t> chain;
    // PMX only: one per link of `chain`. A PMX chain turns each link by at most
    // `limitAngle` a step.
    std::vector<CIKLinkLimit> limits;
};

} // namespace zelvane
