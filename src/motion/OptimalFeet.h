#pragma once

#include "motion/MotionInput.h"
#include "motion/StanceModel.h"
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
    std::optional<std::size_t> Assign(std::vector<CStepFrame*>& frames, std::size_t last,
                                      const MotionParameters& parameters,
                                      const std::function<bool()>& stopped);

private:
    // A stance a layer reaches, the cheapest dance that ends in it and where that came from.
    struct Entry {
        std::uint16_t stance = 0;
        std::uint16_t back = 0; // stance before it x kOptions + the option taken
        float cost = 0.0f;
    };
    // The search at one step frame with notes. Only reachable stances are kept, which are
    // few next to all there are (no held foot without freezes, no far-flung stances).
    struct Layer {
        std::size_t frameIndex = 0;
        std::int32_t frame = 0;
        std::int32_t notesFrame = 0; // the latest frame up to this one that has notes
        std::size_t first = 0;       // its entries in m_entries, by ascending stance
        std::size_t count = 0;
        std::uint16_t chosen = 0; // stance of the chosen path
    };

    const Entry& EntryOf(const Layer& layer, std::uint16_t stance) const;
    void Start(const CStepFrame& initial);
    void Extend(const CStepFrame& frame, std::size_t frameIndex);
    void Place(std::vector<CStepFrame*>& frames, std::size_t firstLayer) const;

    MotionParameters m_parameters;
    std::optional<CStanceModel> m_model;
    std::vector<Layer> m_layers;
    std::vector<Entry> m_entries; // the entries of every layer, layer after layer
    // Scratch of one layer's search, by stance.
    std::vector<float> m_bestCost;
    std::vector<std::uint16_t> m_bestBack;
    std::vector<std::uint16_t> m_reached;
};

} // namespace zelvane
