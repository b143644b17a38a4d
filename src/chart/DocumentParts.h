#pragma once

#include "chart/AudioMeasurer.h"
#include "chart/DocumentHost.h"
#include "chart/MotionOptions.h"
#include "model/ModelDocument.h"
#include "model/ModelMeasurements.h"
#include "motion/MotionInput.h"
#include "text/Reason.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace zelvane {

// What the program around a document hands it when it is made.
struct DocumentServices {
    // The user's answers and settings; null for the defaults of a program without a window.
    IDocumentHost* host = nullptr;
    // Measures a song's length; null where nothing can decode audio (the path is kept, the
    // length stays 0).
    IAudioMeasurer* audio = nullptr;
    // Told, on the worker's own thread, why the dance of a chart failed; it is read without
    // a lock, so it is only ever set here.
    std::function<void(const Reason& reason)> workerFailure;
};

// The song as the document describes it. The gap is the song's time, in milliseconds, at
// which clock 0 falls; the tempo is the tempo map's.
struct SongDescription {
    std::string title;
    std::string artist;
    std::int32_t gap = 0;
};

// The song file the document names and its length in milliseconds, 0 until it is measured.
struct SongAudio {
    std::string path;
    std::int32_t lengthMs = 0;
};

// The model the document names. `document` is null when there is none or it could not be
// read, and `loadError` then says why (empty for no model or a missing file). `measurements`
// are the model's own, its defaults without one.
struct AttachedModel {
    std::string path;
    std::unique_ptr<const CModelDocument> document;
    std::string loadError;
    ModelMeasurements measurements;
};

// What the program asks of the dancers. Neither is read nor saved with a document, and both
// outlive a new or opened one: the foot assignment is the user's choice, and a document read
// only to be shown, converted or filmed (the command-line tool, the fuzzers) does without
// dancing. Turning the dance on dances nothing by itself; each score dances from its next
// UpdateLength.
struct DanceSettings {
    bool dancesCharts = true;
    FootAssignment feet = FootAssignment::GREEDY;
};

} // namespace zelvane
