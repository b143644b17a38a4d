#include "model/Matrix.h"

#include <cmath>

namespace zelvane {

Matrix operator*(const Matrix& a, const Matrix& b)
{
    Matrix r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j]
                + a.m[i][3] * b.m[3][j];
        }
    }
    return r;
}

Matrix MatrixTranslation(const Vector3& v)
{
    Matrix r;
    r.m[3][0] = v.x;
    r.m[3][1] = v.y;
    r.m[3][2] = v.z;
    return r;
}

Matrix MatrixScaling(float x, float y, float z)
{
    Matrix r;
    r.m[0][0] = x;
    r.m[1][1] = y;
    r.m[2][2] = z;
    return r;
}

Matrix MatrixRotationX(float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    Matrix r;
    r.m[1][1] = c;
    r.m[1][2] = s;
    r.m[2][1] = -s;
    r.m[2][2] = c;
    return r;
}

Matrix MatrixRotationY(float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    Matrix r;
    r.m[0][0] = c;
    r.m[0][2] = -s;
    r.m[2][0] = s;
    r.m[2][2] = c;
    return r;
}

Matrix MatrixRotationZ(float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    Matrix r;
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

Quaternion QuaternionRotationMatrix(const Matrix& matrix)
{
    // The inverse of MatrixRotationQuaternion: the largest of the four components comes from
    // the diagonal, where it is exact, and the others from the off-diagonal sums divided by it.
    const auto& m = matrix.m;
    const float trace = m[0][0] + m[1][1] + m[2][2];
    Quaternion q;
    if (trace > 0.0f) {
        const float s = std::sqrt(trace + 1.0f) * 2.0f; // 4w
        q = {(m[1][2] - m[2][1]) / s, (m[2][0] - m[0][2]) / s, (m[0][1] - m[1][0]) / s, 0.25f * s};
    } else if (m[0][0] > m[1][1] && m[0][0] > m[2][2]) {
        const float s = std::sqrt(1.0f + m[0][0] - m[1][1] - m[2][2]) * 2.0f; // 4x
        q = {0.25f * s, (m[0][1] + m[1][0]) / s, (m[2][0] + m[0][2]) / s, (m[1][2] - m[2][1]) / s};
    } else if (m[1][1] > m[2][2]) {
        const float s = std::sqrt(1.0f + m[1][1] - m[0][0] - m[2][2]) * 2.0f; // 4y
        q = {(m[0][1] + m[1][0]) / s, 0.25f * s, (m[1][2] + m[2][1]) / s, (m[2][0] - m[0][2]) / s};
    } else {
        const float s = std::sqrt(1.0f + m[2][2] - m[0][0] - m[1][1]) * 2.0f; // 4z
        q = {(m[2][0] + m[0][2]) / s, (m[1][2] + m[2][1]) / s, 0.25f * s, (m[0][1] - m[1][0]) / s};
    }
    if (q.w < 0.0f)
        q = {-q.x, -q.y, -q.z, -q.w};
    return QuaternionNormalize(q);
}

Matrix MatrixTranspose(const Matrix& a)
{
    Matrix r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = a.m[j][i];
    }
    return r;
}

