#include "AudioFiles.h"

#include "media/AudioDecoder.h"
#include "media/SongDecoding.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace zelvane;
using namespace zelvane::test;

using AudioDecoderTest = AudioFileTest;

TEST_F(AudioDecoderTest, SamplesPassThroughOrAreResampledToTheLengthAndMonoSpreadsOverBothSides)
{
    // In the format asked for, unchanged: every left value differs from its right one, so a
    // swap or a mix shows.
    const auto samples = Samples(5000, 2, [](std::size_t i, int right) {
        return right ? -1 - static_cast<int>(i * 71 % 30000) : static_cast<int>(i * 131 % 30000);
    });
    AudioDecoder same(WriteFile("stereo.wav", WavBytes(44100, 2, samples)));
    EXPECT_EQ(std::tuple(same.sampleRate(), same.channels()), std::tuple(44100, 2));
    const PcmAudio unchanged = same.DecodePcm(44100, 2);
    EXPECT_EQ(std::tuple(unchanged.sampleRate, unchanged.channels), std::tuple(44100, 2));
    EXPECT_EQ(std::vector(unchanged.samples.begin(), unchanged.samples.end()), samples);

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

namespace {

using SongMeasuringTest = AudioFileTest;

DecodedSong Measure(const std::filesystem::path& path)
{
    return MeasureSong(path);
}

// Why a measurement failed, as the command-line tool would say it.
std::string Said(const DecodedSong& measured)
{
    return EnglishText(measured.failure);
}

std::vector<std::uint8_t> RampWav(int rate, int channels, std::size_t frames)
{
    return WavBytes(rate, channels, Samples(frames, channels, [](std::size_t i, int channel) {
                        return static_cast<int>((i * 37 + channel) % 20000) - 10000;
                    }));
}

} // namespace

TEST_F(SongMeasuringTest, WavDurationIsTheFrameCountInWholeMilliseconds)
{
    // Rate, channels, frames, whole milliseconds.
    const std::tuple<int, int, std::size_t, std::int32_t> cases[] = {
        {44100, 1, 66150, 1500},    // 1.5 s exactly
        {44100, 1, 44099, 999},     // 999.98 ms: truncated, not rounded
        {48000, 2, 47999, 999},     // frames, not interleaved values, make the length
        {8000, 1, 2400007, 300000}, // 300.000875 s: samples x 1000 needs 64 bits
    };
    for (const auto& [rate, channels, frames, ms] : cases) {
        const auto measured = Measure(WriteFile("song.wav", RampWav(rate, channels, frames)));
        EXPECT_TRUE(measured.decoded && measured.failure.empty()) << Said(measured);
        EXPECT_EQ(measured.durationMs, ms) << rate << " Hz, " << frames;
    }
}

TEST_F(SongMeasuringTest, EveryPrefixOfAWavIsMeasuredOrRejected)
{
    // At 1000 Hz one mono sample is one millisecond, so each prefix has a known length. The
    // header of every cut still claims all 120 samples: the length must come from the
    // samples that are really there.
    constexpr std::size_t kHeaderBytes = 44;
    const auto bytes = RampWav(1000, 1, 120);
    for (std::size_t size = 0; size <= bytes.size(); ++size) {
        const auto measured = Measure(WriteFile("cut.wav", {bytes.begin(), bytes.begin() + size}));
        const std::size_t wholeSamples = size < kHeaderBytes ? 0 : (size - kHeaderBytes) / 2;
        EXPECT_EQ(measured.decoded, wholeSamples > 0) << size << ": " << Said(measured);
        EXPECT_EQ(measured.failure.empty(), wholeSamples > 0) << size;
        EXPECT_EQ(measured.durationMs, static_cast<std::int32_t>(wholeSamples)) << size;
    }
}

TEST_F(SongMeasuringTest, BadFilesAreReportedWithTheReason)
{
    WriteFile("text.mp3", {'n', 'o', 't', ' ', 'a', 'u', 'd', 'i', 'o', '\n'});
    WriteFile("empty.wav", {});
    const auto wav = WavBytes(44100, 2, {});
    WriteFile("header.wav", {wav.begin(), wav.begin() + 30});
    std::filesystem::create_directory(m_folder / "folder.wav");
    // The file's name, and part of the reason the error text must give.
    const std::pair<const char*, const char*> cases[]
        = {{"missing.mp3", "No such file or directory"},
           {"text.mp3", "Invalid"},
           {"empty.wav", "empty"},
           {"header.wav", "Invalid data"},
           {"folder.wav", "Is a directory"}};
    for (const auto& [name, reason] : cases) {
        const DecodedSong measured = Measure(m_folder / name);
        EXPECT_FALSE(measured.decoded) << name;
        EXPECT_EQ(measured.durationMs, 0) << name;
        EXPECT_NE(Said(measured).find(name), std::string::npos) << Said(measured);
        EXPECT_NE(Said(measured).find(reason), std::string::npos) << Said(measured);
    }
}

TEST_F(SongMeasuringTest, Mp3LengthWithAndWithoutTheLameHeader)
{
    if (std::system("ffmpeg -version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "the ffmpeg program is not on PATH; it makes the MP3 files";
    // The LAME header records the encoder delay and the padding of the last frame, and the
    // decoder trims both, so 2 s of input decode to exactly 88200 samples. The container's
    // own estimate for the same file is 2037 ms, so a duration read from it fails here.
    const auto tagged = MakeMp3("tagged.mp3", 2.0, true);
    const DecodedSong measured = Measure(tagged);
    EXPECT_TRUE(measured.decoded) << Said(measured);
    EXPECT_NEAR(measured.durationMs, 2000, 1);
    EXPECT_EQ(AudioDecoder(tagged).DecodePcm(44100, 2).frameCount(), 88200); // no resampling

    // Without it the length keeps the encoder delay (25 ms) and the padding of the last
    // 1152-sample frame (under 26 ms): at least the true 2000 ms, at most 52 ms more.
    const DecodedSong bare = Measure(MakeMp3("bare.mp3", 2.0, false));
    EXPECT_TRUE(bare.decoded) << Said(bare);
    EXPECT_GE(bare.durationMs, 2000);
    EXPECT_LE(bare.durationMs, 2052);
}
