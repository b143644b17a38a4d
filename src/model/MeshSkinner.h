#pragma once

#include "model/BoneInstance.h"
#include "model/ModelDocument.h"
#include "model/SkinLanes.h"
#include "model/SkinnedMesh.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zelvane {

// Deforms a model's mesh by its posed bones. Vertices that follow the same bones with the
// same weight share one blended matrix; they are kept together, one group after the other,
// so the matrix is made once per frame and the vertices go through it eight at a time. The
// output keeps that order (see CSkinnedMesh), so that the lanes go out as they are made,
// positions, normals and outline in one pass.
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

    // Lays `mesh` out in this skinner's slots, ready for Skin.
    void Shape(CSkinnedMesh& mesh) const;
    // Skins every vertex into `out` (laid out by Shape), with the outline positions too when
    // `outlines` is set.
    void Skin(const std::vector<CBoneInstance>& bones, CSkinnedMesh& out, bool outlines);
    // The same one vertex at a time with plain floats, in model order: the reference the
    // lane path is checked against.
    void SkinScalar(const std::vector<CBoneInstance>& bones, CSkinnedMesh& out, bool outlines);

    // How far the outline is pushed out from the surface.
    static constexpr float kEdgeWidth = 0.015f;
    // Groups are not padded: the last eight lanes of a group reach into the slots after it,
    // which the groups after it overwrite as they are skinned in slot order (and every
    // array has kLanes slots more than there are slots, for the last group).
    static constexpr std::size_t kLanes = 8;

    // A blended matrix: rotation rows and translation, the last column unused.
    using Blend = Matrix;
    enum class Kind : std::uint8_t { Pmd, Linear, Spherical, DualQuaternion };
    struct Group {
        int bone0;
        int bone1;
        int weight; // percent of bone0; 100 when the group follows one bone
        std::uint32_t firstSlot;
        std::uint32_t slotCount; // its vertices
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
    // Every group's matrix, and whether it is a rotation (its normals need no rescaling).
    void BlendGroups(const std::vector<CBoneInstance>& bones);
    void BlendMatrices(const std::vector<CBoneInstance>& bones);
    // A spherical group's vertex: position and normal from its offset from its centre and
    // its rest normal.
    void SkinSphericalVertex(const Group& group, const Blend& blend,
                             const std::vector<CBoneInstance>& bones, std::uint32_t slot,
                             const Vector3& offset, const Vector3& normal, Vector3& outPosition,
                             Vector3& outNormal) const;

    const CModelDocument& m_model;
    std::vector<Group> m_groups;
    std::vector<Blend> m_blends; // one per group, remade every frame
    // The groups as the lanes take them: those of one matrix, and the spherical ones with
    // their group.
    std::vector<MatrixRun> m_matrixRuns;
    std::vector<SphericalRun> m_sphericalRuns;
    std::vector<std::uint32_t> m_sphericalGroups;
    // Per matrix run: the one bone whose matrix it takes as it is (rigid when that bone's
    // is), or one of these.
    static constexpr int kAlwaysRigid = -1; // no bone: the rest pose
    static constexpr int kNeverRigid = -2;  // a blend of bones: rescaled always
    static int RigidBone(const Group& group);
    std::vector<int> m_rigidBone;
    std::vector<std::uint32_t> m_rigidBones; // each such bone once
    std::vector<std::uint8_t> m_boneRigid;   // per bone, this frame
    // How far a rigid blend's rows may be from orthonormal: a normal it turns is then of
    // unit length within 3e-6, as near as the renormalised one for what it lights.
    static constexpr float kRigidTolerance = 2e-6f;
    // For each model vertex its slot.
    std::size_t m_slotCount = 0;
    std::vector<std::uint32_t> m_slotOfVertex;
    // Per slot: rest position (a spherical vertex's offset from its centre) and normal, and
    // the position with morphs.
    std::vector<float> m_rest[3];
    std::vector<float> m_normal[3];
    std::vector<float> m_morphed[3];
    // Per slot: texture coordinates, and how far the outline pushes the vertex out.
    std::vector<Vector2> m_uvs;
    std::vector<float> m_edgeWidth;
    // Per slot of a spherical group: the two points the bones carry ((C + r0) / 2 and
    // (C + r1) / 2); empty when the model has none.
    std::vector<float> m_sdefPoint0[3];
    std::vector<float> m_sdefPoint1[3];
    // The bones spherical groups follow, and per bone its turn as a quaternion, made once a
    // frame for all the groups that share the bone.
    std::vector<std::uint32_t> m_sphericalBones;
    std::vector<Quaternion> m_boneTurns;
    bool m_morphsApplied = false;
};

} // namespace zelvane
