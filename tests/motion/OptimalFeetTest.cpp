#include "MotionTestSupport.h"
#include "motion/StepStatistics.h"

#include "base/TimeUnits.h"

#include <atomic>
#include <gtest/gtest.h>

namespace zelvane {
namespace {

using test::ExpectRestartIsAFullRun;
using test::MakeInput;

MotionInput Optimal(MotionInput input)
{
    input.parameters.feet = FootAssignment::OPTIMAL;
    return input;
}

// Taps on `panels`, one every `spacing` clocks from clock 48 (120 BPM: 48 clocks = 0.5 s).
std::vector<CNote> Taps(const std::vector<int>& panels, int spacing, int first = 48)
{
    std::vector<CNote> notes;
    for (const int panel : panels) {
        notes.push_back({first, panel, 0});
        first += spacing;
    }
    return notes;
}

StepStatistics Dance(const MotionInput& input)
{
    return MeasureSteps(test::FullRun(input)->stepFrames(), input.parameters.panelSize);
}

TEST(OptimalFeetTest, ChoicesOfSmallRuns)
{
    // Left, down, right, down: fast, the feet alternate through a crossover; slow (1 s
    // apart), a double step is cheaper than crossing.
    const std::vector<int> run = {0, 1, 3, 1, 0, 1, 3, 1, 0, 1, 3, 1, 0, 1, 3, 1};
    const StepStatistics fast = Dance(Optimal(MakeInput(Style::SINGLE, Taps(run, 12), 48 * 12)));
    EXPECT_EQ(std::tuple(fast.steps, fast.doubleSteps), std::tuple(16, 0));
    EXPECT_GT(fast.crossoversEntered, 0);
    const StepStatistics slow = Dance(Optimal(MakeInput(Style::SINGLE, Taps(run, 96), 48 * 40)));
    EXPECT_EQ(std::tuple(slow.steps, slow.fastDoubleSteps, slow.crossoversEntered),
              std::tuple(16, 0, 0));
    EXPECT_GT(slow.doubleSteps, 0);

    // Across both pads through the downs and back: note by note the dancer turns through
    // the back once; the whole-chart choice never does.
    const MotionInput back
        = MakeInput(Style::DOUBLE, Taps({0, 1, 3, 5, 7, 5, 3, 1, 0}, 12), 48 * 6);
    EXPECT_GT(Dance(back).spins, 0);
    const StepStatistics noSpin = Dance(Optimal(back));
    EXPECT_EQ(std::tuple(noSpin.steps, noSpin.spins), std::tuple(9, 0));

    // Down twice fast, then right: jacking would leave a double step or a crossover to
    // follow, so the left foot takes the second down and the right is free for the right.
    const StepStatistics repeated
        = Dance(Optimal(MakeInput(Style::SINGLE, Taps({0, 1, 1, 3}, 8), 48 * 4)));
    EXPECT_EQ(repeated.footswitches, 1);
    EXPECT_EQ(repeated.jacks + repeated.doubleSteps + repeated.crossoversEntered, 0);
}

TEST(OptimalFeetTest, DancesTheNotesTheNoteByNoteRuleDancesWithHeldFeetStill)
{
    // Three notes at once, a freeze with a tap under it and beside it, a jump while it is
    // held, then three notes again.
    const std::vector<CNote> notes
        = {{48, 0, 0},  {48, 1, 0},  {48, 3, 0},  {96, 0, 96}, {120, 0, 0}, {120, 2, 0},
           {144, 1, 0}, {144, 3, 0}, {240, 1, 0}, {240, 2, 0}, {240, 3, 0}};
    const MotionInput input = MakeInput(Style::SINGLE, notes, 48 * 7);
    const auto greedy = test::FullRun(input);
    const auto optimal = test::FullRun(Optimal(input));
    EXPECT_GT(MeasureSteps(greedy->stepFrames(), 12.0f).droppedNotes, 2);
    ASSERT_EQ(optimal->stepFrames().size(), greedy->stepFrames().size());
    for (std::size_t i = 1; i < optimal->stepFrames().size(); ++i) {
        const CStepFrame& g = *greedy->stepFrames()[i];
        const CStepFrame& o = *optimal->stepFrames()[i];
        const CStepFrame& before = *optimal->stepFrames()[i - 1];
        SCOPED_TRACE(o.frame);
        EXPECT_EQ(o.left.stepped + o.right.stepped, g.left.stepped + g.right.stepped);
        EXPECT_EQ(o.left.holding + o.right.holding, g.left.holding + g.right.holding);
        EXPECT_NE(o.left.panel, o.right.panel);
        // A held foot stays where it is.
        EXPECT_TRUE(!before.left.holding || o.left.panel == before.left.panel);
        EXPECT_TRUE(!before.right.holding || o.right.panel == before.right.panel);
    }
}

// Sixteenth notes round the pad with a freeze now and then and a jump every two beats.
std::vector<CNote> Busy(int beats, int shiftFrom = 1 << 30)
{
    std::vector<CNote> notes;
    for (int clock = 48; clock < 48 * beats; clock += 12) {
        const int panel = (clock / 12 * 3 + (clock >= shiftFrom)) % 4;
        notes.push_back({clock, panel, clock % 192 == 0 ? 36 : 0});
        if (clock % 96 == 48)
            notes.push_back({clock, (panel + 2) % 4, 0});
    }
    return notes;
}

// A later note can change which foot took an earlier one: from the feet on left and
// right, a fast down and up are taken by the feet that leave the one for the next note
// free, so editing that third note changes the two frames before it. The restart then
// places those frames again, and a run stopped before their keys are written leaves them
// to the next run.
TEST(OptimalFeetTest, RestartAfterAnEditGivesTheDanceOfAFullRun)
{
    const std::vector<CNote> chart = Busy(24);
    std::vector<CNote> moved = chart;
    moved[40].panel = (moved[40].panel + 1) % 4;
    const MotionInput before = Optimal(MakeInput(Style::SINGLE, Taps({1, 2, 0, 1}, 12), 48 * 6));
    const MotionInput after = Optimal(MakeInput(Style::SINGLE, Taps({1, 2, 3, 1}, 12), 48 * 6));
    const std::int32_t editClock = 48 + 24;
    ExpectRestartIsAFullRun("note moved", Optimal(MakeInput(Style::SINGLE, chart, 48 * 26)),
                            Optimal(MakeInput(Style::SINGLE, moved, 48 * 26)), moved[40].clock);
    ExpectRestartIsAFullRun("the rest turned", Optimal(MakeInput(Style::DOUBLE, Busy(24), 48 * 26)),
                            Optimal(MakeInput(Style::DOUBLE, Busy(24, 48 * 10), 48 * 26)), 48 * 10);
    ExpectRestartIsAFullRun("from greedy", MakeInput(Style::SINGLE, chart, 48 * 26),
                            Optimal(MakeInput(Style::SINGLE, moved, 48 * 26)), moved[40].clock);
    ExpectRestartIsAFullRun("earlier feet changed", before, after, editClock);

    const auto full = test::FullRun(after);
    CMotionGenerator stopped;
    stopped.Generate(before, 0);
    bool earlierFeetDiffer = false;
    for (const auto& frame : full->stepFrames()) {
        const CStepFrame* old = test::FrameAt(stopped, frame->frame);
        if (frame->frame < ClockToFrame(editClock, 120.0f) && old != nullptr)
            earlierFeetDiffer
                |= old->left.panel != frame->left.panel || old->right.panel != frame->right.panel;
    }
    ASSERT_TRUE(earlierFeetDiffer) << "the edit should change feet before it";
    // Stopped as soon as the first keys are final, then restarted from a later clock.
    std::atomic<bool> stop{false};
    std::atomic<std::int32_t> progress{CMotionGenerator::kProgressStarting};
    GenerationControl control{&stop, &progress, nullptr, [&] {
                                  if (progress.load() != CMotionGenerator::kProgressIdle)
                                      stop = true;
                              }};
    stopped.Generate(after, editClock, control);
    ASSERT_TRUE(stop.load());
    stopped.Generate(after, 48 * 5);
    EXPECT_TRUE(test::SameRun(stopped, *full));
}

} // namespace
} // namespace zelvane
