#include "motion/StepStatistics.h"
#include "motion/StepGeometry.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace zelvane {
namespace {

// A step frame laid out by hand: where each foot stands, and in `what` 'L'/'R' for a foot
// that stepped, 'l'/'r' for one held on a freeze, a panel digit for a tap there.
struct Row {
    std::int32_t frame;
    int left, right;
    std::string what;
};

StepStatistics Measure(std::initializer_list<Row> rows)
{
    const MotionParameters parameters; // SINGLE, panels 4 units from the centre
    std::vector<std::unique_ptr<CStepFrame>> owned;
    std::vector<CStepFrame*> frames;
    for (const Row& row : rows) {
        CStepFrame& frame
            = *owned.emplace_back(std::make_unique<CStepFrame>(nullptr, row.frame, false));
        for (const char c : row.what) {
            if (c >= '0' && c <= '7')
                frame.statuses[static_cast<std::size_t>(c - '0')] = CStepFrame::TAP;
        }
        for (const auto& [foot, panel, step, hold] :
             {std::tuple{&frame.left, row.left, 'L', 'l'}, {&frame.right, row.right, 'R', 'r'}}) {
            foot->panel = panel;
            foot->position = PanelPosition(panel, parameters);
            foot->stepped = row.what.find(step) != std::string::npos;
            foot->holding = row.what.find(hold) != std::string::npos;
        }
        frames.push_back(&frame);
    }
    return MeasureSteps(frames, parameters.panelSize);
}

TEST(StepStatisticsTest, CountsEventsByTheirDefinitions)
{
    // SINGLE: left (-4, 0), down (0, -4), up (0, 4), right (4, 0); -1 is the pad's centre.
    const StepStatistics s = Measure({
        {-15, 0, 3, ""},
        {0, 0, 1, "R1"},
        {6, 0, 1, "R1"},    // jack
        {12, 0, 3, "R3"},   // double step after 0.2 s: fast
        {24, 0, 3, ""},     // a beat
        {54, 0, 2, "R2"},   // double step after 1.4 s: slow
        {57, 3, 2, "L3"},   // crosses the feet
        {60, 3, 1, "R1"},   // still crossed, turns through the back
        {66, -1, 3, "R3"},  // footswitch, and a fast double step
        {72, 0, 3, "L0R3"}, // jump
        {80, 0, 2, "R2l"},  // after a jump: no double step
        {84, 0, 1, "R1l"},  // the other foot held: none either
        {90, 0, 1, "0l"},   // a tap under the held foot
    });
    EXPECT_EQ((std::array{s.notes, s.steps, s.jumps, s.droppedNotes, s.jacks, s.doubleSteps,
                          s.fastDoubleSteps, s.footswitches, s.crossoversEntered, s.crossedSteps,
                          s.spins}),
              (std::array{12, 11, 1, 1, 1, 3, 2, 1, 1, 2, 1}));
    // Five diagonal moves of sqrt(2) units, three of 2 and two of 1 (to and from the centre).
    EXPECT_NEAR(s.travel, 5.0f * std::sqrt(2.0f) + 8.0f, 1e-4f);
}

} // namespace
} // namespace zelvane
