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
    // PMX only: what the bone takes over from the bone it inherits from, already scaled by
    // the ratio; applied after its own rotation and added to its own translation.
    Quaternion inheritedRotation;
    Vector3 inheritedTranslation;

    // Evaluates this bone from its sampled pose; its parent must be up to date.
    void UpdateFromSample();
    void SetCurrentRotation(const Quaternion& q);
    // The same for a PMX bone, with what it inherits.
    void SetPmxRotation(const Quaternion& q);
    // Recomputes this bone's world matrices from `local` and the parent's, which must be up
    // to date.
    void UpdateWorld();

    // Where the bone's head is in the posed model.
    Vector3 WorldPosition() const { return TransformCoord(bone->position, world); }
};

// T(−rest) · R · T(translation) · T(rest), computed directly: R keeps its rotation part and
// gets the translation row −rest · R + translation + rest, which is exactly what the three
// products would add up.
inline Matrix BoneMatrix(const Vector3& rest, const Matrix& rotation, const Vector3& translation)
{
    Matrix r = rotation;
    const Vector3 turned = TransformNormal(-rest, rotation);
    r.m[3][0] = turned.x + translation.x + rest.x;
    r.m[3][1] = turned.y + translation.y + rest.y;
    r.m[3][2] = turned.z + translation.z + rest.z;
    return r;
}

// out = a · b for matrices whose last column is (0, 0, 0, 1), as every bone matrix is: the
// terms the full product would add from that column are exact zeros, so leaving them out
// changes no result. `out` may be `a` or `b`: b is read whole first, and each row of a before
// the same row of out is written.
inline void MultiplyAffineInto(Matrix& out, const Matrix& a, const Matrix& b)
{
    const MatrixRow b0 = LoadRow(b.m[0]);
    const MatrixRow b1 = LoadRow(b.m[1]);
    const MatrixRow b2 = LoadRow(b.m[2]);
    const MatrixRow b3 = LoadRow(b.m[3]);
    for (int i = 0; i < 3; ++i) {
        const MatrixRow row = a.m[i][0] * b0 + a.m[i][1] * b1 + a.m[i][2] * b2;
        StoreRow(out.m[i], row);
    }
    // The last column comes out as 0, 0, 0, 1 by itself.
    const MatrixRow row = a.m[3][0] * b0 + a.m[3][1] * b1 + a.m[3][2] * b2 + b3;
    StoreRow(out.m[3], row);
}

inline Matrix MultiplyAffine(const Matrix& a, const Matrix& b)
{
    Matrix r;
    MultiplyAffineInto(r, a, b);
    return r;
}

// Inline, as posing runs them for every bone of every frame and again for every IK step.

inline void CBoneInstance::UpdateFromSample()
{
    world = BoneMatrix(bone->position, MatrixRotationQuaternion(rotation), translation);
    if (parent)
        MultiplyAffineInto(world, world, parent->world);
    currentRotation = rotation;
}

[[gnu::always_inline]] inline void CBoneInstance::SetCurrentRotation(const Quaternion& q)
{
    currentRotation = q;
    local = BoneMatrix(bone->position, MatrixRotationQuaternion(q), translation);
}

inline void CBoneInstance::SetPmxRotation(const Quaternion& q)
{
    currentRotation = q;
    local = BoneMatrix(bone->position,
                       MatrixRotationQuaternion(QuaternionMultiply(q, inheritedRotation)),
                       translation + inheritedTranslation);
}

inline void CBoneInstance::UpdateWorld()
{
    // A root in an IK chain simply has no parent to follow.
    if (parent)
        MultiplyAffineInto(world, local, parent->world);
    else
        world = local;
}

} // namespace zelvane
