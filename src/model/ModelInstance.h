#pragma once

#include "model/BoneInstance.h"
#include "model/BonePose.h"
#include "model/MeshSkinner.h"
#include "model/ModelDocument.h"
#include "model/MorphMixer.h"
#include "model/PmdIKSolver.h"
#include "model/PmxPoser.h"
#include "model/Quaternion.h"
#include "model/SkinnedMesh.h"
#include "model/SkinnedVertex.h"
#include "model/Vector.h"

#include <functional>
#include <memory>
#include <vector>

namespace zelvane {

// One posable copy of a model: bone hierarchy, IK and skinning on the CPU. The 3D view
// uploads `skinnedVertices` after every pose. The model must outlive the instance.
class CModelInstance {
public:
    using SkinnedVertex = zelvane::SkinnedVertex;

    // IK work is bounded, so that a file claiming hundreds of links and tens of thousands of
    // iterations per chain cannot stall every frame. A link update is one turn of one link.
    // Real models stop far below both: their chains have a handful of links and at most a
    // few hundred iterations (the shared test model: 40 × 2 at most, 240 per frame), and
    // since a chain stops once its effector no longer gets closer, most frames use a
    // fraction even of that. So the bounds never change a real model's pose.
    static constexpr std::size_t kMaxIKLinkUpdatesPerChain = 8192;
    static constexpr std::size_t kMaxIKLinkUpdatesPerFrame = 32768;

    // Throws InvalidArgumentError when the model's bone, IK, vertex or morph indices lead
    // outside its lists, or its bone parents form a loop.
    explicit CModelInstance(const CModelDocument& model);
    CModelInstance(const CModelInstance&) = delete;
    CModelInstance& operator=(const CModelInstance&) = delete;

    const CModelDocument* model;
    // One per model bone, same order; never resized, so the links between them stay valid.
    std::vector<CBoneInstance> boneInstances;
    std::vector<float> morphWeights;
    // The posed mesh, with the outline mesh (positions pushed out along the normal) filled
    // while `outlines` is set; a user that never draws outlines clears it and saves that work.
    CSkinnedMesh skinnedVertices;
    bool outlines = true;
    bool visible = true;
    // A chain stops iterating after a pass in which no link turned (every later pass would
    // repeat it exactly, so the pose is the same). Cleared, every chain runs all its
    // iterations (within the bounds above).
    bool ikEarlyStop = true;
    // PMD: chains that share no bone are solved side by side (see CPmdIKSolver). Cleared,
    // they are solved one after the other in the model's order, to the same pose.
    bool ikSideBySide = true;
    // How many link updates the last SolveIK made.
    std::size_t ikLinkUpdates = 0;

    // Sets every bone's translation and rotation from the motion, by the bone's name ID.
    void SampleBones(const std::function<BonePose(int nameID)>& sample);
    // Sets every morph's weight from the motion, by the morph's name ID.
    void SampleMorphs(const std::function<float(int nameID)>& sample);
    // Evaluates the hierarchy from the sampled poses, solves IK and deforms the mesh.
    void Update();

    // Every root bone and its subtree, roots in bone order. A PMX model poses all its bones
    // here, IK included, in its deform order, with its weighted bone morphs (and group
    // morphs' shares of them) added to the sampled poses first.
    void UpdateBones();
    // PMD only: a PMX model solves its chains in UpdateBones.
    void SolveIK();
    void UpdateSkin();
    // UpdateSkin one vertex at a time without vector lanes; the same results up to rounding.
    void UpdateSkinScalar();
    // What poses a PMX model's bones; null for PMD.
    const CPmxPoser* pmxPoser() const { return m_pmxPoser.get(); }
    // What solves a PMD model's chains; null for PMX.
    const CPmdIKSolver* pmdIK() const { return m_pmdIK.get(); }

private:
    void Validate() const;
    // UpdateBones and UpdateSkin with the morph weights already mixed.
    void PoseBones(const std::vector<float>& mixedWeights);
    void Skin(const std::vector<float>& mixedWeights);

    // Every bone once, parents before children: the roots in bone order, each followed by
    // its subtree depth first, children in bone order. A bone's descendants follow it
    // directly, up to m_subtreeEnd of its place.
    std::vector<CBoneInstance*> m_order;
    std::vector<std::size_t> m_placeOfBone;
    std::vector<std::size_t> m_subtreeEnd;
    CMeshSkinner m_skinner;
    CMorphMixer m_morphMixer;
    std::unique_ptr<CPmxPoser> m_pmxPoser;
    // PMD only: what solves its chains.
    std::unique_ptr<CPmdIKSolver> m_pmdIK;
};

} // namespace zelvane
