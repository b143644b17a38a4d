#pragma once

#include "media/AviCodecs.h"

#include <string_view>
#include <vector>

extern "C" {
#include <libavutil/pixfmt.h>
}

namespace zelvane {

// How a quality from 0 to 100 reaches an encoder.
enum class AviQualityControl {
    None,   // lossless: nothing to choose
    QScale, // a fixed quantiser, 31 (coarsest) to 2 (finest)
    Crf,    // x264's constant rate factor, 51 (coarsest) to 0 (lossless)
};

// What the writer needs to know to drive one encoder of the table.
struct AviCodecProfile {
    AviCodec codec;
    AviQualityControl qualityControl = AviQualityControl::None;
    // The pixel formats to feed it, best first; the first one the encoder takes is used.
    std::vector<AVPixelFormat> pixelFormats;
};

// The profile of the encoder `name` when it is in the table and this FFmpeg has it; nullptr
// otherwise.
const AviCodecProfile* FindAviCodecProfile(std::string_view name);

} // namespace zelvane