std::optional<Matrix> MatrixInverse(const Matrix& a)
{
    // Cofactors from the 2 × 2 minors of the upper and lower row pairs (Laplace expansion).
    const auto& m = a.m;
    const float s0 = m[0][0] * m[1][1] - m[1][0] * m[0][1];
    const float s1 = m[0][0] * m[1][2] - m[1][0] * m[0][2];
    const float s2 = m[0][0] * m[1][3] - m[1][0] * m[0][3];
    const float s3 = m[0][1] * m[1][2] - m[1][1] * m[0][2];
    const float s4 = m[0][1] * m[1][3] - m[1][1] * m[0][3];
    const float s5 = m[0][2] * m[1][3] - m[1][2] * m[0][3];
    const float c5 = m[2][2] * m[3][3] - m[3][2] * m[2][3];
    const float c4 = m[2][1] * m[3][3] - m[3][1] * m[2][3];
    const float c3 = m[2][1] * m[3][2] - m[3][1] * m[2][2];
    const float c2 = m[2][0] * m[3][3] - m[3][0] * m[2][3];
    const float c1 = m[2][0] * m[3][2] - m[3][0] * m[2][2];
    const float c0 = m[2][0] * m[3][1] - m[3][0] * m[2][1];
    const float determinant = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
    if (determinant == 0.0f || !std::isfinite(determinant))
        return std::nullopt;
    const float d = 1.0f / determinant;
    Matrix r;
    r.m[0][0] = (m[1][1] * c5 - m[1][2] * c4 + m[1][3] * c3) * d;
    r.m[0][1] = (-m[0][1] * c5 + m[0][2] * c4 - m[0][3] * c3) * d;
    r.m[0][2] = (m[3][1] * s5 - m[3][2] * s4 + m[3][3] * s3) * d;
    r.m[0][3] = (-m[2][1] * s5 + m[2][2] * s4 - m[2][3] * s3) * d;
    r.m[1][0] = (-m[1][0] * c5 + m[1][2] * c2 - m[1][3] * c1) * d;
    r.m[1][1] = (m[0][0] * c5 - m[0][2] * c2 + m[0][3] * c1) * d;
    r.m[1][2] = (-m[3][0] * s5 + m[3][2] * s2 - m[3][3] * s1) * d;
    r.m[1][3] = (m[2][0] * s5 - m[2][2] * s2 + m[2][3] * s1) * d;
    r.m[2][0] = (m[1][0] * c4 - m[1][1] * c2 + m[1][3] * c0) * d;
    r.m[2][1] = (-m[0][0] * c4 + m[0][1] * c2 - m[0][3] * c0) * d;
    r.m[2][2] = (m[3][0] * s4 - m[3][1] * s2 + m[3][3] * s0) * d;
    r.m[2][3] = (-m[2][0] * s4 + m[2][1] * s2 - m[2][3] * s0) * d;
    r.m[3][0] = (-m[1][0] * c3 + m[1][1] * c1 - m[1][2] * c0) * d;
    r.m[3][1] = (m[0][0] * c3 - m[0][1] * c1 + m[0][2] * c0) * d;
    r.m[3][2] = (-m[3][0] * s3 + m[3][1] * s1 - m[3][2] * s0) * d;
    r.m[3][3] = (m[2][0] * s3 - m[2][1] * s1 + m[2][2] * s0) * d;
    return r;
}

Matrix MatrixLookAtLH(const Vector3& eye, const Vector3& at, const Vector3& up)
{
    const Vector3 zAxis = Normalize(at - eye);
    const Vector3 xAxis = Normalize(Cross(up, zAxis));
    const Vector3 yAxis = Cross(zAxis, xAxis);
    Matrix r;
    r.m[0][0] = xAxis.x;
    r.m[1][0] = xAxis.y;
    r.m[2][0] = xAxis.z;
    r.m[0][1] = yAxis.x;
    r.m[1][1] = yAxis.y;
    r.m[2][1] = yAxis.z;
    r.m[0][2] = zAxis.x;
    r.m[1][2] = zAxis.y;
    r.m[2][2] = zAxis.z;
    r.m[3][0] = -Dot(xAxis, eye);
    r.m[3][1] = -Dot(yAxis, eye);
    r.m[3][2] = -Dot(zAxis, eye);
    return r;
}

Matrix MatrixPerspectiveFovLH(float fieldOfViewY, float aspect, float zNear, float zFar)
{
    const float yScale = 1.0f / std::tan(fieldOfViewY * 0.5f);
    Matrix r;
    r.m[0][0] = yScale / aspect;
    r.m[1][1] = yScale;
    r.m[2][2] = zFar / (zFar - zNear);
    r.m[2][3] = 1.0f;
    r.m[3][2] = -zNear * zFar / (zFar - zNear);
    r.m[3][3] = 0.0f;
    return r;
}

} // namespace zelvane
