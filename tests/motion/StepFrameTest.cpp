#include "MotionTestSupport.h"
#include "motion/StepGeometry.h"

#include <gtest/gtest.h>

namespace zelvane {
namespace {

using test::FrameAt;
using test::MakeInput;

constexpr int LEFT = 0, DOWN = 1, UP = 2, RIGHT = 3;

TEST(StepFrameTest, DownThenUpWorkedExample)
{
    CMotionGenerator generator;
    generator.Generate(MakeInput(Style::SINGLE, {{48, DOWN, 0}, {96, UP, 0}}, 96), 0);
    // Initial stance one beat before clock 0, the beat at clock 0, the two notes.
    ASSERT_EQ(generator.stepFrames().size(), 4u);
    EXPECT_EQ(generator.stepFrames()[0]->frame, -15);
    EXPECT_TRUE(generator.stepFrames()[0]->onBeat);

    const CStepFrame* down = FrameAt(generator, 15);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(down->right.panel, DOWN);
    EXPECT_TRUE(down->right.stepped);
    EXPECT_EQ(down->left.panel, LEFT);
    EXPECT_FALSE(down->left.stepped);
    EXPECT_TRUE(down->leadLeft);
    EXPECT_FLOAT_EQ(down->facing, (-3 * kPi / 4 + kPi) * 0.25f - kPi); // -15 pi / 16

    const CStepFrame* up = FrameAt(generator, 30);
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up->left.panel, UP);
    EXPECT_TRUE(up->left.stepped);
    EXPECT_EQ(up->right.panel, DOWN);
    EXPECT_FALSE(up->leadLeft);
    EXPECT_FLOAT_EQ(up->facing, (-kHalfPi + kPi) * 0.25f - kPi); // -7 pi / 8
}

TEST(StepFrameTest, PlayerWithoutNotesGetsOnlyBeatFrames)
{
    CMotionGenerator generator;
    generator.Generate(MakeInput(Style::SINGLE, {}, 200), 0);
    std::vector<int> frames;
    for (const auto& frame : generator.stepFrames()) {
        frames.push_back(frame->frame);
        EXPECT_TRUE(frame->onBeat);
        EXPECT_FALSE(frame->left.stepped || frame->right.stepped);
        EXPECT_EQ(frame->facing, kPi);
    }
    EXPECT_EQ(frames, (std::vector<int>{-15, 0, 15, 30, 45, 60}));
}

TEST(StepFrameTest, NotesOnOneFrameAreDancedAsAJump)
{
    CMotionGenerator generator;
    // Clocks 48 and 49 are both frame 15 at 120 bpm.
    generator.Generate(MakeInput(Style::SINGLE, {{48, DOWN, 0}, {49, UP, 0}}), 0);
    const CStepFrame* jump = FrameAt(generator, 15);
    ASSERT_NE(jump, nullptr);
    EXPECT_EQ(jump->statuses[DOWN], CStepFrame::TAP);
    EXPECT_EQ(jump->statuses[UP], CStepFrame::TAP);
    EXPECT_TRUE(jump->left.stepped && jump->right.stepped);
    EXPECT_EQ(FrameAt(generator, 16), nullptr);
}

TEST(StepFrameTest, ThirdNoteOfAFrameIsDroppedInVisitingOrder)
{
    CMotionGenerator generator;
    // Visited 2, 1, 3: the right foot steps on 3 again, the left takes 2, 1 is left over.
    generator.Generate(MakeInput(Style::SINGLE, {{48, DOWN, 0}, {48, UP, 0}, {48, RIGHT, 0}}), 0);
    const CStepFrame* frame = FrameAt(generator, 15);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->left.panel, UP);
    EXPECT_EQ(frame->right.panel, RIGHT);
    EXPECT_TRUE(frame->left.stepped && frame->right.stepped);
}

TEST(StepFrameTest, HeldOrSteppedPanelIsNotTakenByTheOtherFoot)
{
    CMotionGenerator generator;
    generator.Generate(MakeInput(Style::SINGLE, {{48, LEFT, 96}, {96, LEFT, 0}, {192, DOWN, 0}}),
                       0);
    const CStepFrame* start = FrameAt(generator, 15);
    ASSERT_NE(start, nullptr);
    EXPECT_TRUE(start->left.holding);
    const CStepFrame* during = FrameAt(generator, 30);
    ASSERT_NE(during, nullptr);
    EXPECT_FALSE(during->left.stepped || during->right.stepped);
    EXPECT_EQ(during->right.panel, RIGHT);
    // The freeze ends at clock 144 and releases the foot.
    const CStepFrame* end = FrameAt(generator, 45);
    ASSERT_NE(end, nullptr);
    EXPECT_FALSE(end->left.holding);
    // A held foot cannot take the next note: only the right foot is free for it.
    EXPECT_TRUE(during->left.holding);
}

