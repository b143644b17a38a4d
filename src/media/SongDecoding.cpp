#include "media/SongDecoding.h"

#include "media/AmplitudePyramidBuilder.h"

#include "text/Errors.h"
#include "text/StringTable.h"

#include <exception>
#include <limits>
#include <new>

namespace zelvane {

Reason SongFailureReason(const std::filesystem::path& path)
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return Reason(IDS_REASON_AUDIO_NO_MEMORY, {path});
    } catch (const CoreError& error) {
        return error.reason() ? *error.reason()
                              : Reason(IDS_REASON_AUDIO_UNDECODABLE, {path}, error.what());
    } catch (const DecodeCancelled&) {
        throw;
    } catch (const std::exception& error) {
        return Reason(IDS_REASON_AUDIO_UNDECODABLE, {path}, error.what());
    } catch (...) {
        return Reason(IDS_REASON_AUDIO_UNDECODABLE, {path});
    }
}

Reason SongTooLongReason(const std::filesystem::path& path, std::int64_t durationMs)
{
    if (durationMs > std::numeric_limits<std::int32_t>::max())
        return Reason(IDS_REASON_AUDIO_TOO_LONG, {path});
    return {};
}

DecodedSong MeasureSong(const std::filesystem::path& path)
{
    DecodedSong song;
    try {
        AudioDecoder decoder(path);
        const std::int64_t durationMs = decoder.MeasureDurationMs();
        if (Reason tooLong = SongTooLongReason(path, durationMs); !tooLong.empty()) {
            song.failure = std::move(tooLong);
            return song;
        }
        song.decoded = true;
        song.durationMs = static_cast<std::int32_t>(durationMs);
    } catch (...) {
        song.failure = SongFailureReason(path);
    }
    return song;
}

DecodedSong DecodeSong(const std::filesystem::path& path, const SongFormatChooser& choose,
                       const AudioDecoder::ProgressHandler& progress)
{
    DecodedSong song;
    try {
        AudioDecoder decoder(path);
        decoder.SetProgressHandler(progress);
        const SongFormat format = choose(decoder.sampleRate(), decoder.channels());
        AmplitudePyramidBuilder envelope(format.channels);
        decoder.SetSampleObserver([&envelope](const std::int16_t* samples, std::size_t count) {
            envelope.Add(samples, count);
        });
        MeasuredPcm measured = decoder.DecodeMeasuredPcm(format.sampleRate, format.channels);
        if (Reason tooLong = SongTooLongReason(path, measured.durationMs); !tooLong.empty()) {
            song.failure = std::move(tooLong);
            return song;
        }
        if (measured.pcm.frameCount() <= 0) {
            song.failure = Reason(IDS_REASON_NO_SOUND);
            return song;
        }
        song.durationMs = static_cast<std::int32_t>(measured.durationMs);
        song.envelope
            = std::make_shared<const AmplitudePyramid>(envelope.Finish(format.sampleRate));
        song.pcm = std::make_shared<const PcmAudio>(std::move(measured.pcm));
        song.decoded = true;
    } catch (const DecodeCancelled&) {
        throw;
    } catch (...) {
        song.failure = SongFailureReason(path);
    }
    return song;
}

} // namespace zelvane
