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
    // Whole rows at a time, each column's sum made in its own lane; the last column keeps
    // what an identity has there.
    Matrix r;
    for (int row = 0; row < 4; ++row) {
        MatrixRow sum{};
        for (std::size_t k = 0; k < count; ++k)
            sum += weights[k] * LoadRow(bones[k]->m[row]);
        sum[3] = row == 3 ? 1.0f : 0.0f;
        StoreRow(r.m[row], sum);
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

namespace {

// sin x for 0 ≤ x ≤ π/2 by its series up to x¹³, within 1e-7 of it there (the first term
// left out is below 6e-8 at π/2).
float SineUpToQuarterTurn(float x)
{
    const float x2 = x * x;
    return x
        * (1.0f
           + x2
               * (-1.0f / 6.0f
                  + x2
                      * (1.0f / 120.0f
                         + x2
                             * (-1.0f / 5040.0f
                                + x2 * (1.0f / 362880.0f + x2 * (-1.0f / 39916800.0f))))));
}

// acos x for 0 ≤ x ≤ 1 as √(1 − x) times a polynomial of degree 7 (the approximation of
// Abramowitz and Stegun, 4.4.46), within 2e-8 of it.
float ArcCosineOfPositive(float x)
{
    constexpr float c[8] = {1.5707963050f, -0.2145988016f, 0.0889789874f, -0.0501743046f,
                            0.0308918810f, -0.0170881256f, 0.0066700901f, -0.0012624911f};
    float p = c[7];
    for (int k = 6; k >= 0; --k)
        p = p * x + c[k];
    return std::sqrt(1.0f - x) * p;
}

} // namespace

Matrix SphericalRotation(const Quaternion& bone0, const Quaternion& bone1, float weight1)
{
    // The slerp of the two turns, normalised. Every group of a spherical model makes one
    // each frame, so the sines and the arc cosine are polynomials rather than calls; and
    // since the result is normalised anyway, the slerp's common factor 1 / sin θ is left out.
    // As in QuaternionSlerp, b takes the sign nearer a, and turns less than 0.001 apart in
    // cosine blend linearly.
    float dot = QuaternionDot(bone0, bone1);
    float sign = 1.0f;
    if (dot < 0.0f) {
        dot = -dot;
        sign = -1.0f;
    }
    float weight0 = 1.0f - weight1;
    float weightB = weight1;
    if (1.0f - dot > 0.001f) {
        const float theta = ArcCosineOfPositive(dot);
        weight0 = SineUpToQuarterTurn(theta * (1.0f - weight1));
        weightB = SineUpToQuarterTurn(theta * weight1);
    }
    weightB *= sign;
    Quaternion q{weight0 * bone0.x + weightB * bone1.x, weight0 * bone0.y + weightB * bone1.y,
                 weight0 * bone0.z + weightB * bone1.z, weight0 * bone0.w + weightB * bone1.w};
    const float squared = QuaternionDot(q, q);
    if (squared == 0.0f)
        return MatrixRotationQuaternion({0.0f, 0.0f, 0.0f, 0.0f});
    const float inverse = 1.0f / std::sqrt(squared);
    q = {q.x * inverse, q.y * inverse, q.z * inverse, q.w * inverse};
    return MatrixRotationQuaternion(q);
}

} // namespace zelvane
