#include "model/SkinBlends.h"

#include <cmath>

namespace zelvane {

Quaternion HamiltonProduct(const Quaternion& a, const Quaternion& b)
{
    // QuaternionMultiply(x, y) applies x first, which is the Hamilton product y·x.
    return QuaternionMultiply(b, a);
}

Matrix LinearBlend(const Matrix* const* bones, const float* weights, std::size_t count)
{
    if (count == 1)
        return *bones[0];
    Matrix r;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            float sum = 0.0f;
            for (std::size_t k = 0; k < count; ++k)
                sum += weights[k] * bones[k]->m[row][column];
            r.m[row][column] = sum;
        }
    }
    return r;
}

Matrix DualQuaternionBlend(const Matrix* const* bones, const float* weights, std::size_t count)
{
    if (count == 1)
        return *bones[0];
    // Each bone as a unit dual quaternion q + ε·½·t·q, where p · M = q p q* + t. q and −q are
    // the same turn: every rotation takes the sign nearer the first one's, so the blend
    // goes the short way.
    Quaternion real{0.0f, 0.0f, 0.0f, 0.0f};
    Quaternion dual{0.0f, 0.0f, 0.0f, 0.0f};
    Quaternion first;
    for (std::size_t k = 0; k < count; ++k) {
        const Matrix& m = *bones[k];
        Quaternion q = QuaternionRotationMatrix(m);
        if (k == 0)
            first = q;
        else if (QuaternionDot(q, first) < 0.0f)
            q = {-q.x, -q.y, -q.z, -q.w};
        const Quaternion t{m.m[3][0], m.m[3][1], m.m[3][2], 0.0f};
        const Quaternion d = HamiltonProduct(t, q);
        const float w = weights[k];
        real = {real.x + w * q.x, real.y + w * q.y, real.z + w * q.z, real.w + w * q.w};
        dual = {dual.x + 0.5f * w * d.x, dual.y + 0.5f * w * d.y, dual.z + 0.5f * w * d.z,
                dual.w + 0.5f * w * d.w};
    }
    const float length = QuaternionLength(real);
    if (length == 0.0f)
        return *bones[0];
    const float inverse = 1.0f / length;
    real = {real.x * inverse, real.y * inverse, real.z * inverse, real.w * inverse};
    dual = {dual.x * inverse, dual.y * inverse, dual.z * inverse, dual.w * inverse};
    // The translation is 2·dual·real*.
    const Quaternion conjugate{-real.x, -real.y, -real.z, real.w};
    const Quaternion t = HamiltonProduct(dual, conjugate);
    Matrix r = MatrixRotationQuaternion(real);
    r.m[3][0] = 2.0f * t.x;
    r.m[3][1] = 2.0f * t.y;
    r.m[3][2] = 2.0f * t.z;
    return r;
}

Matrix SphericalRotation(const Matrix& bone0, const Matrix& bone1, float weight1)
{
    return SphericalRotation(QuaternionRotationMatrix(bone0), QuaternionRotationMatrix(bone1),
                             weight1);
}

Matrix SphericalRotation(const Quaternion& bone0, const Quaternion& bone1, float weight1)
{
    return MatrixRotationQuaternion(QuaternionNormalize(QuaternionSlerp(bone0, bone1, weight1)));
}

} // namespace zelvane
