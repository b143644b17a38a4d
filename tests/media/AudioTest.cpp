#include "AudioFiles.h"

#include "media/AudioDecoder.h"
#include "media/SongDecoding.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

using AudioDecoderTest = AudioFileTest;

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

// 300.000875 s: whole milliseconds, truncated; the samples times 1000 need 64 bits. (The
// length of other songs is held to FFmpeg's in SongSamplesTest.)
TEST_F(SongMeasuringTest, WavDurationIsTheFrameCountInWholeMillisecondsEvenPast32Bits)
{
    const auto measured = Measure(WriteFile("song.wav", RampWav(8000, 1, 2400007)));
    EXPECT_TRUE(measured.decoded && measured.failure.empty()) << Said(measured);
    EXPECT_EQ(measured.durationMs, 300000);
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
