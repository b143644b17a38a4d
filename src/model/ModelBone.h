#pragma once

#include "model/Vector.h"

#include <cstdint>
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
    // Knees only bend one way; the IK solver treats them specially. PMD only: a PMX model
    // says the same with limits on its IK links.
    bool isKnee = false;

    // PMX only.
    static constexpr std::uint16_t kInheritLocal = 0x0080;
    static constexpr std::uint16_t kInheritRotation = 0x0100;
    static constexpr std::uint16_t kInheritTranslation = 0x0200;
    static constexpr std::uint16_t kFixedAxis = 0x0400;
    static constexpr std::uint16_t kLocalAxes = 0x0800;
    static constexpr std::uint16_t kAfterPhysics = 0x1000;
    // The file's bone flags.
    std::uint16_t flags = 0;
    // Bones deform by layer first, then in bone order.
    int layer = 0;
    // With kInheritRotation or kInheritTranslation: the bone whose motion this bone adds,
    // scaled by the ratio.
    int inheritParent = -1;
    float inheritRatio = 0.0f;
    // With kFixedAxis: the only axis the bone turns about.
    Vector3 fixedAxis;
    Vector3 localAxisX{1.0f, 0.0f, 0.0f};
    Vector3 localAxisZ{0.0f, 0.0f, 1.0f};

    bool Has(std::uint16_t flag) const { return (flags & flag) != 0; }
};

} // namespace zelvane
