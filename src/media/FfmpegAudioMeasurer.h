#pragma once

#include "chart/AudioMeasurer.h"

namespace zelvane {

// The song duration the document needs, measured by decoding the file with FFmpeg. Never
// throws: every failure comes back as `decoded == false` with FFmpeg's own explanation,
// because the document shows that text to the user and offers to pick another file.
class FfmpegAudioMeasurer : public IAudioMeasurer {
public:
    AudioMeasurement Measure(const std::filesystem::path& path) override;
};

} // namespace zelvane
