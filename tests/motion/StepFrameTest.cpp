#include "MotionTestSupport.h"
#include "base/ChartLimits.h"
#include "motion/StepGeometry.h"

#include <atomic>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>

namespace zelvane {
namespace {

using test::FrameAt;
using test::MakeInput;

constexpr int LEFT = 0, DOWN = 1, UP = 2, RIGHT = 3;

// The step frames at `frames` of the dance of `notes` at 120 bpm (clock 48 is frame 15),
// each as "L<panel> R<panel>", a '*' after a foot that stepped and 'h' after one held, " <"
// when the left foot leads, then the notes starting there ("t1" a tap on panel 1, "f0" a
// freeze on 0, "e0" its end) and the facing in degrees.
std::vector<std::string> Steps(Style style, std::vector<CNote> notes,
                               const std::vector<std::int32_t>& frames, bool turnEnabled = false,
                               std::int32_t length = 0)
{
    MotionInput input = MakeInput(style, std::move(notes), length);
    input.parameters.turnEnabled = turnEnabled;
    CMotionGenerator generator;
    generator.Generate(input, 0);
    std::vector<std::string> steps;
    for (const std::int32_t frame : frames) {
        const CStepFrame* stepFrame = FrameAt(generator, frame);
        if (!stepFrame) {
            steps.push_back("no step frame");
            continue;
        }
        std::string& text = steps.emplace_back();
        for (const auto& [name, foot] :
             {std::pair{"L", &stepFrame->left}, {" R", &stepFrame->right}})
            text += name + std::to_string(foot->panel) + (foot->stepped ? "*" : "")
                + (foot->holding ? "h" : "");
        text += stepFrame->leadLeft ? " <" : "";
        for (std::size_t panel = 0; panel < stepFrame->statuses.size(); ++panel) {
            if (stepFrame->statuses[panel] != CStepFrame::NONE)
                text
                    += std::string(" ") + "tfe"[stepFrame->statuses[panel]] + std::to_string(panel);
        }
        char facing[16];
        std::snprintf(facing, sizeof facing, " %.2f", stepFrame->facing * 180 / kPi);
        text += facing;
    }
    return steps;
}

using Strings = std::vector<std::string>;

TEST(StepFrameTest, WorkedExamplesPlaceTheFeetAndTurnTheBody)
{
    // The leading right foot takes the first note; the body turns a quarter of the way from
    // the screen (180) toward the way the feet face.
    EXPECT_EQ(Steps(Style::SINGLE, {{48, DOWN, 0}, {96, UP, 0}}, {15, 30}),
              (Strings{"L0 R1* < t1 -168.75", "L2* R1 t2 -157.50"}));
    // Clocks 48 and 49 are both frame 15: a jump.
    EXPECT_EQ(Steps(Style::SINGLE, {{48, DOWN, 0}, {49, UP, 0}}, {15, 16}),
              (Strings{"L1* R2* t1 t2 157.50", "no step frame"}));
    // Visited 2, 1, 3: the right foot steps on 3 again, the left takes 2, 1 is left over.
    EXPECT_EQ(Steps(Style::SINGLE, {{48, DOWN, 0}, {48, UP, 0}, {48, RIGHT, 0}}, {15}),
              (Strings{"L2* R3* t1 t2 t3 -168.75"}));
    // Freeze on left from clock 48 to 144: the tap on left at 96 is no step, the free right
    // foot does not take the held panel, and the foot is released at frame 45.
    EXPECT_EQ(Steps(Style::SINGLE, {{48, LEFT, 96}, {96, LEFT, 0}, {192, DOWN, 0}}, {15, 30, 45}),
              (Strings{"L0*h R3 f0 180.00", "L0h R3 t0 180.00", "L0 R3 e0 180.00"}));
    // A tap where the freeze ends keeps the foot held, to the end of the chart.
    EXPECT_EQ(Steps(Style::SINGLE, {{48, LEFT, 48}, {96, LEFT, 0}}, {30, 60}, false, 240),
              (Strings{"L0h R3 t0 180.00", "L0h R3 180.00"}));
    // From the inner panels (3 and 4) the jump on 0 and 3 would face the back: it is danced
    // with the feet exchanged. The far right panel of the second pad is then 5 panels from
    // the left foot, which crosses over against the lead.
    EXPECT_EQ(Steps(Style::DOUBLE, {{48, 0, 0}, {48, 3, 0}, {96, 7, 0}}, {15, 30}),
              (Strings{"L0* R3* t0 t3 180.00", "L7* R3 t7 90.00"}));
    // Allowed to turn, the same jump faces the back as the feet say, and in SINGLE the feet
    // alternate with the facing never limited.
    EXPECT_EQ(Steps(Style::DOUBLE, {{48, 0, 0}, {48, 3, 0}}, {15}, true),
              (Strings{"L3* R0* t0 t3 0.00"}));
    EXPECT_EQ(
        Steps(Style::SINGLE, {{48, UP, 0}, {96, RIGHT, 0}, {144, DOWN, 0}}, {15, 30, 45}, true),
        (Strings{"L0 R2* < t2 135.00", "L3* R2 t3 45.00", "L3 R1* < t1 -45.00"}));

    // Without notes there are only the beats, every 15 frames from the stance a beat before
    // clock 0 up to the length, facing the screen with the feet free.
    CMotionGenerator beats;
    beats.Generate(MakeInput(Style::SINGLE, {}, 200), 0);
    std::vector<int> frames;
    for (const auto& frame : beats.stepFrames()) {
        frames.push_back(frame->frame);
        EXPECT_TRUE(frame->onBeat && frame->left.IsFree() && frame->right.IsFree());
        EXPECT_EQ(frame->facing, kPi);
    }
    EXPECT_EQ(frames, (std::vector<int>{-15, 0, 15, 30, 45, 60}));
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
