#include "motion/StepStatistics.h"

#include "motion/StepGeometry.h"

#include <cmath>

namespace zelvane {
namespace {

constexpr float kFramesPerSecond = 30.0f;

// The feet are crossed when the left foot is right of the right foot as seen by a body
// turned toward the screen: the stance then faces more than a quarter turn away from it.
bool Crossed(const CStepFrame& frame)
{
    return std::fabs(FacingAngle(frame.left.position, frame.right.position)) < kHalfPi;
}

} // namespace

StepStatistics MeasureSteps(const std::vector<CStepFrame*>& frames, float panelSize)
{
    StepStatistics stats;
    const float unit = panelSize / 3.0f;
    // The previous single-foot event: which foot, on which panel, at which frame.
    bool haveSingle = false;
    bool singleLeft = false;
    std::int32_t singlePanel = 0;
    std::int32_t singleFrame = 0;

    for (std::size_t i = 1; i < frames.size(); ++i) {
        const CStepFrame& before = *frames[i - 1];
        const CStepFrame& frame = *frames[i];
        for (const CStepFrame::NOTE_STATUS status : frame.statuses) {
            if (status == CStepFrame::TAP || status == CStepFrame::FREEZE_START)
                ++stats.notes;
        }
        if (unit > 0.0f) {
            stats.travel += (FloorDistance(before.left.position, frame.left.position)
                             + FloorDistance(before.right.position, frame.right.position))
                / unit;
        }
        const float oldFacing = FacingAngle(before.left.position, before.right.position);
        const float newFacing = FacingAngle(frame.left.position, frame.right.position);
        if (newFacing != oldFacing && TurnsThroughBack(oldFacing, newFacing))
            ++stats.spins;

        const int stepped = (frame.left.stepped ? 1 : 0) + (frame.right.stepped ? 1 : 0);
        if (stepped == 0)
            continue;
        stats.steps += stepped;
        if (stepped == 2)
            ++stats.jumps;
        if ((frame.left.stepped && frame.left.panel == before.right.panel)
            || (frame.right.stepped && frame.right.panel == before.left.panel))
            ++stats.footswitches;
        if (Crossed(frame)) {
            ++stats.crossedSteps;
            if (!Crossed(before))
                ++stats.crossoversEntered;
        }

        if (stepped == 2) {
            haveSingle = false;
            continue;
        }
        const CStepFrame::FOOT& foot = frame.left.stepped ? frame.left : frame.right;
        const CStepFrame::FOOT& other = frame.left.stepped ? frame.right : frame.left;
        if (haveSingle && singleLeft == frame.left.stepped) {
            if (foot.panel == singlePanel) {
                ++stats.jacks;
            } else if (!other.holding) {
                ++stats.doubleSteps;
                if (static_cast<float>(frame.frame - singleFrame) / kFramesPerSecond
                    <= StepStatistics::kFastSeconds)
                    ++stats.fastDoubleSteps;
            }
        }
        haveSingle = true;
        singleLeft = frame.left.stepped;
        singlePanel = foot.panel;
        singleFrame = frame.frame;
    }
    stats.droppedNotes = stats.notes - stats.steps;
    return stats;
}

} // namespace zelvane
