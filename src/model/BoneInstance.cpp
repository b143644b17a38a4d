#include "model/BoneInstance.h"

namespace zelvane {

Matrix BoneMatrix(const Vector3& rest, const Matrix& rotation, const Vector3& translation)
{
    Matrix r = rotation;
    const Vector3 turned = TransformNormal(-rest, rotation);
    r.m[3][0] = turned.x + translation.x + rest.x;
    r.m[3][1] = turned.y + translation.y + rest.y;
    r.m[3][2] = turned.z + translation.z + rest.z;
    return r;
}

void CBoneInstance::UpdateFromSample()
{
    worldRotation = MatrixRotationQuaternion(rotation);
    world = BoneMatrix(bone->position, worldRotation, translation);
    if (parent) {
        world = world * parent->world;
        worldRotation = worldRotation * parent->worldRotation;
    }
    currentRotation = rotation;
}

void CBoneInstance::SetCurrentRotation(const Quaternion& q)
{
    currentRotation = q;
    localRotation = MatrixRotationQuaternion(q);
    local = BoneMatrix(bone->position, localRotation, translation);
}

void CBoneInstance::UpdateWorld()
{
    // A root in an IK chain simply has no parent to follow.
    if (parent) {
        world = local * parent->world;
        worldRotation = localRotation * parent->worldRotation;
    } else {
        world = local;
        worldRotation = localRotation;
    }
}

} // namespace zelvane
