#pragma once

#include "model/BoneHierarchy.h"
#include "model/BoneInstance.h"
#include "model/ModelDocument.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelvane {

// Poses the bones of a PMX model the way PMX defines it: bone by bone in deform order (after
// physics last, then by deform layer, then in bone order), each taking over a share of
// another bone's rotation or movement where it inherits one, turning only about its fixed
// axis where it has one, and each IK bone solving its chain when its turn comes, with the
// chain's unit angle and the links' angle limits.
class CPmxPoser {
public:
    // The model's indices must have been checked (CModelInstance does).
    CPmxPoser(const CModelDocument& model, std::vector<CBoneInstance>& bones,
              BoneHierarchy hierarchy);

    // Poses every bone from its sampled translation and rotation. Returns the IK link
    // updates it made, at most `budget`; a chain stops early after a pass in which no link
    // turned when `earlyStop` is set.
    std::size_t Pose(std::size_t budgetPerChain, std::size_t budget, bool earlyStop);

    // The bones in the order they deform.
    const std::vector<std::uint32_t>& deformOrder() const { return m_deformOrder; }

private:
    void Evaluate(std::size_t index);
    std::size_t SolveChain(std::size_t ik, std::size_t budget, bool earlyStop);
    // Recomputes the world matrices below `index` from their local ones.
    void RefreshSubtree(std::size_t index);

    const CModelDocument& m_model;
    std::vector<CBoneInstance>& m_bones;
    BoneHierarchy m_hierarchy;
    std::vector<std::uint32_t> m_deformOrder;
    // For each bone the IK it solves, or -1.
    std::vector<int> m_ikOfBone;
    // Per IK: the bones from its highest link above the effector down to the effector.
    std::vector<std::vector<std::uint32_t>> m_effectorLines;
    // Per IK and link: the link's place on that line, or UINT32_MAX when the effector is not
    // below the link.
    std::vector<std::vector<std::uint32_t>> m_lineStarts;
    // Per IK: the links whose subtrees hold every other link, so refreshing them refreshes
    // everything the chain moved.
    std::vector<std::vector<std::uint32_t>> m_topLinks;
    std::vector<std::uint8_t> m_evaluated;
};

} // namespace zelvane
