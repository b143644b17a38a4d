#pragma once

#include <cstdint>
#include <vector>

namespace zelvane {

// One IK chain: the links of `chain` turn until `effector` reaches `ikBone`.
struct CModelIK {
    int ikBone = 0;
    int effector = 0;
    int iterations = 0;
    float limitAngle = 0.0f; // radians per step
    // From the link next to the effector towards the root.
    std::vector<std::uint16_t> chain;
};

} // namespace zelvane
