#pragma once

#include "model/Matrix.h"
#include "model/ModelBone.h"
#include "model/Quaternion.h"
#include "model/Vector.h"

#include <vector>

namespace zelvane {

// The posed state of one bone of a model instance. `translation` and `rotation` are what the
// motion says for the frame; the matrices follow from them, the hierarchy and IK.
class CBoneInstance {
public:
    explicit CBoneInstance(const CModelBone& modelBone)
        : bone(&modelBone)
    {
    }

    const CModelBone* bone;
    CBoneInstance* parent = nullptr;
    std::vector<CBoneInstance*> children; // in bone order

    Vector3 translation;
    Quaternion rotation;
    // Takes a rest-pose model-space point to its posed position. Its rotation part is the
    // rotation of this bone and all its ancestors: every bone matrix keeps its rotation in
    // the upper 3x3 and its translation in the last row only, so the product of the parents'
    // rotations alone would come out as exactly these nine numbers.
    Matrix world;
    // The rotation in use: the sampled one as IK changed it.
    Quaternion currentRotation;
    // This bone alone: turn about its rest head, then move by `translation`.
    Matrix local;

    // Evaluates this bone from its sampled pose; its parent must be up to date.
    void UpdateFromSample();
    void SetCurrentRotation(const Quaternion& q);
    // Recomputes this bone's world matrices from `local` and the parent's, which must be up
    // to date.
    void UpdateWorld();

    // Where the bone's head is in the posed model.
    Vector3 WorldPosition() const { return TransformCoord(bone->position, world); }
};

// T(−rest) · R · T(translation) · T(rest), computed directly: R keeps its rotation part and
// gets the translation row −rest · R + translation + rest, which is exactly what the three
// products would add up.
Matrix BoneMatrix(const Vector3& rest, const Matrix& rotation, const Vector3& translation);

} // namespace zelvane