TEST(StepFrameTest, TapWhereAFreezeEndsKeepsTheFootHeld)
{
    CMotionGenerator generator;
    generator.Generate(MakeInput(Style::SINGLE, {{48, LEFT, 48}, {96, LEFT, 0}}, 240), 0);
    const CStepFrame* end = FrameAt(generator, 30);
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end->statuses[LEFT], CStepFrame::TAP);
    EXPECT_TRUE(end->left.holding);
    EXPECT_FALSE(end->right.stepped);
    ASSERT_NE(FrameAt(generator, 60), nullptr);
    EXPECT_TRUE(FrameAt(generator, 60)->left.holding);
}

TEST(StepFrameTest, DoubleJumpTurnsAroundAndFarNoteForcesCrossover)
{
    CMotionGenerator generator;
    // From the inner panels (3 and 4), the jump on 0 and 3 would face the back: it is
    // danced with the feet exchanged. Then the far right panel of the second pad is 5
    // panel steps from the left foot: the left foot crosses over, against the lead.
    generator.Generate(MakeInput(Style::DOUBLE, {{48, 0, 0}, {48, 3, 0}, {96, 7, 0}}), 0);
    const CStepFrame* jump = FrameAt(generator, 15);
    ASSERT_NE(jump, nullptr);
    EXPECT_EQ(jump->left.panel, 0);
    EXPECT_EQ(jump->right.panel, 3);
    EXPECT_EQ(jump->facing, kPi);
    EXPECT_FALSE(jump->leadLeft);

    const CStepFrame* cross = FrameAt(generator, 30);
    ASSERT_NE(cross, nullptr);
    EXPECT_EQ(cross->left.panel, 7);
    EXPECT_TRUE(cross->left.stepped);
    EXPECT_EQ(cross->right.panel, 3);
    EXPECT_FLOAT_EQ(FloorDistance(cross->left.position, cross->right.position), 12.0f);
}

TEST(StepFrameTest, TurnEnabledAlternatesAndNeverLimits)
{
    MotionInput input = MakeInput(Style::DOUBLE, {{48, 0, 0}, {48, 3, 0}});
    input.parameters.turnEnabled = true;
    CMotionGenerator generator;
    generator.Generate(input, 0);
    const CStepFrame* jump = FrameAt(generator, 15);
    ASSERT_NE(jump, nullptr);
    EXPECT_EQ(jump->left.panel, 3);
    EXPECT_EQ(jump->right.panel, 0);
    EXPECT_EQ(jump->facing, 0.0f); // the back to the screen, as the feet say

    input = MakeInput(Style::SINGLE, {{48, UP, 0}, {96, RIGHT, 0}, {144, DOWN, 0}});
    input.parameters.turnEnabled = true;
    generator.Generate(input, 0);
    EXPECT_EQ(FrameAt(generator, 15)->right.panel, UP);
    EXPECT_EQ(FrameAt(generator, 30)->left.panel, RIGHT);
    EXPECT_NEAR(FrameAt(generator, 30)->facing, kPi / 4, 1e-6);
    EXPECT_EQ(FrameAt(generator, 45)->right.panel, DOWN);
}

TEST(StepFrameTest, FacingHelpers)
{
    EXPECT_EQ(FacingAngle({-4, 0, 0}, {4, 0, 0}), kPi);
    EXPECT_EQ(FacingAngle({4, 0, 0}, {-4, 0, 0}), 0.0f);
    EXPECT_EQ(FacingAngle({0, 0, -4}, {0, 0, 4}), kHalfPi);
    EXPECT_FLOAT_EQ(FacingAngle({0, 0, 4}, {0, 0, -4}), -kHalfPi);
    EXPECT_TRUE(TurnsThroughBack(kPi, 0.0f));
    EXPECT_FALSE(TurnsThroughBack(-0.0f, -1.0f)); // negative zero counts as negative
    EXPECT_TRUE(TurnsThroughBack(-0.5f, 0.5f));
    EXPECT_FALSE(TurnsThroughBack(-3.0f, 3.0f)); // through the front
}

TEST(StepFrameTest, CoupleSecondDancerStandsOnePadToTheRight)
{
    MotionParameters first;
    first.style = Style::COUPLE;
    MotionParameters second = first;
    second.firstPanel = 4;
    for (int panel = 0; panel < 4; ++panel) {
        EXPECT_EQ(PanelPosition(panel, second).x - PanelPosition(panel, first).x, 12.0f);
        EXPECT_EQ(PanelPosition(panel, second).z, PanelPosition(panel, first).z);
    }
    EXPECT_EQ(PanelPosition(LEFT, first).x, -10.0f);
}

} // namespace
} // namespace zelvane
