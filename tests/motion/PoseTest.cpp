#include "MotionTestSupport.h"
#include "motion/BasePose.h"
#include "motion/BoneIds.h"
#include "motion/MotionDocument.h"
#include "motion/StepGeometry.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zelvane {
namespace {

using test::FrameAt;
using test::KeyAt;
using test::MakeInput;

constexpr float kToe = 2.463567f;
constexpr float kRestX = 0.875424f;

void ExpectNear(const Vector3& actual, const Vector3& expected)
{
    EXPECT_LE(Length(actual - expected), 1e-4f) << actual.x << ", " << actual.y << ", " << actual.z;
}

std::unique_ptr<CMotionGenerator> Dance(MotionInput input, float bpm = 120.0f,
                                        bool turnEnabled = false)
{
    input.parameters.tempo = CTempoMap(bpm);
    input.parameters.turnEnabled = turnEnabled;
    return test::FullRun(input);
}

TEST(PoseTest, RestStanceDipsOnTheBeatByTheBeatLength)
{
    // Feet 8 apart lower the body by 0.4; the beat dips it h/16 at 120 bpm (15 frames), in
    // full at 60 bpm or slower. The initial stance has a negative frame and writes nothing.
    for (const auto& [bpm, dip] : {std::pair{60.0f, 1.5f}, {50.0f, 1.5f}, {120.0f, 0.75f}}) {
        const auto generator = Dance(MakeInput(Style::SINGLE, {}, 48), bpm);
        ASSERT_EQ(generator->boneSequences().Find(kBoneCenter)->size(), 1u);
        EXPECT_FLOAT_EQ(KeyAt(*generator, kBoneCenter, 0)->translation.y, -0.4f - dip) << bpm;
    }
    const auto generator = Dance(MakeInput(Style::SINGLE, {}, 48));
    const CBoneFrame* center = KeyAt(*generator, kBoneCenter, 0);
    const CBoneFrame* leftIk = KeyAt(*generator, kBoneLeftFootIk, 0);
    const CBoneFrame* rightIk = KeyAt(*generator, kBoneRightFootIk, 0);
    const CBoneFrame* upper = KeyAt(*generator, kBoneUpperBody, 0);
    ASSERT_TRUE(leftIk && rightIk && upper);
    ExpectNear(center->translation, {0, -1.15f, -0.7f * kToe});
    ExpectNear(leftIk->translation, {-4.0f - kRestX, 0, -0.7f * kToe});
    ExpectNear(rightIk->translation, {4.0f + kRestX, 0, -0.7f * kToe});
    EXPECT_EQ(std::tie(center->curves[CBoneFrame::CURVE_Y], center->curves[CBoneFrame::CURVE_X],
                       leftIk->curves[CBoneFrame::CURVE_Y]),
              std::tuple(InterpolationCurve(64, 0, 64, 127), InterpolationCurve(20, 20, 107, 107),
                         InterpolationCurve()));
    EXPECT_NEAR(leftIk->rotation.y, 1.0f, 1e-6); // facing pi: half a turn about y
    // Facing the screen exactly: the twist keys are there and turn nothing.
    EXPECT_NEAR(upper->rotation.y, 0.0f, 1e-6);
    EXPECT_NEAR(upper->rotation.w, 1.0f, 1e-6);
}

TEST(PoseTest, InBetweenKeysLiftTheSteppingFootAndRaiseAJump)
{
    // A jump raises the in-between centre by the time since the last step; feet stay down.
    for (const auto& [bpm, mid, rise] : {std::tuple{60.0f, 15, 4.5f}, {120.0f, 7, 2.25f}}) {
        const auto jump = Dance(MakeInput(Style::SINGLE, {{48, 0, 0}, {48, 3, 0}}), bpm);
        ASSERT_TRUE(KeyAt(*jump, kBoneCenter, mid) && KeyAt(*jump, kBoneLeftFootIk, mid)) << bpm;
        EXPECT_FLOAT_EQ(KeyAt(*jump, kBoneCenter, mid)->translation.y, rise) << bpm;
        EXPECT_EQ(KeyAt(*jump, kBoneLeftFootIk, mid)->translation.y, 0.0f) << bpm;
    }

    // The right foot steps on down at frame 15, half a second after the beat at frame 0.
    const auto step = Dance(MakeInput(Style::SINGLE, {{48, 1, 0}}));
    const CBoneFrame* rightIk = KeyAt(*step, kBoneRightFootIk, 7);
    const CBoneFrame* leftIk = KeyAt(*step, kBoneLeftFootIk, 7);
    const CBoneFrame* center = KeyAt(*step, kBoneCenter, 7);
    ASSERT_TRUE(rightIk && leftIk && center);
    EXPECT_FLOAT_EQ(rightIk->translation.y, 1.5f);
    EXPECT_EQ(leftIk->translation.y, 0.0f);
    // Average of the centres (0, 0) and (-2, -2), plus 0.4 x (left foot - centre) =
    // 0.4 x (-2, 2), less the backward shift along the mean facing of pi and -15 pi / 16.
    const double meanFacing = -31.0 * M_PI / 32.0;
    EXPECT_NEAR(center->translation.x, -1.8 + 0.7 * kToe * std::sin(meanFacing), 1e-4);
    EXPECT_NEAR(center->translation.z, -0.2 + 0.7 * kToe * std::cos(meanFacing), 1e-4);
    EXPECT_NEAR(center->rotation.y, std::sin(meanFacing / 2), 1e-5);
    // The averaged stance: feet (-4, 0)+(-4, 0) and (4, 0)+(0, -4), 6.32 apart.
    EXPECT_NEAR(center->translation.y, -0.05 * std::sqrt(36.0 + 4.0), 1e-5);
}

TEST(PoseTest, InBetweenKeysOfAdjacentFramesAddToTheEarlierFrame)
{
    // Clocks 48 and 52 are frames 15 and 16: the in-between frame is 15 itself, whose key
    // takes the dip of the in-between stance, feet (-2, 2) and (0, -4), on top of its own.
    const auto alone = Dance(MakeInput(Style::SINGLE, {{48, 1, 0}}));
    const auto both = Dance(MakeInput(Style::SINGLE, {{48, 1, 0}, {52, 2, 0}}));
    EXPECT_NEAR(KeyAt(*both, kBoneCenter, 15)->translation.y,
                KeyAt(*alone, kBoneCenter, 15)->translation.y - 0.05 * std::sqrt(40.0), 1e-5);
    // The lifted left foot shows on frame 15's key.
    EXPECT_NEAR(KeyAt(*both, kBoneLeftFootIk, 15)->translation.y, 1.5f, 1e-5);
    EXPECT_EQ(both->boneSequences().Find(kBoneCenter)->size(), 4u); // frames 0, 7, 15, 16
}

TEST(PoseTest, TwistFollowsTheFacingWhileFacingTheScreen)
{
    MotionInput input = MakeInput(Style::SINGLE, {{48, 2, 0}, {96, 3, 0}});
    const auto generator = Dance(input, 120.0f, true); // facings as the feet give them
    ASSERT_NEAR(FrameAt(*generator, 15)->facing, 3 * kPi / 4, 1e-6);
    for (const int bone : {kBoneUpperBody, kBoneNeck}) {
        const CBoneFrame* key = KeyAt(*generator, bone, 15);
        ASSERT_NE(key, nullptr);
        EXPECT_NEAR(key->rotation.y, std::sin(M_PI / 24), 1e-6);
        EXPECT_NEAR(key->rotation.w, std::cos(M_PI / 24), 1e-6);
    }
    ASSERT_NEAR(FrameAt(*generator, 30)->facing, kPi / 4, 1e-6);
    EXPECT_EQ(KeyAt(*generator, kBoneUpperBody, 30), nullptr);

    input.parameters.twist = false;
    EXPECT_EQ(Dance(input, 120.0f, true)->boneSequences().Find(kBoneUpperBody), nullptr);
}

TEST(PoseTest, BasePoseLandsOnTheSongsFirstFrameMirrored)
{
    MotionInput input = MakeInput(Style::SINGLE, {});
    input.parameters.gap = 1000;
    const auto generator = Dance(input);
    const CBoneFrame* leftArm = KeyAt(*generator, NameToID("左腕"), -30);
    const CBoneFrame* rightArm = KeyAt(*generator, NameToID("右腕"), -30);
    ASSERT_TRUE(leftArm && rightArm);
    const Quaternion left = leftArm->rotation;
    EXPECT_NEAR(left.z, -0.237405f, 1e-6f); // arms down by the side, not at rest
    EXPECT_EQ(rightArm->rotation, (Quaternion{left.x, -left.y, -left.z, left.w}));
    EXPECT_EQ(
        std::tie(rightArm->curves[CBoneFrame::CURVE_ROTATION],
                 rightArm->curves[CBoneFrame::CURVE_X]),
        std::tuple(InterpolationCurve(0, 20, 107, 107), InterpolationCurve(20, 20, 107, 107)));
    std::size_t laid = 0; // the whole pose, fingers too
    for (const auto& [nameID, sequence] : generator->boneSequences())
        laid += sequence->Find(-30) != nullptr;
    EXPECT_EQ(laid, GetBasePose().BoneKeyCount());
}

} // namespace
} // namespace zelvane
