#include "AudioFiles.h"

#include "media/AudioDecoder.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace zelvane;
using namespace zelvane::test;

using AudioDecoderTest = AudioFileTest;

TEST_F(AudioDecoderTest, MatchingFormatPassesSamplesThroughUnchanged)
{
    // Every left value differs from its right one, so a swap or a mix shows.
    const auto samples = Samples(5000, 2, [](std::size_t i, int right) {
        return right ? -1 - static_cast<int>(i * 71 % 30000) : static_cast<int>(i * 131 % 30000);
    });
    AudioDecoder decoder(WriteFile("stereo.wav", WavBytes(44100, 2, samples)));
    EXPECT_EQ(decoder.sampleRate(), 44100);
    EXPECT_EQ(decoder.channels(), 2);
    const PcmAudio pcm = decoder.DecodePcm(44100, 2);
    EXPECT_EQ(pcm.sampleRate, 44100);
    EXPECT_EQ(pcm.channels, 2);
    EXPECT_EQ(pcm.samples, samples);
}

TEST_F(AudioDecoderTest, ResamplingKeepsTheLengthAndMonoSpreadsOverBothSides)
{
    // 1 s of 48 kHz stereo, left high and right low. The resampler holds back its filter
    // delay (16 input samples) until flushed; two frames of slack allow for FFmpeg versions
    // rounding the last partial frame differently, a lost flush misses by more.
    const auto level = [](std::size_t, int right) { return right ? -8000 : 8000; };
    AudioDecoder stereo(WriteFile("48k.wav", WavBytes(48000, 2, Samples(48000, 2, level))));
    const PcmAudio pcm = stereo.DecodePcm(44100, 2);
    EXPECT_EQ(pcm.channels, 2);
    ASSERT_EQ(pcm.samples.size() % 2, 0u);
    EXPECT_NEAR(static_cast<double>(pcm.frameCount()), 44100.0, 2.0);
    // Away from the edges the levels survive, each on its own side.
    for (std::int64_t frame = 1000; frame < pcm.frameCount() - 1000; frame += 997) {
        EXPECT_NEAR(pcm.samples[frame * 2], 8000, 80) << frame;
        EXPECT_NEAR(pcm.samples[frame * 2 + 1], -8000, 80) << frame;
    }

    const auto mono = Samples(3000, 1, [](std::size_t i, int) {
        return static_cast<int>(std::lround(9000 * std::sin(i * 0.05)));
    });
    AudioDecoder spread(WriteFile("mono.wav", WavBytes(22050, 1, mono)));
    const PcmAudio both = spread.DecodePcm(22050, 2);
    ASSERT_EQ(both.frameCount(), 3000);
    for (std::size_t i = 0; i < mono.size(); i += 7) {
        EXPECT_EQ(both.samples[2 * i], both.samples[2 * i + 1]) << i;
        // FFmpeg spreads a centre channel at -3 dB over the two sides.
        EXPECT_NEAR(both.samples[2 * i], mono[i] / std::numbers::sqrt2, 2) << i;
    }
}

TEST_F(AudioDecoderTest, FailuresAreTypedErrors)
{
    EXPECT_THROW(AudioDecoder(m_folder / "missing.wav"), FileIoError);
    EXPECT_THROW(AudioDecoder(WriteFile("text.wav", {'R', 'I', 'F', 'F', 'x'})), FileFormatError);

    AudioDecoder decoder(
        WriteFile("short.wav", WavBytes(8000, 1, std::vector<std::int16_t>(800, 5))));
    EXPECT_THROW(decoder.DecodePcm(44100, 0), InvalidArgumentError);
    EXPECT_THROW(decoder.DecodePcm(10, 2), InvalidArgumentError);
    EXPECT_EQ(decoder.MeasureDurationMs(), 100);
    // The stream has been read; a second pass would silently yield nothing.
    EXPECT_THROW(decoder.MeasureDurationMs(), InvalidArgumentError);
}
