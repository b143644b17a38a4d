#pragma once

#include "text/Reason.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace zelvane {

struct AudioMeasurement {
    bool decoded = false;
    std::int32_t durationMs = 0; // exact: from the number of decoded samples
    Reason failure;              // why not, when `decoded` is false
    // The song is being measured beside the document; its length follows through
    // CStepDocument::SongMeasured.
    bool pending = false;
};

// How the document learns a song's duration without depending on a decoder itself; the
// programs hand in the FFmpeg implementation of the media library. A program with a window
// measures in the background instead: it answers `pending` at once and tells the document
// the length once the song is decoded.
class IAudioMeasurer {
public:
    virtual ~IAudioMeasurer() = default;
    virtual AudioMeasurement Measure(const std::filesystem::path& path) = 0;
};

} // namespace zelvane
