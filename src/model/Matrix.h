#pragma once

#include "model/Quaternion.h"
#include "model/Vector.h"

#include <optional>

namespace zelvane {

// A 4 × 4 matrix for row vectors: a point p becomes p · M, and A · B applies A first.
// m[row][column], both from 0; m[3][0..2] holds the translation.
struct Matrix {
    float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

    friend bool operator==(const Matrix&, const Matrix&) = default;
};

Matrix operator*(const Matrix& a, const Matrix& b);

Matrix MatrixTranslation(const Vector3& v);
Matrix MatrixScaling(float x, float y, float z);
Matrix MatrixRotationX(float angle);
Matrix MatrixRotationY(float angle);
Matrix MatrixRotationZ(float angle);
Matrix MatrixRotationQuaternion(const Quaternion& q);
Matrix MatrixTranspose(const Matrix& a);
// Nothing when the matrix is singular.
std::optional<Matrix> MatrixInverse(const Matrix& a);

// Left-handed view and projection: the camera looks along +z of its own space.
Matrix MatrixLookAtLH(const Vector3& eye, const Vector3& at, const Vector3& up);
Matrix MatrixPerspectiveFovLH(float fieldOfViewY, float aspect, float zNear, float zFar);

// (p, 1) · M, divided by the resulting w.
Vector3 TransformCoord(const Vector3& p, const Matrix& m);
// (v, 0) · M: a direction, unaffected by translation.
Vector3 TransformNormal(const Vector3& v, const Matrix& m);

} // namespace zelvane
