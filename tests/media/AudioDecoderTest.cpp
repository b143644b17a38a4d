#include "AudioFiles.h"

#include "media/AudioDecoder.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace zelvane;
using namespace zelvane::test;

namespace {

using AudioDecoderTest = AudioFileTest;

// Interleaved stereo frames with every left value differing from its right one.
std::vector<std::int16_t> DistinctStereo(std::size_t frames)
{
    std::vector<std::int16_t> samples;
    for (std::size_t i = 0; i < frames; ++i) {
        samples.push_back(static_cast<std::int16_t>((i * 131) % 30000));
        samples.push_back(static_cast<std::int16_t>(-1 - static_cast<int>((i * 71) % 30000)));
    }
    return samples;
}

std::vector<std::int16_t> Constant(std::size_t count, std::int16_t left, std::int16_t right)
{
    std::vector<std::int16_t> samples;
    for (std::size_t i = 0; i < count; ++i) {
        samples.push_back(left);
        samples.push_back(right);
    }
    return samples;
}

} // namespace

TEST_F(AudioDecoderTest, MatchingFormatPassesSamplesThroughUnchanged)
{
    const auto samples = DistinctStereo(5000);
    AudioDecoder decoder(WriteWav("stereo.wav", 44100, 2, samples));
    EXPECT_EQ(decoder.sampleRate(), 44100);
    EXPECT_EQ(decoder.channels(), 2);

    const PcmAudio pcm = decoder.DecodePcm(44100, 2);
    EXPECT_EQ(pcm.sampleRate, 44100);
    EXPECT_EQ(pcm.channels, 2);
    EXPECT_EQ(pcm.frameCount(), 5000);
    EXPECT_EQ(pcm.samples, samples);
}

TEST_F(AudioDecoderTest, ResamplingKeepsTheLengthAndTheChannels)
{
    // 1 s of 48 kHz stereo, left high and right low. The resampler holds back its filter
    // delay (16 input samples with the default 32-tap filter) until it is flushed at the end;
    // with the flush the result is 44100 frames (exactly, with FFmpeg 5.1). Two frames of
    // slack allow for another FFmpeg rounding the last partial frame differently; a lost
    // flush misses by more.
    AudioDecoder decoder(WriteWav("48k.wav", 48000, 2, Constant(48000, 8000, -8000)));
    const PcmAudio pcm = decoder.DecodePcm(44100, 2);
    EXPECT_EQ(pcm.channels, 2);
    ASSERT_EQ(pcm.samples.size() % 2, 0u);
    EXPECT_NEAR(static_cast<double>(pcm.frameCount()), 44100.0, 2.0);

    // Away from the edges the levels survive, each on its own side.
    for (std::int64_t frame = 1000; frame < pcm.frameCount() - 1000; frame += 997) {
        EXPECT_NEAR(pcm.samples[frame * 2], 8000, 80) << frame;
        EXPECT_NEAR(pcm.samples[frame * 2 + 1], -8000, 80) << frame;
    }
}

TEST_F(AudioDecoderTest, MonoIsSpreadEquallyOverBothSides)
{
    std::vector<std::int16_t> mono(3000);
    for (std::size_t i = 0; i < mono.size(); ++i)
        mono[i] = static_cast<std::int16_t>(std::lround(9000 * std::sin(i * 0.05)));
    AudioDecoder decoder(WriteWav("mono.wav", 22050, 1, mono));
    const PcmAudio pcm = decoder.DecodePcm(22050, 2);
    ASSERT_EQ(pcm.frameCount(), 3000);
    for (std::size_t i = 0; i < mono.size(); i += 7) {
        EXPECT_EQ(pcm.samples[2 * i], pcm.samples[2 * i + 1]) << i;
        // FFmpeg spreads a centre channel at -3 dB over the two sides.
        EXPECT_NEAR(pcm.samples[2 * i], mono[i] / std::numbers::sqrt2, 2) << i;
    }
}

TEST_F(AudioDecoderTest, Mp3DecodesToTheMeasuredLength)
{
    if (!HaveFfmpegCli())
        GTEST_SKIP() << "the ffmpeg program is not on PATH; it makes the MP3 files";
    const auto path = MakeMp3("song.mp3", 1.0, true);
    AudioDecoder measuring(path);
    EXPECT_EQ(measuring.MeasureDurationMs(), 1000);
    // Same rate, so no resampling: the trimmed MP3 is exactly 44100 samples long.
    AudioDecoder decoding(path);
    const PcmAudio pcm = decoding.DecodePcm(44100, 2);
    EXPECT_EQ(pcm.frameCount(), 44100);
}

TEST_F(AudioDecoderTest, FailuresAreTypedErrors)
{
    EXPECT_THROW(AudioDecoder(m_folder / "missing.wav"), FileIoError);
    WriteFile("text.wav", {'R', 'I', 'F', 'F', 'x'});
    EXPECT_THROW(AudioDecoder(m_folder / "text.wav"), FileFormatError);

    AudioDecoder decoder(WriteWav("short.wav", 8000, 1, std::vector<std::int16_t>(800, 5)));
    EXPECT_THROW(decoder.DecodePcm(44100, 0), InvalidArgumentError);
    EXPECT_THROW(decoder.DecodePcm(10, 2), InvalidArgumentError);
    EXPECT_EQ(decoder.MeasureDurationMs(), 100);
    // The stream has been read; a second pass would silently yield nothing.
    EXPECT_THROW(decoder.MeasureDurationMs(), InvalidArgumentError);
}
