#include "motion/StepStatistics.h"
#include "motion/StepGeometry.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zelvane {
namespace {

// Step frames laid out by hand: where each foot stands, whether it stepped or is held.
class Steps {
public:
    Steps() { Add(-15, 0, 3, ""); }

    // `what`: 'L'/'R' stepped, 'l'/'r' held (on a freeze), a panel digit for a tap there.
    Steps& Add(std::int32_t frame, int leftPanel, int rightPanel, const std::string& what)
    {
        auto stepFrame = std::make_unique<CStepFrame>(nullptr, frame, false);
        for (const char c : what) {
            if (c >= '0' && c <= '7')
                stepFrame->statuses[static_cast<std::size_t>(c - '0')] = CStepFrame::TAP;
        }
        Place(stepFrame->left, leftPanel, what.find('L') != std::string::npos,
              what.find('l') != std::string::npos);
        Place(stepFrame->right, rightPanel, what.find('R') != std::string::npos,
              what.find('r') != std::string::npos);
        m_frames.push_back(std::move(stepFrame));
        return *this;
    }

    StepStatistics Measure() const
    {
        std::vector<CStepFrame*> frames;
        for (const auto& frame : m_frames)
            frames.push_back(frame.get());
        return MeasureSteps(frames, m_parameters.panelSize);
    }

private:
    void Place(CStepFrame::FOOT& foot, int panel, bool stepped, bool held)
    {
        foot.panel = panel;
        foot.position = PanelPosition(panel, m_parameters);
        foot.stepped = stepped;
        foot.holding = held;
    }

    MotionParameters m_parameters; // SINGLE, panels 4 units apart from the centre
    std::vector<std::unique_ptr<CStepFrame>> m_frames;
};

TEST(StepStatisticsTest, CountsEventsByTheirDefinitions)
{
    // SINGLE: left (-4, 0), down (0, -4), up (0, 4), right (4, 0); -1 is the pad's centre.
    const StepStatistics s = Steps()
                                 .Add(0, 0, 1, "R1")
                                 .Add(6, 0, 1, "R1")    // jack
                                 .Add(12, 0, 3, "R3")   // double step after 0.2 s: fast
                                 .Add(24, 0, 3, "")     // a beat
                                 .Add(54, 0, 2, "R2")   // double step after 1.4 s: slow
                                 .Add(57, 3, 2, "L3")   // crosses the feet
                                 .Add(60, 3, 1, "R1")   // still crossed, turns through the back
                                 .Add(66, -1, 3, "R3")  // footswitch, and a fast double step
                                 .Add(72, 0, 3, "L0R3") // jump
                                 .Add(80, 0, 2, "R2l")  // after a jump: no double step
                                 .Add(84, 0, 1, "R1l")  // the other foot held: none either
                                 .Add(90, 0, 1, "0l")   // a tap under the held foot
                                 .Measure();
    EXPECT_EQ(s.notes, 12);
    EXPECT_EQ(s.steps, 11);
    EXPECT_EQ(s.jumps, 1);
    EXPECT_EQ(s.droppedNotes, 1);
    EXPECT_EQ(s.jacks, 1);
    EXPECT_EQ(s.doubleSteps, 3);
    EXPECT_EQ(s.fastDoubleSteps, 2);
    EXPECT_EQ(s.footswitches, 1);
    EXPECT_EQ(s.crossoversEntered, 1);
    EXPECT_EQ(s.crossedSteps, 2);
    EXPECT_EQ(s.spins, 1);
    // Five diagonal moves of sqrt(2) units, three of 2 and two of 1 (to and from the centre).
    EXPECT_NEAR(s.travel, 5.0f * std::sqrt(2.0f) + 8.0f, 1e-4f);
}

} // namespace
} // namespace zelvane
