#pragma once

#include "model/Joint.h"
#include "model/ModelBone.h"
#include "model/ModelBoneGroup.h"
#include "model/ModelIK.h"
#include "model/ModelMaterial.h"
#include "model/ModelMorph.h"
#include "model/ModelVertex.h"
#include "model/RigidBody.h"
#include "model/VertexWeights.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zelvane {

// A loaded PMD or PMX model. It is read once and not changed afterwards; elements refer to
// each other by index into these arrays. Texts are UTF-8; bones and morphs carry name IDs.
// What only PMX has (several weights a vertex, bone flags, IK link limits, material flags)
// is kept beside the shared data and left empty or at its default for PMD.
class CModelDocument {
public:
    static constexpr int kToonCount = 10;

    enum class Format : std::uint8_t { Pmd, Pmx20, Pmx21 };
    Format format = Format::Pmd;
    bool IsPmx() const { return format != Format::Pmd; }

    std::string name;
    std::string englishName;
    std::string comment;
    std::string englishComment;
    std::vector<CModelVertex> vertices;
    // PMX only: one per vertex. Empty for PMD, whose vertices carry their two bones.
    std::vector<CVertexWeights> vertexWeights;
    // PMX only, one per vertex: the outline's width there as a share of its material's (0
    // keeps the vertex where it is). Empty for PMD, whose vertices say noEdge.
    std::vector<float> edgeScales;
    // PMX only, one per vertex where the file has extra UVs: the first extra UV's x and y,
    // which a sub-texture material reads its sphere texture by. Empty otherwise.
    std::vector<Vector2> subTextureUVs;
    // Three per face, in material order.
    std::vector<std::uint32_t> indices;
    std::vector<CModelMaterial> materials;
    std::vector<CModelBone> bones;
    // Solved in this order.
    std::vector<CModelIK> iks;
    std::vector<CModelMorph> morphs;
    std::vector<CModelBoneGroup> boneGroups;
    // Full paths for toon indices 0 to 9; empty where the file has no toon section.
    std::array<std::string, kToonCount> toonPaths;
    std::vector<CRigidBody> rigidBodies;
    std::vector<CJoint> joints;

    // The first bone with that name ID, or null.
    const CModelBone* FindBone(int nameID) const;
    // Its index, or -1.
    int FindBoneIndex(int nameID) const;

    void DeleteContents();
};

} // namespace zelvane
