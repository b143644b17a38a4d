#pragma once

#include "motion/MotionInput.h"
#include "motion/StepFrame.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace zelvane {

// The feet of a whole chart chosen at once: the cheapest sequence of stances, found by
// dynamic programming over the step frames that have notes. A stance is the slot of each
// foot (a panel, or the centre of its pad where a foot that hands its panel over is parked),
// whether a freeze holds each foot, and which foot moved last. A step costs by how far the
// body turns from the screen, crosses, spreads and travels, and by double steps, jacks and
// footswitches. The notes danced are those the note-by-note rule dances from the same
// stance; only which foot takes them differs.
//
// The search keeps its tables between runs: after an edit only the frames from the edit on
// are searched again, and the chosen path is followed back only as far as it changed.
class COptimalFeet {
public:
    // Forgets every searched frame.
    void Clear();

    // Assigns the feet of frames[last + 1 ...]. frames[0 ... last] are the kept frames of the
    // previous search of this chart with the same parameters (frames[0] is the stance before
    // the first note); those whose feet change with the new notes are placed again too.
    // Returns the index of the first frame whose facing is unlimited again and whose keys
    // must be written again, or nothing when `stopped` cut the search short, in which case
    // no kept frame was touched.
    std::optional<std::size_t> Assign(std::vector<std::unique_ptr<CStepFrame>>& frames,
                                      std::size_t last, const MotionParameters& parameters,
                                      const std::function<bool()>& stopped);

private:
    struct Layer {
        std::size_t frameIndex = 0;
        std::int32_t frame = 0;
        std::int32_t notesFrame = 0;     // the latest frame up to this one that has notes
        std::vector<float> cost;         // cheapest dance ending in each stance
        std::vector<std::uint16_t> back; // stance before it x kOptions + the option taken
        std::uint16_t chosen = 0;        // stance of the chosen path
    };

    void Prepare(const MotionParameters& parameters);
    void Start(const CStepFrame& initial);
    void Extend(const CStepFrame& frame, std::size_t frameIndex);
    void Place(std::vector<std::unique_ptr<CStepFrame>>& frames, std::size_t firstLayer) const;

    MotionParameters m_parameters;
    int m_slotCount = 0;
    std::vector<Layer> m_layers;
};

} // namespace zelvane
