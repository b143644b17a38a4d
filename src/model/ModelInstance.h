#pragma once

#include "model/BoneInstance.h"
#include "model/BonePose.h"
#include "model/ModelDocument.h"
#include "model/Quaternion.h"
#include "model/Vector.h"

#include <functional>
#include <vector>

namespace zelvane {

// One posable copy of a model: bone hierarchy, IK and skinning on the CPU. The 3D view
// uploads `skinnedVertices` and `edgePositions` after every pose. The model must outlive
// the instance.
class CModelInstance {
public:
    // What one vertex of the drawn mesh holds: 32 bytes, position, normal, u, v.
    struct SkinnedVertex {
        Vector3 position;
        Vector3 normal;
        Vector2 uv;
    };

    // Throws InvalidArgumentError when the model's bone, IK, vertex or morph indices lead
    // outside its lists, or its bone parents form a loop.
    explicit CModelInstance(const CModelDocument& model);
    CModelInstance(const CModelInstance&) = delete;
    CModelInstance& operator=(const CModelInstance&) = delete;

    const CModelDocument* model;
    // Rest positions plus morphs.
    std::vector<Vector3> positions;
    // One per model bone, same order; never resized, so the links between them stay valid.
    std::vector<CBoneInstance> boneInstances;
    std::vector<float> morphWeights;
    std::vector<SkinnedVertex> skinnedVertices;
    // The outline mesh: positions pushed out along the normal.
    std::vector<Vector3> edgePositions;
    bool visible = true;

    // Sets every bone's translation and rotation from the motion, by the bone's name ID.
    void SampleBones(const std::function<BonePose(int nameID)>& sample);
    // Evaluates the hierarchy from the sampled poses, solves IK and deforms the mesh.
    void Update();

    // Every root bone and its subtree, roots in bone order.
    void UpdateBones();
    void SolveIK();
    void UpdateSkin();

private:
    void Validate() const;
    void SolveChain(const CModelIK& ik);

    // The bones without a parent, in bone order.
    std::vector<CBoneInstance*> m_roots;
};

} // namespace zelvane
