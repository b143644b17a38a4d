#include "AudioFiles.h"

#include "media/FfmpegAudioMeasurer.h"

#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

namespace {

class FfmpegAudioMeasurerTest : public AudioFileTest {
protected:
    AudioMeasurement Measure(const std::filesystem::path& path) { return m_measurer.Measure(path); }

    FfmpegAudioMeasurer m_measurer;
};

std::vector<std::int16_t> Ramp(std::size_t count)
{
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<std::int16_t>((i * 37) % 20000 - 10000);
    return samples;
}

} // namespace

TEST_F(FfmpegAudioMeasurerTest, WavDurationIsTheFrameCountInWholeMilliseconds)
{
    struct Case {
        int rate;
        int channels;
        std::size_t frames;
        std::int32_t expectedMs;
    };
    const Case cases[] = {
        {44100, 1, 66150, 1500},    // 1.5 s exactly
        {44100, 1, 44099, 999},     // 999.98 ms: truncated, not rounded
        {48000, 2, 47999, 999},     // frames, not interleaved values, make the length
        {8000, 1, 2400007, 300000}, // 300.000875 s: samples x 1000 needs 64 bits
    };
    for (const Case& c : cases) {
        const auto path = WriteWav("song.wav", c.rate, c.channels, Ramp(c.frames * c.channels));
        const AudioMeasurement measured = Measure(path);
        EXPECT_TRUE(measured.decoded) << measured.error;
        EXPECT_EQ(measured.durationMs, c.expectedMs) << c.rate << " Hz, " << c.frames;
        EXPECT_EQ(measured.error, "");
    }
}

TEST_F(FfmpegAudioMeasurerTest, EveryPrefixOfAWavIsMeasuredOrRejected)
{
    // At 1000 Hz one mono sample is one millisecond, so each prefix has a known length. The
    // header of every cut still claims all 120 samples: the length must come from the
    // samples that are really there.
    constexpr std::size_t kHeaderBytes = 44;
    const auto bytes = WavBytes(1000, 1, Ramp(120));
    for (std::size_t size = 0; size <= bytes.size(); ++size) {
        const auto path = WriteFile("cut.wav", {bytes.begin(), bytes.begin() + size});
        const AudioMeasurement measured = Measure(path);
        const std::size_t wholeSamples = size < kHeaderBytes ? 0 : (size - kHeaderBytes) / 2;
        if (wholeSamples == 0) {
            EXPECT_FALSE(measured.decoded) << size;
            EXPECT_NE(measured.error, "") << size;
            EXPECT_EQ(measured.durationMs, 0) << size;
        } else {
            EXPECT_TRUE(measured.decoded) << size << ": " << measured.error;
            EXPECT_EQ(measured.durationMs, static_cast<std::int32_t>(wholeSamples)) << size;
        }
    }
}

TEST_F(FfmpegAudioMeasurerTest, BadFilesAreReportedWithTheReason)
{
    WriteFile("text.mp3", {'n', 'o', 't', ' ', 'a', 'u', 'd', 'i', 'o', '\n'});
    WriteFile("empty.wav", {});
    const auto wav = WavBytes(44100, 2, Ramp(400));
    WriteFile("header.wav", {wav.begin(), wav.begin() + 30});
    std::filesystem::create_directory(m_folder / "folder.wav");

    struct Case {
        const char* name;
        const char* reason; // part of the error text
    };
    const Case cases[] = {
        {"missing.mp3", "No such file or directory"},
        {"text.mp3", "Invalid"},
        {"empty.wav", "empty"},
        {"header.wav", "Invalid data"},
        {"folder.wav", "Is a directory"},
    };
    for (const Case& c : cases) {
        const AudioMeasurement measured = Measure(m_folder / c.name);
        EXPECT_FALSE(measured.decoded) << c.name;
        EXPECT_EQ(measured.durationMs, 0) << c.name;
        EXPECT_NE(measured.error.find(c.name), std::string::npos) << measured.error;
        EXPECT_NE(measured.error.find(c.reason), std::string::npos) << measured.error;
    }
}

TEST_F(FfmpegAudioMeasurerTest, Mp3WithLameHeaderMeasuresTheEncodedLength)
{
    if (!HaveFfmpegCli())
        GTEST_SKIP() << "the ffmpeg program is not on PATH; it makes the MP3 files";
    // The LAME header records the encoder delay and the padding of the last frame, and the
    // decoder trims both, so 2 s of input decode to exactly 88200 samples. The container's
    // own estimate for the same file is 2037 ms, so a duration read from it fails here.
    const AudioMeasurement measured = Measure(MakeMp3("tagged.mp3", 2.0, true));
    EXPECT_TRUE(measured.decoded) << measured.error;
    EXPECT_NEAR(measured.durationMs, 2000, 1);
}

TEST_F(FfmpegAudioMeasurerTest, Mp3WithoutLameHeaderKeepsDelayAndPadding)
{
    if (!HaveFfmpegCli())
        GTEST_SKIP() << "the ffmpeg program is not on PATH; it makes the MP3 files";
    // Without the header nothing says how much to trim: the decoded length is whole
    // 1152-sample frames including the encoder delay (1105 samples, 25 ms) and the padding
    // of the last frame (under 1152 samples, 26 ms). So: at least the true 2000 ms, at most
    // 52 ms more.
    const AudioMeasurement measured = Measure(MakeMp3("bare.mp3", 2.0, false));
    EXPECT_TRUE(measured.decoded) << measured.error;
    EXPECT_GE(measured.durationMs, 2000);
    EXPECT_LE(measured.durationMs, 2052);
}
