#include "MotionTestSupport.h"
#include "base/ChartLimits.h"
#include "motion/StepGeometry.h"

#include <atomic>
#include <gtest/gtest.h>
#include <limits>

namespace zelvane {
namespace {

using test::FrameAt;
using test::MakeInput;

constexpr int LEFT = 0, DOWN = 1, UP = 2, RIGHT = 3;

// The feet of the step frame at `frame`: "L<panel> R<panel>", a '*' after a foot that
// stepped, 'h' after one held, and " <" when the left foot leads.
std::string Feet(const CMotionGenerator& generator, std::int32_t frame)
{
    const CStepFrame* stepFrame = FrameAt(generator, frame);
    if (!stepFrame)
        return "no step frame";
    std::string text;
    for (const auto& [name, foot] : {std::pair{"L", &stepFrame->left}, {" R", &stepFrame->right}})
        text += name + std::to_string(foot->panel) + (foot->stepped ? "*" : "")
            + (foot->holding ? "h" : "");
    return text + (stepFrame->leadLeft ? " <" : "");
}

TEST(StepFrameTest, DownThenUpWorkedExample)
{
    CMotionGenerator generator;
    generator.Generate(MakeInput(Style::SINGLE, {{48, DOWN, 0}, {96, UP, 0}}, 96), 0);
    // Initial stance one beat before clock 0, the beat at clock 0, the two notes.
    ASSERT_EQ(generator.stepFrames().size(), 4u);
    EXPECT_EQ(generator.stepFrames()[0]->frame, -15);
    EXPECT_TRUE(generator.stepFrames()[0]->onBeat);
    EXPECT_EQ(Feet(generator, 15), "L0 R1* <");
    EXPECT_EQ(Feet(generator, 30), "L2* R1");
    EXPECT_FLOAT_EQ(FrameAt(generator, 15)->facing, (-3 * kPi / 4 + kPi) * 0.25f - kPi);
    EXPECT_FLOAT_EQ(FrameAt(generator, 30)->facing, (-kHalfPi + kPi) * 0.25f - kPi);

    // Without notes there are only the beats, every 15 frames up to the length.
    generator.Generate(MakeInput(Style::SINGLE, {}, 200), 0);
    std::vector<int> frames;
    for (const auto& frame : generator.stepFrames()) {
        frames.push_back(frame->frame);
        EXPECT_TRUE(frame->onBeat && frame->left.IsFree() && frame->right.IsFree());
        EXPECT_EQ(frame->facing, kPi);
    }
    EXPECT_EQ(frames, (std::vector<int>{-15, 0, 15, 30, 45, 60}));
}

TEST(StepFrameTest, NotesOfOneFrameAreAJumpAndAThirdIsDroppedInVisitingOrder)
{
    CMotionGenerator generator;
    // Clocks 48 and 49 are both frame 15 at 120 bpm.
    generator.Generate(MakeInput(Style::SINGLE, {{48, DOWN, 0}, {49, UP, 0}}), 0);
    ASSERT_EQ(Feet(generator, 15), "L1* R2*");
    EXPECT_EQ(FrameAt(generator, 15)->statuses[DOWN], CStepFrame::TAP);
    EXPECT_EQ(FrameAt(generator, 15)->statuses[UP], CStepFrame::TAP);
    EXPECT_EQ(FrameAt(generator, 16), nullptr);

    // Visited 2, 1, 3: the right foot steps on 3 again, the left takes 2, 1 is left over.
    generator.Generate(MakeInput(Style::SINGLE, {{48, DOWN, 0}, {48, UP, 0}, {48, RIGHT, 0}}), 0);
    EXPECT_EQ(Feet(generator, 15), "L2* R3*");
}

TEST(StepFrameTest, HeldFootKeepsItsPanelUntilTheFreezeEnds)
{
    // Freeze on left from clock 48 to 144: the tap on left at 96 is no step, the free right
    // foot does not take the held panel, and the foot is released at 144 (frame 45).
    CMotionGenerator generator;
    generator.Generate(MakeInput(Style::SINGLE, {{48, LEFT, 96}, {96, LEFT, 0}, {192, DOWN, 0}}),
                       0);
    EXPECT_EQ(Feet(generator, 15), "L0*h R3");
    EXPECT_EQ(Feet(generator, 30), "L0h R3");
    EXPECT_EQ(Feet(generator, 45).substr(0, 3), "L0 ");

    // A tap where the freeze ends (clock 96) keeps the foot held, to the end of the chart.
    generator.Generate(MakeInput(Style::SINGLE, {{48, LEFT, 48}, {96, LEFT, 0}}, 240), 0);
    ASSERT_EQ(Feet(generator, 30), "L0h R3");
    EXPECT_EQ(FrameAt(generator, 30)->statuses[LEFT], CStepFrame::TAP);
    EXPECT_EQ(Feet(generator, 60), "L0h R3");
}

TEST(StepFrameTest, DoubleJumpTurnsAroundAndFarNoteForcesCrossover)
{
    CMotionGenerator generator;
    // From the inner panels (3 and 4), the jump on 0 and 3 would face the back: it is
    // danced with the feet exchanged. Then the far right panel of the second pad is 5
    // panel steps from the left foot: the left foot crosses over, against the lead.
    generator.Generate(MakeInput(Style::DOUBLE, {{48, 0, 0}, {48, 3, 0}, {96, 7, 0}}), 0);
    ASSERT_EQ(Feet(generator, 15), "L0* R3*");
    EXPECT_EQ(FrameAt(generator, 15)->facing, kPi);
    ASSERT_EQ(Feet(generator, 30).substr(0, 6), "L7* R3");
    const CStepFrame* cross = FrameAt(generator, 30);
    EXPECT_FLOAT_EQ(FloorDistance(cross->left.position, cross->right.position), 12.0f);

    // Allowed to turn, the same jump faces the back as the feet say.
    MotionInput input = MakeInput(Style::DOUBLE, {{48, 0, 0}, {48, 3, 0}});
    input.parameters.turnEnabled = true;
    generator.Generate(input, 0);
    ASSERT_EQ(Feet(generator, 15).substr(0, 7), "L3* R0*");
    EXPECT_EQ(FrameAt(generator, 15)->facing, 0.0f);
}

TEST(StepFrameTest, TurnEnabledAlternatesAndNeverLimits)
{
    MotionInput input = MakeInput(Style::SINGLE, {{48, UP, 0}, {96, RIGHT, 0}, {144, DOWN, 0}});
    input.parameters.turnEnabled = true;
    CMotionGenerator generator;
    generator.Generate(input, 0);
    EXPECT_EQ(Feet(generator, 15).substr(0, 6), "L0 R2*");
    ASSERT_EQ(Feet(generator, 30).substr(0, 6), "L3* R2");
    EXPECT_NEAR(FrameAt(generator, 30)->facing, kPi / 4, 1e-6);
    EXPECT_EQ(Feet(generator, 45).substr(0, 6), "L3 R1*");
}

TEST(StepFrameTest, FacingHelpersAndCouplePanels)
{
    EXPECT_EQ(FacingAngle({-4, 0, 0}, {4, 0, 0}), kPi);
    EXPECT_EQ(FacingAngle({4, 0, 0}, {-4, 0, 0}), 0.0f);
    EXPECT_EQ(FacingAngle({0, 0, -4}, {0, 0, 4}), kHalfPi);
    EXPECT_FLOAT_EQ(FacingAngle({0, 0, 4}, {0, 0, -4}), -kHalfPi);
    EXPECT_TRUE(TurnsThroughBack(kPi, 0.0f));
    EXPECT_FALSE(TurnsThroughBack(-0.0f, -1.0f)); // negative zero counts as negative
    EXPECT_TRUE(TurnsThroughBack(-0.5f, 0.5f));
    EXPECT_FALSE(TurnsThroughBack(-3.0f, 3.0f)); // through the front

    // The first COUPLE dancer's pad is left of the middle, the second's one pad (12) right.
    MotionParameters first;
    first.style = Style::COUPLE;
    MotionParameters second = first;
    second.firstPanel = 4;
    EXPECT_EQ(PanelPosition(LEFT, first).x, -10.0f);
    EXPECT_EQ(PanelPosition(LEFT, second).x, 2.0f);
}

TEST(StepFrameTest, ALongSongBeatsUpToTheLimitAndAStopEndsTheBeatsAtOnce)
{
    // A song far longer than two hours: the beat frames end at the limit.
    CMotionGenerator generator;
    generator.Generate(
        MakeInput(Style::SINGLE, {{0, 0, 0}}, std::numeric_limits<std::int32_t>::max()), 0);
    ASSERT_FALSE(generator.stepFrames().empty());
    EXPECT_EQ(generator.stepFrames().back()->frame, kMaxChartFrames); // 120 BPM: a beat lands there
    EXPECT_EQ(generator.stepFrames().size(), 2u + kMaxChartFrames / 15); // stance, beats from 0

    // With the stop flag up no beat frame is made, however long the chart.
    std::atomic<bool> stop{true};
    GenerationControl control;
    control.stop = &stop;
    generator.Generate(MakeInput(Style::SINGLE, {}, MaxChartClock(120.0f)), 0, control);
    EXPECT_EQ(generator.stepFrames().size(), 1u); // the initial stance only
}

} // namespace
} // namespace zelvane
