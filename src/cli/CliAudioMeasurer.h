#pragma once

#include "chart/AudioMeasurer.h"
#include "media/SongDecoding.h"

namespace zelvane::cli {

// The song's length for the tool's documents, measured in place by decoding the file: the
// tool has no window to keep working, and no player that wants the samples.
class CliAudioMeasurer : public IAudioMeasurer {
public:
    AudioMeasurement Measure(const std::filesystem::path& path) override
    {
        const DecodedSong song = MeasureSong(path);
        return {song.decoded, song.durationMs, song.failure};
    }
};

} // namespace zelvane::cli
