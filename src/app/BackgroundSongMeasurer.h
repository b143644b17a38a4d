#pragma once

#include "chart/AudioMeasurer.h"

#include <filesystem>
#include <functional>
#include <utility>

namespace zelvane {

// The document's song measurer in the desktop program: it hands the song to the background
// loader and answers that the length will follow, so that attaching a song never waits for
// its decode.
class CBackgroundSongMeasurer : public IAudioMeasurer {
public:
    using Start = std::function<void(const std::filesystem::path& path)>;
    explicit CBackgroundSongMeasurer(Start start)
        : m_start(std::move(start))
    {
    }

    AudioMeasurement Measure(const std::filesystem::path& path) override
    {
        m_start(path);
        AudioMeasurement pending;
        pending.pending = true;
        return pending;
    }

private:
    Start m_start;
};

} // namespace zelvane
