#pragma once

#include "base/Note.h"
#include "base/Style.h"
#include "base/TempoMap.h"
#include "model/ModelMeasurements.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace zelvane {

// How the feet are given to the notes: note by note as they come, or by the cheapest dance
// over the whole chart.
enum class FootAssignment : std::uint8_t { GREEDY, OPTIMAL };

// Everything a dance depends on besides the notes: the tempo map and gap of the song, the
// dancer's panels, the motion options and the measurements of the model.
struct MotionParameters {
    CTempoMap tempo{120.0f};
    std::int32_t gap = 0; // milliseconds from the start of the song to clock 0
    Style style = Style::SINGLE;
    std::int32_t firstPanel = 0;
    std::int32_t panelCount = 4;
    bool twist = true;
    bool turnEnabled = false;
    FootAssignment feet = FootAssignment::GREEDY;
    // The model's measurements; without a model, those of the model the dance was tuned on.
    float panelSize = ModelMeasurements::kDefaultPanelSize; // side of one 3 x 3 pad
    float leftFootRestX = ModelMeasurements::kDefaultLeftFootRestX;
    float rightFootRestX = ModelMeasurements::kDefaultRightFootRestX;
    float toeReach = ModelMeasurements::kDefaultToeReach;

    bool operator==(const MotionParameters&) const = default;
};

// The same dancer, options and model, whatever the tempo: a dance of one can be kept up to
// where the tempo maps of the two first differ.
inline bool SameDancer(const MotionParameters& a, const MotionParameters& b)
{
    // Compared as a whole but for the map, so that no field added later is missed.
    MotionParameters withTempoOfB = a;
    withTempoOfB.tempo = b.tempo;
    return withTempoOfB == b;
}

// What one generation reads, copied out of the document so that the editor can go on
// changing notes while a worker dances the copy.
struct MotionInput {
    std::vector<CNote> notes;     // the score's notes in the score's order, all players
    std::int32_t scoreLength = 0; // clocks
    MotionParameters parameters;
};

// How a caller steers a generation running on another thread. All optional.
struct GenerationControl {
    // Polled per note and per step frame; when set the generation ends early.
    const std::atomic<bool>* stop = nullptr;
    // The frame up to which the keys are final; INT32_MAX once the generation has ended.
    std::atomic<std::int32_t>* progress = nullptr;
    // Held while bone sequences change (once per step frame); readers hold it per sample.
    std::mutex* keyLock = nullptr;
    // Called after every change of `progress`, so that readers waiting for a frame wake.
    std::function<void()> progressChanged;
};

} // namespace zelvane
