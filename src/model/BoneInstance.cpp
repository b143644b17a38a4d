#include "model/BoneInstance.h"

namespace zelvane {

namespace {

// a · b for matrices whose last column is (0, 0, 0, 1), as every bone matrix is: the terms
// the full product would add from that column are exact zeros, so leaving them out changes
// no result.
Matrix MultiplyAffine(const Matrix& a, const Matrix& b)
{
    // Whole rows, four columns at a time, so the compiler can keep each row in one vector
    // register; the last column comes out as 0, 0, 0, 1 by itself.
    Matrix r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
    }
    for (int j = 0; j < 4; ++j)
        r.m[3][j] += b.m[3][j];
    return r;
}

} // namespace

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
    world = BoneMatrix(bone->position, MatrixRotationQuaternion(rotation), translation);
    if (parent)
        world = MultiplyAffine(world, parent->world);
    currentRotation = rotation;
}

void CBoneInstance::SetCurrentRotation(const Quaternion& q)
{
    currentRotation = q;
    local = BoneMatrix(bone->position, MatrixRotationQuaternion(q), translation);
}

void CBoneInstance::UpdateWorld()
{
    // A root in an IK chain simply has no parent to follow.
    world = parent ? MultiplyAffine(local, parent->world) : local;
}

} // namespace zelvane
