#include "media/FfmpegAudioMeasurer.h"

#include "media/AudioDecoder.h"

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
            measurement.error = "\"" + path.string() + "\" is too long to play";
            return measurement;
        }
        measurement.decoded = true;
        measurement.durationMs = static_cast<std::int32_t>(durationMs);
    } catch (const std::bad_alloc&) {
        measurement.error = "Not enough memory to decode \"" + path.string() + "\"";
    } catch (const std::exception& error) {
        measurement.error = error.what();
    } catch (...) {
        measurement.error = "Cannot decode \"" + path.string() + "\"";
    }
    return measurement;
}

} // namespace zelvane
