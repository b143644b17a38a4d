#pragma once

#include "model/BoneInstance.h"
#include "model/ModelDocument.h"
#include "model/SkinnedVertex.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zelvane {

// Deforms a model's mesh by its posed bones. Vertices that follow the same bones with the
// same weight share one blended matrix; they are kept together, in groups padded to whole
// runs of eight lanes, so the matrix is made once per frame and the vertices go through it
// eight at a time. The order of the output stays the model's.
//
// A PMX vertex's group is its skinning kind, bones and weights: linear blends of up to four
// bones and dual-quaternion blends come down to one matrix a group as well. A spherical
// (SDEF) group shares the blended rotation; each of its vertices adds a translation of its
// own from its centre and its two reference points, in a loop of its own.
class CMeshSkinner {
public:
    // The model's vertices must name bones in its list (CModelInstance checks that first).
    explicit CMeshSkinner(const CModelDocument& model);

    // Adds the morphs with a weight to the rest positions; with none, the rest positions are
    // used as they are.
    void ApplyMorphs(const std::vector<float>& weights);

    // Skins every vertex into `out` (sized as the model's vertex list); fills `edges` with
    // the outline positions too unless it is null.
    void Skin(const std::vector<CBoneInstance>& bones, std::vector<SkinnedVertex>& out,
              std::vector<Vector3>* edges);
    // The same one vertex at a time with plain floats, in model order: the reference the
    // lane path is checked against.
    void SkinScalar(const std::vector<CBoneInstance>& bones, std::vector<SkinnedVertex>& out,
                    std::vector<Vector3>* edges);

    // How far the outline is pushed out from the surface.
    static constexpr float kEdgeWidth = 0.015f;
    static constexpr std::size_t kLanes = 8;

    // The rotation rows and translation of a blended matrix: what a point needs of it.
    struct Blend {
        float m[4][3];
    };
    enum class Kind : std::uint8_t { Pmd, Linear, Spherical, DualQuaternion };
    struct Group {
        int bone0;
        int bone1;
        int weight; // percent of bone0; 100 when the group follows one bone
        std::uint32_t firstSlot;
        std::uint32_t slotCount; // a multiple of kLanes
        // PMX groups: the bones with a weight, weights adding up to one.
        Kind kind = Kind::Pmd;
        std::uint8_t boneCount = 0;
        std::array<int, 4> bones{};
        std::array<float, 4> weights{};
    };

private:
    // Each vertex's group, the groups made as they are first met.
    std::vector<std::uint32_t> GroupPmdVertices();
    std::vector<std::uint32_t> GroupPmxVertices();
    void BlendGroups(const std::vector<CBoneInstance>& bones);
    // A spherical group's vertex: position and normal from its rest ones.
    void SkinSphericalVertex(const Group& group, const Blend& blend,
                             const std::vector<CBoneInstance>& bones, std::uint32_t slot,
                             const Vector3& position, const Vector3& normal,
                             SkinnedVertex& out) const;

    const CModelDocument& m_model;
    std::vector<Group> m_groups;
    std::vector<Blend> m_blends; // one per group, remade every frame
    // For each model vertex its slot; the slots a group pads with belong to no vertex.
    std::vector<std::uint32_t> m_slotOfVertex;
    // Per slot: rest position and normal, and the position with morphs.
    std::vector<float> m_rest[3];
    std::vector<float> m_normal[3];
    std::vector<float> m_morphed[3];
    // Per slot: the skinned position and normal of the last frame.
    std::vector<float> m_skinned[3];
    std::vector<float> m_turned[3];
    // Per slot of a spherical group: its centre and the two points the bones carry
    // ((C + r0) / 2 and (C + r1) / 2); empty when the model has none.
    std::vector<float> m_sdefCentre[3];
    std::vector<float> m_sdefPoint0[3];
    std::vector<float> m_sdefPoint1[3];
    // The bones spherical groups follow, and per bone its turn as a quaternion, made once a
    // frame for all the groups that share the bone.
    std::vector<std::uint32_t> m_sphericalBones;
    std::vector<Quaternion> m_boneTurns;
    bool m_morphsApplied = false;
};

} // namespace zelvane
