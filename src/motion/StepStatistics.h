#pragma once

#include "motion/StepFrame.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace zelvane {

// How one dancer's feet went through a chart, to compare ways of assigning them. A step
// event is a step frame at which a foot stepped.
struct StepStatistics {
    std::int32_t notes = 0;           // notes that start at some step frame
    std::int32_t steps = 0;           // feet that stepped, one per note danced
    std::int32_t jumps = 0;           // events at which both feet stepped
    std::int32_t droppedNotes = 0;    // notes no foot took
    std::int32_t doubleSteps = 0;     // one foot twice in a row onto another panel, the other free
    std::int32_t fastDoubleSteps = 0; // of those, within kFastSeconds
    std::int32_t jacks = 0;           // one foot twice in a row on the same panel
    std::int32_t footswitches = 0;    // a foot steps where the other foot stood
    std::int32_t crossoversEntered = 0; // events that cross the feet from an uncrossed stance
    std::int32_t crossedSteps = 0;      // events that leave the feet crossed
    std::int32_t spins = 0;             // stance changes that turn through the back or onto it
    float travel = 0.0f;                // panel units the feet moved

    static constexpr float kFastSeconds = 0.5f;

    bool operator==(const StepStatistics&) const = default;
};

// Measures sorted step frames whose feet are assigned; `panelSize` gives the panel unit.
StepStatistics MeasureSteps(const std::vector<CStepFrame*>& frames, float panelSize);

} // namespace zelvane
