#pragma once

#include "model/Quaternion.h"
#include "model/Vector.h"

#include <cstring>
#include <optional>

namespace zelvane {

// A 4 × 4 matrix for row vectors: a point p becomes p · M, and A · B applies A first.
// m[row][column], both from 0; m[3][0..2] holds the translation.
struct Matrix {
    float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

    friend bool operator==(const Matrix&, const Matrix&) = default;
};

Matrix operator*(const Matrix& a, const Matrix& b);

// A matrix row as four floats in one vector register, so that a product of bone matrices
// stays in registers: four lanes do what the four columns would do one after the other, each
// lane with the same operations in the same order, so the results are the same floats.
using MatrixRow = float __attribute__((vector_size(16)));

inline MatrixRow LoadRow(const float (&row)[4])
{
    MatrixRow r;
    std::memcpy(&r, row, sizeof r);
    return r;
}

inline void StoreRow(float (&row)[4], const MatrixRow& r)
{
    std::memcpy(row, &r, sizeof r);
}

Matrix MatrixTranslation(const Vector3& v);
Matrix MatrixScaling(float x, float y, float z);
Matrix MatrixRotationX(float angle);
Matrix MatrixRotationY(float angle);
Matrix MatrixRotationZ(float angle);
// Inline, as the small transforms below: posing calls them for every bone and IK step.
inline Matrix MatrixRotationQuaternion(const Quaternion& q)
{
    Matrix r;
    r.m[0][0] = 1.0f - 2.0f * (q.y * q.y + q.z * q.z);
    r.m[0][1] = 2.0f * (q.x * q.y + q.z * q.w);
    r.m[0][2] = 2.0f * (q.x * q.z - q.y * q.w);
    r.m[1][0] = 2.0f * (q.x * q.y - q.z * q.w);
    r.m[1][1] = 1.0f - 2.0f * (q.x * q.x + q.z * q.z);
    r.m[1][2] = 2.0f * (q.y * q.z + q.x * q.w);
    r.m[2][0] = 2.0f * (q.x * q.z + q.y * q.w);
    r.m[2][1] = 2.0f * (q.y * q.z - q.x * q.w);
    r.m[2][2] = 1.0f - 2.0f * (q.x * q.x + q.y * q.y);
    return r;
}
// The unit quaternion of the rotation in the upper 3 × 3 of `m`, which must be a pure
// rotation; its w is never negative.
Quaternion QuaternionRotationMatrix(const Matrix& m);
Matrix MatrixTranspose(const Matrix& a);
// Nothing when the matrix is singular.
std::optional<Matrix> MatrixInverse(const Matrix& a);

// Left-handed view and projection: the camera looks along +z of its own space.
Matrix MatrixLookAtLH(const Vector3& eye, const Vector3& at, const Vector3& up);
Matrix MatrixPerspectiveFovLH(float fieldOfViewY, float aspect, float zNear, float zFar);

// (p, 1) · M, divided by the resulting w.
inline Vector3 TransformCoord(const Vector3& p, const Matrix& m)
{
    const float x = p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0];
    const float y = p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1];
    const float z = p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2];
    const float w = p.x * m.m[0][3] + p.y * m.m[1][3] + p.z * m.m[2][3] + m.m[3][3];
    if (w == 1.0f)
        return {x, y, z};
    return {x / w, y / w, z / w};
}
// (v, 0) · M: a direction, unaffected by translation.
inline Vector3 TransformNormal(const Vector3& v, const Matrix& m)
{
    return {
        v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
        v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
        v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2],
    };
}

} // namespace zelvane
