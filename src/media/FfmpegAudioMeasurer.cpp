#include "media/FfmpegAudioMeasurer.h"

#include "media/AudioDecoder.h"
#include "media/SongDecoding.h"

namespace zelvane {

AudioMeasurement FfmpegAudioMeasurer::Measure(const std::filesystem::path& path)
{
    AudioMeasurement measurement;
    try {
        AudioDecoder decoder(path);
        const std::int64_t durationMs = decoder.MeasureDurationMs();
        if (Reason tooLong = SongTooLongReason(path, durationMs); !tooLong.empty()) {
            measurement.failure = std::move(tooLong);
            return measurement;
        }
        measurement.decoded = true;
        measurement.durationMs = static_cast<std::int32_t>(durationMs);
    } catch (...) {
        measurement.failure = SongFailureReason(path);
    }
    return measurement;
}

} // namespace zelvane
