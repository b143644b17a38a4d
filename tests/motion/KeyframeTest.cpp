#include "motion/BoneFrameSequence.h"
#include "motion/InterpolationCurve.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zelvane {
namespace {

TEST(InterpolationCurveTest, NearLinearCurvesFollowTheDiagonal)
{
    for (const InterpolationCurve& curve :
         {InterpolationCurve(25, 25, 102, 102), InterpolationCurve(20, 20, 107, 107)}) {
        EXPECT_EQ(curve.table()[64], 64);
        EXPECT_EQ(curve.table()[0], 0);
        for (int i = 0; i < 127; ++i)
            EXPECT_NEAR(curve.table()[i], i, 3) << "at " << i;
    }
}

TEST(InterpolationCurveTest, EaseInOutCurveStaysFlatAtTheStart)
{
    const InterpolationCurve curve(64, 0, 64, 127);
    for (int i = 0; i <= 8; ++i)
        EXPECT_EQ(curve.table()[i], 0) << "at " << i;
    EXPECT_EQ(curve.table()[64], 63);
    EXPECT_EQ(curve.table()[126], 126);
    // Monotonic: the bounce never runs backwards.
    for (int i = 1; i < 128; ++i)
        EXPECT_GE(curve.table()[i], curve.table()[i - 1]);
}

TEST(InterpolationCurveTest, ChangingControlPointsRebuildsTheTable)
{
    InterpolationCurve curve;
    curve.Set(64, 0, 64, 127);
    EXPECT_EQ(curve.table()[8], 0);
    curve.Set(25, 25, 102, 102);
    EXPECT_NEAR(curve.table()[8], 8, 3);
}

CBoneFrame Key(int frame, Vector3 translation, Quaternion rotation = {})
{
    CBoneFrame key(frame);
    key.translation = translation;
    key.rotation = rotation;
    return key;
}

TEST(MotionFrameSequenceTest, EqualFramesKeepInsertionOrder)
{
    CBoneFrameSequence sequence;
    sequence.Insert(Key(20, {2, 0, 0}));
    sequence.Insert(Key(10, {1, 0, 0}));
    sequence.Insert(Key(20, {3, 0, 0}));
    sequence.Insert(Key(30, {4, 0, 0}));
    ASSERT_EQ(sequence.size(), 4u);
    EXPECT_EQ(sequence.keys()[0].frame, 10);
    EXPECT_EQ(sequence.Find(20)->translation.x, 2.0f);
    EXPECT_EQ(sequence.FindAtOrBefore(25)->translation.x, 3.0f);
    EXPECT_EQ(sequence.FindAtOrAfter(11)->translation.x, 2.0f);
    EXPECT_EQ(sequence.Find(15), nullptr);
    EXPECT_EQ(sequence.FindAtOrBefore(9), nullptr);
    EXPECT_EQ(sequence.FindAtOrAfter(31), nullptr);

    sequence.RemoveAfter(20);
    ASSERT_EQ(sequence.size(), 3u);
    EXPECT_EQ(sequence.keys().back().frame, 20);
}

TEST(BoneFrameSequenceTest, SamplesAtKeysBetweenKeysAndAfterTheLast)
{
    CBoneFrameSequence sequence;
    sequence.Insert(Key(0, {0, 0, 0}));
    CBoneFrame end = Key(127, {127, -254, 0}, QuaternionRotationY(1.5707964f));
    end.curves[CBoneFrame::CURVE_X].Set(64, 0, 64, 127);
    end.curves[CBoneFrame::CURVE_Y].Set(64, 0, 64, 127);
    end.curves[CBoneFrame::CURVE_ROTATION].Set(64, 0, 64, 127);
    sequence.Insert(end);

    const BonePose middle = sequence.Sample(64); // curve x 64 -> height 63
    EXPECT_FLOAT_EQ(middle.translation.x, 63.0f);
    EXPECT_FLOAT_EQ(middle.translation.y, -126.0f);
    EXPECT_FLOAT_EQ(middle.translation.z, 0.0f);
    const Quaternion expected = QuaternionRotationY(1.5707964f * 63.0f / 127.0f);
    EXPECT_NEAR(middle.rotation.y, expected.y, 1e-5);
    EXPECT_NEAR(middle.rotation.w, expected.w, 1e-5);

    const BonePose atEnd = sequence.Sample(127);
    EXPECT_EQ(atEnd.translation, end.translation);
    EXPECT_EQ(atEnd.rotation, end.rotation);
    EXPECT_EQ(sequence.Sample(500).translation, end.translation);
}

TEST(BoneFrameSequenceTest, EasesFromRestBeforeTheFirstKey)
{
    CBoneFrameSequence sequence;
    CBoneFrame only = Key(30, {127, 0, 0});
    only.curves[CBoneFrame::CURVE_X].Set(64, 0, 64, 127);
    sequence.Insert(only);
    // Frame 2 of 30 is curve x 8, still on the flat start of the curve.
    EXPECT_EQ(sequence.Sample(2).translation.x, 0.0f);
    // Frame 10 of 30 is curve x 42: on the way, below the straight line.
    const float x = sequence.Sample(10).translation.x;
    EXPECT_GT(x, 0.0f);
    EXPECT_LT(x, 42.0f);
    EXPECT_EQ(sequence.Sample(0).rotation, Quaternion{});
}

TEST(MotionMathTest, MultiplyAppliesTheFirstRotationFirst)
{
    // Quarter turns about x and y do not commute, so the order shows in the product.
    const float h = std::sqrt(0.5f);
    const Quaternion aboutX{h, 0, 0, h};
    const Quaternion aboutY{0, h, 0, h};
    const Quaternion xThenY = QuaternionMultiply(aboutX, aboutY);
    // Hamilton product aboutY * aboutX = (0.5, 0.5, -0.5, 0.5).
    EXPECT_NEAR(xThenY.x, 0.5f, 1e-6);
    EXPECT_NEAR(xThenY.y, 0.5f, 1e-6);
    EXPECT_NEAR(xThenY.z, -0.5f, 1e-6);
    EXPECT_NEAR(xThenY.w, 0.5f, 1e-6);
    const Quaternion yThenX = QuaternionMultiply(aboutY, aboutX);
    EXPECT_NEAR(yThenX.z, 0.5f, 1e-6);
}

} // namespace
} // namespace zelvane
