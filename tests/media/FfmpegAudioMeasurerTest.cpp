#include "AudioFiles.h"

#include "media/AudioDecoder.h"
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

std::vector<std::uint8_t> RampWav(int rate, int channels, std::size_t frames)
{
    return WavBytes(rate, channels, Samples(frames, channels, [](std::size_t i, int channel) {
                        return static_cast<int>((i * 37 + channel) % 20000) - 10000;
                    }));
}

} // namespace

TEST_F(FfmpegAudioMeasurerTest, WavDurationIsTheFrameCountInWholeMilliseconds)
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
        EXPECT_TRUE(measured.decoded && measured.error.empty()) << measured.error;
        EXPECT_EQ(measured.durationMs, ms) << rate << " Hz, " << frames;
    }
}

TEST_F(FfmpegAudioMeasurerTest, EveryPrefixOfAWavIsMeasuredOrRejected)
{
    // At 1000 Hz one mono sample is one millisecond, so each prefix has a known length. The
    // header of every cut still claims all 120 samples: the length must come from the
    // samples that are really there.
    constexpr std::size_t kHeaderBytes = 44;
    const auto bytes = RampWav(1000, 1, 120);
    for (std::size_t size = 0; size <= bytes.size(); ++size) {
        const auto measured = Measure(WriteFile("cut.wav", {bytes.begin(), bytes.begin() + size}));
        const std::size_t wholeSamples = size < kHeaderBytes ? 0 : (size - kHeaderBytes) / 2;
        EXPECT_EQ(measured.decoded, wholeSamples > 0) << size << ": " << measured.error;
        EXPECT_EQ(measured.error.empty(), wholeSamples > 0) << size;
        EXPECT_EQ(measured.durationMs, static_cast<std::int32_t>(wholeSamples)) << size;
    }
}

TEST_F(FfmpegAudioMeasurerTest, BadFilesAreReportedWithTheReason)
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
        const AudioMeasurement measured = Measure(m_folder / name);
        EXPECT_FALSE(measured.decoded) << name;
        EXPECT_EQ(measured.durationMs, 0) << name;
        EXPECT_NE(measured.error.find(name), std::string::npos) << measured.error;
        EXPECT_NE(measured.error.find(reason), std::string::npos) << measured.error;
    }
}

TEST_F(FfmpegAudioMeasurerTest, Mp3LengthWithAndWithoutTheLameHeader)
{
    if (std::system("ffmpeg -version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "the ffmpeg program is not on PATH; it makes the MP3 files";
    // The LAME header records the encoder delay and the padding of the last frame, and the
    // decoder trims both, so 2 s of input decode to exactly 88200 samples. The container's
    // own estimate for the same file is 2037 ms, so a duration read from it fails here.
    const auto tagged = MakeMp3("tagged.mp3", 2.0, true);
    const AudioMeasurement measured = Measure(tagged);
    EXPECT_TRUE(measured.decoded) << measured.error;
    EXPECT_NEAR(measured.durationMs, 2000, 1);
    EXPECT_EQ(AudioDecoder(tagged).DecodePcm(44100, 2).frameCount(), 88200); // no resampling

    // Without it the length keeps the encoder delay (25 ms) and the padding of the last
    // 1152-sample frame (under 26 ms): at least the true 2000 ms, at most 52 ms more.
    const AudioMeasurement bare = Measure(MakeMp3("bare.mp3", 2.0, false));
    EXPECT_TRUE(bare.decoded) << bare.error;
    EXPECT_GE(bare.durationMs, 2000);
    EXPECT_LE(bare.durationMs, 2052);
}
