#include "media/FfmpegAudioMeasurer.h"

#include "media/AudioDecoder.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <exception>
#include <limits>
#include <new>

namespace zelvane {

AudioMeasurement FfmpegAudioMeasurer::Measure(const std::filesystem::path& path)
{
    AudioMeasurement measurement;
    try {
        AudioDecoder decoder(path);
        const std::int64_t durationMs = decoder.MeasureDurationMs();
        if (durationMs > std::numeric_limits<std::int32_t>::max()) {
            measurement.failure = Reason(IDS_REASON_AUDIO_TOO_LONG, {path});
            return measurement;
        }
        measurement.decoded = true;
        measurement.durationMs = static_cast<std::int32_t>(durationMs);
    } catch (const std::bad_alloc&) {
        measurement.failure = Reason(IDS_REASON_AUDIO_NO_MEMORY, {path});
    } catch (const CoreError& error) {
        measurement.failure
            = error.reason() ? *error.reason() : Reason(IDS_REASON_AUDIO_UNDECODABLE, {path});
    } catch (...) {
        measurement.failure = Reason(IDS_REASON_AUDIO_UNDECODABLE, {path});
    }
    return measurement;
}

} // namespace zelvane
