#pragma once

#include "media/SampleAllocator.h"

#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;

namespace zelvane {

// Interleaved signed 16-bit samples; resize(n) leaves new ones unset (see SampleAllocator).
using PcmSamples = std::vector<std::int16_t, SampleAllocator<std::int16_t>>;

// Interleaved signed 16-bit audio, the form an audio output takes directly.
struct PcmAudio {
    int sampleRate = 0;
    int channels = 0;
    PcmSamples samples; // frameCount() frames of `channels` values each

    std::int64_t frameCount() const
    {
        return channels > 0 ? static_cast<std::int64_t>(samples.size()) / channels : 0;
    }
};

// The song as a player takes it, with its exact length measured on the way.
struct MeasuredPcm {
    PcmAudio pcm;
    std::int64_t durationMs = 0; // as MeasureDurationMs() counts it, from the file's own rate
};

// Thrown out of a decode when its progress handler asks it to stop.
class DecodeCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "the decode was cancelled"; }
};

// One song file opened with FFmpeg (WAV, MP3 or anything else it reads), positioned at the
// start of its best audio stream. The stream is read once: either measured or decoded.
//
// Failures throw the core's typed errors with a reason, FFmpeg's own words following it in
// English only: FileIoError
// when the file cannot be opened or read, FileFormatError when it holds no decodable audio,
// InvalidArgumentError for an impossible output format or a second pass over the stream.
class AudioDecoder {
public:
    explicit AudioDecoder(const std::filesystem::path& path);
    ~AudioDecoder();
    AudioDecoder(const AudioDecoder&) = delete;
    AudioDecoder& operator=(const AudioDecoder&) = delete;

    // The stream as the file declares it; a player may ask for exactly this to avoid
    // resampling or remixing.
    int sampleRate() const;
    int channels() const;

    // Decodes the whole stream and counts its samples per channel, without converting or
    // keeping them. The duration comes from this count because containers misstate it:
    // an MP3 without its LAME header claims tens of milliseconds more than it holds.
    // Truncated to whole milliseconds.
    std::int64_t MeasureDurationMs();

    // Decodes the whole stream to interleaved 16-bit PCM at the given rate and channel
    // count (1 to 8 channels, 1000 to 384000 Hz), resampling and remixing as needed.
    PcmAudio DecodePcm(int sampleRate, int channels);

    // DecodePcm and MeasureDurationMs from one pass over the stream: the player's samples
    // and the document's length come from the same decode, and the length is exactly what
    // measuring alone gives.
    MeasuredPcm DecodeMeasuredPcm(int sampleRate, int channels);

    // Told how far the decode has read, in per cent of the file, before every packet; a
    // handler that returns false stops the decode with DecodeCancelled. Set it before
    // decoding.
    using ProgressHandler = std::function<bool(int percent)>;
    void SetProgressHandler(ProgressHandler handler) { m_progress = std::move(handler); }

    // Shown each run of samples DecodePcm and DecodeMeasuredPcm keep, in order, right after
    // it is written, while it is still in the processor's cache: whatever else reads every
    // sample reads it there. Set it before decoding.
    using SampleObserver = std::function<void(const std::int16_t* samples, std::size_t count)>;
    void SetSampleObserver(SampleObserver observer) { m_observer = std::move(observer); }

private:
    struct FormatCloser {
        void operator()(AVFormatContext* context) const;
    };
    struct CodecFreer {
        void operator()(AVCodecContext* context) const;
    };
    using FrameSink = std::function<void(const AVFrame&)>;

    // Hands every decoded frame of the audio stream to `sink`, then returns at the end of
    // the stream. Packets the decoder rejects are skipped, as players do; a stream that
    // yields no samples at all is an error.
    void DecodeEachFrame(const FrameSink& sink);
    // Samples to make room for ahead of a decode, so that a long song is not copied as it
    // grows; 0 when the file says nothing trustworthy about its length.
    std::size_t ExpectedSampleCount(int sampleRate, int channels) const;
    // The part of the file up to `position`, 0 to 100; 0 when its size is unknown.
    int PercentRead(std::int64_t position) const;

    std::filesystem::path m_path;
    std::unique_ptr<AVFormatContext, FormatCloser> m_format;
    std::unique_ptr<AVCodecContext, CodecFreer> m_codec;
    int m_streamIndex = -1;
    std::int64_t m_fileBytes = 0; // 0 when unknown
    bool m_consumed = false;
    ProgressHandler m_progress;
    SampleObserver m_observer;
};

} // namespace zelvane
