#pragma once

#include "model/BoneInstance.h"
#include "model/ModelDocument.h"
#include "model/SkinnedVertex.h"

#include <cstdint>
#include <vector>

namespace zelvane {

// Deforms a model's mesh by its posed bones. Vertices that follow the same bones with the
// same weight share one blended matrix; they are kept together, in groups padded to whole
// runs of eight lanes, so the matrix is made once per frame and the vertices go through it
// eight at a time. The order of the output stays the model's.
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
    struct Group {
        int bone0;
        int bone1;
        int weight; // percent of bone0; 100 when the group follows one bone
        std::uint32_t firstSlot;
        std::uint32_t slotCount; // a multiple of kLanes
    };

private:
    void BlendGroups(const std::vector<CBoneInstance>& bones);

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
    bool m_morphsApplied = false;
};

} // namespace zelvane
