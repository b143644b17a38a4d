#include "model/Matrix.h"
#include "model/Quaternion.h"
#include "model/Vector.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using namespace zelvane;

namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2;

void ExpectNear(const Vector3& actual, const Vector3& expected)
{
    EXPECT_LE(Length(actual - expected), 1e-5f) << actual.x << ", " << actual.y << ", " << actual.z;
}

void ExpectNear(const Matrix& actual, const Matrix& expected)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(actual.m[i / 4][i % 4], expected.m[i / 4][i % 4], 1e-5f)
            << i / 4 << "," << i % 4;
}

Matrix Rotation(const Quaternion& q)
{
    return MatrixRotationQuaternion(q);
}

} // namespace

TEST(Math, RowVectorsAndLeftHandedRotations)
{
    // A quarter turn about Z takes +x to +y, about X takes +y to +z, about Y takes +z to +x.
    ExpectNear(TransformCoord({1, 0, 0}, MatrixRotationZ(kHalfPi)), {0, 1, 0});
    ExpectNear(TransformCoord({0, 1, 0}, MatrixRotationX(kHalfPi)), {0, 0, 1});
    ExpectNear(TransformCoord({0, 0, 1}, MatrixRotationY(kHalfPi)), {1, 0, 0});
    // A · B applies A first: turn, then move; a normal only turns.
    const Matrix m = MatrixRotationZ(kHalfPi) * MatrixTranslation({5, 0, 0});
    ExpectNear(TransformCoord({1, 0, 0}, m), {5, 1, 0});
    ExpectNear(TransformNormal({1, 0, 0}, m), {0, 1, 0});
}

TEST(Math, QuaternionsAgreeWithMatrices)
{
    const Quaternion qx = QuaternionRotationAxis({2, 0, 0}, 0.7f); // axis need not be unit
    const Quaternion qy = QuaternionRotationAxis({0, 1, 0}, -1.1f);
    ExpectNear(Rotation(qx), MatrixRotationX(0.7f));
    ExpectNear(Rotation(qy), MatrixRotationY(-1.1f));
    ExpectNear(Rotation(QuaternionRotationAxis({0, 0, 1}, 0.3f)), MatrixRotationZ(0.3f));
    // Multiply(a, b) is a followed by b, for rotations that do not commute.
    ExpectNear(Rotation(QuaternionMultiply(qx, qy)),
               MatrixRotationX(0.7f) * MatrixRotationY(-1.1f));
    ExpectNear(Rotation(QuaternionMultiply(qy, qx)),
               MatrixRotationY(-1.1f) * MatrixRotationX(0.7f));
    // Roll, then pitch, then yaw.
    ExpectNear(Rotation(QuaternionRotationYawPitchRoll(0.4f, -0.5f, 1.2f)),
               MatrixRotationZ(1.2f) * MatrixRotationX(-0.5f) * MatrixRotationY(0.4f));

    // Slerp takes the short arc: -q is the same rotation, and the blend must not swing the
    // long way round.
    const Quaternion identity;
    const Quaternion y90 = QuaternionRotationAxis({0, 1, 0}, kHalfPi);
    const Quaternion half = QuaternionSlerp(identity, y90, 0.5f);
    ExpectNear(Rotation(half), MatrixRotationY(kHalfPi / 2));
    EXPECT_NEAR(QuaternionLength(half), 1.0f, 1e-6f);
    ExpectNear(Rotation(QuaternionSlerp(identity, {-y90.x, -y90.y, -y90.z, -y90.w}, 0.5f)),
               MatrixRotationY(kHalfPi / 2));
    ExpectNear(Rotation(QuaternionSlerp(identity, y90, 1.0f)), MatrixRotationY(kHalfPi));
    // Nearly equal rotations blend linearly instead of dividing by a vanishing sine.
    const Quaternion close = QuaternionRotationAxis({0, 1, 0}, 1e-4f);
    const Quaternion mid = QuaternionSlerp(identity, close, 0.5f);
    EXPECT_TRUE(std::isfinite(mid.w));
    EXPECT_NEAR(mid.y, close.y / 2, 1e-7f);
}

TEST(Math, InverseViewAndProjection)
{
    Matrix a = Rotation(QuaternionRotationYawPitchRoll(0.3f, 0.2f, -0.9f))
        * MatrixScaling(2, 3, 0.5f) * MatrixTranslation({1, -2, 3});
    a.m[0][3] = 0.25f; // not affine either
    ExpectNear(a * *MatrixInverse(a), Matrix{});
    ExpectNear(*MatrixInverse(a) * a, Matrix{});
    EXPECT_FALSE(MatrixInverse(MatrixScaling(1, 0, 1)).has_value());
    ExpectNear(MatrixTranspose(MatrixRotationX(0.5f)), MatrixRotationX(-0.5f));

    // The eye goes to the origin and the target onto +z.
    const Matrix view = MatrixLookAtLH({0, 0, -30}, {0, 0, 70}, {0, 1, 0});
    ExpectNear(TransformCoord({0, 0, -30}, view), {0, 0, 0});
    ExpectNear(TransformCoord({0, 0, 70}, view), {0, 0, 100});
    ExpectNear(TransformCoord({1, 0, -30}, view), {1, 0, 0});
    // Near and far planes map to depth 0 and 1, with the divide by w.
    const Matrix projection = MatrixPerspectiveFovLH(kHalfPi, 2.0f, 1.0f, 10000.0f);
    EXPECT_NEAR(TransformCoord({0, 0, 1}, projection).z, 0.0f, 1e-6f);
    EXPECT_NEAR(TransformCoord({0, 0, 10000}, projection).z, 1.0f, 1e-6f);
    ExpectNear(TransformCoord({10, 10, 10}, projection), {0.5f, 1.0f, 0.9000900f});
}
