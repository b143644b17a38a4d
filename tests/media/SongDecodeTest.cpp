#include "AudioFiles.h"

#include "media/SongDecodeJob.h"
#include "media/SongDecoding.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>

using namespace zelvane;
using namespace zelvane::test;

namespace {

using SongDecodeTest = AudioFileTest;

// The song in its own format, as a player does when the device takes it.
SongFormat OwnFormat(int rate, int channels)
{
    return {rate, channels};
}

std::vector<std::uint8_t> RampWav(int rate, int channels, std::size_t frames)
{
    return WavBytes(rate, channels, Samples(frames, channels, [](std::size_t i, int channel) {
                        return static_cast<int>((i * 53 + channel * 7) % 24000) - 12000;
                    }));
}

// One decode gives what measuring alone gives and what decoding for the player alone gives,
// bit for bit, whether or not the samples are resampled on the way.
TEST_F(SongDecodeTest, OneDecodeGivesTheMeasuredLengthAndThePlayersSamples)
{
    struct Case {
        std::filesystem::path path;
        std::pair<int, int> own; // the rate and channels the file holds
        SongFormat format;       // as the device would take it; {0, 0}: the song's own
    };
    std::vector<Case> cases = {
        {WriteFile("own.wav", RampWav(22050, 1, 33088)), {22050, 1}, {}},
        {WriteFile("resampled.wav", RampWav(48000, 2, 47999)), {48000, 2}, {44100, 2}},
        {WriteFile("spread.wav", RampWav(8000, 1, 12345)), {8000, 1}, {8000, 2}},
    };
    // With and without the LAME header that tells the decoder what to trim.
    if (std::system("ffmpeg -version >/dev/null 2>&1") == 0) {
        cases.push_back({MakeMp3("tagged.mp3", 1.5, true), {44100, 1}, {}});
        cases.push_back({MakeMp3("bare.mp3", 1.5, false), {44100, 1}, {}});
    }
    for (const auto& [path, own, format] : cases) {
        SCOPED_TRACE(path.filename().string());
        std::pair<int, int> asked;
        const DecodedSong song = DecodeSong(path, [&, format = format](int rate, int channels) {
            asked = {rate, channels};
            return format.sampleRate ? format : OwnFormat(rate, channels);
        });
        ASSERT_TRUE(song.decoded) << EnglishText(song.failure);
        EXPECT_EQ(asked, own);

        const DecodedSong measured = MeasureSong(path);
        ASSERT_TRUE(measured.decoded);
        EXPECT_EQ(song.durationMs, measured.durationMs);
        AudioDecoder alone(path);
        const PcmAudio pcm = alone.DecodePcm(song.pcm->sampleRate, song.pcm->channels);
        EXPECT_EQ(song.pcm->samples, pcm.samples);
    }

    // A song that cannot be used says why, as measuring it does; nothing is thrown.
    const auto noise = WriteFile("noise.wav", {'R', 'I', 'F', 'F', 'n', 'o', 'p', 'e'});
    const DecodedSong refused = DecodeSong(noise, OwnFormat);
    EXPECT_FALSE(refused.decoded);
    EXPECT_FALSE(refused.pcm);
    EXPECT_EQ(EnglishText(refused.failure), EnglishText(MeasureSong(noise).failure));
}

TEST_F(SongDecodeTest, ProgressRisesToTheEndAndAHandlerSayingNoStopsTheDecode)
{
    // Ten seconds of 8 kHz mono: many packets, so the per cents can be seen to move.
    const auto path = WriteFile("long.wav", RampWav(8000, 1, 80000));
    std::vector<int> percents;
    const DecodedSong song = DecodeSong(path, OwnFormat, [&](int percent) {
        percents.push_back(percent);
        return true;
    });
    ASSERT_TRUE(song.decoded);
    ASSERT_GT(percents.size(), 10u);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_LE(percents.front(), 5);
    EXPECT_GE(percents.back(), 90);
    EXPECT_LE(percents.back(), 100);

    int calls = 0;
    EXPECT_THROW(DecodeSong(path, OwnFormat, [&](int) { return ++calls < 3; }), DecodeCancelled);
    EXPECT_EQ(calls, 3) << "stopped at the first no";
}

// What a job reports, handed over from its thread.
struct JobReport {
    std::mutex mutex;
    std::condition_variable changed;
    std::optional<DecodedSong> song;
    int finishedCalls = 0;
    std::vector<int> percents;

    SongDecodeJob::ProgressCallback Progress()
    {
        return [this](int percent) {
            std::lock_guard lock(mutex);
            percents.push_back(percent);
        };
    }
    SongDecodeJob::FinishedCallback Finished()
    {
        return [this](DecodedSong decoded) {
            std::lock_guard lock(mutex);
            song = std::move(decoded);
            ++finishedCalls;
            changed.notify_all();
        };
    }
    void WaitFinished()
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return song.has_value(); });
    }
};

TEST_F(SongDecodeTest, AJobReportsItsSongOnceOrNothingWhenCancelled)
{
    const auto path = WriteFile("song.wav", RampWav(8000, 1, 40000));
    {
        JobReport report;
        SongDecodeJob job(
            path,
            [](const std::filesystem::path& song, const AudioDecoder::ProgressHandler& progress,
               std::stop_token) { return DecodeSong(song, OwnFormat, progress); },
            report.Progress(), report.Finished());
        report.WaitFinished();
        job.Cancel(); // after the end: changes nothing
        EXPECT_EQ(report.finishedCalls, 1);
        ASSERT_TRUE(report.song->decoded);
        EXPECT_EQ(report.song->durationMs, 5000);
        EXPECT_EQ(report.song->pcm->frameCount(), 40000);
        ASSERT_FALSE(report.percents.empty());
        EXPECT_TRUE(std::adjacent_find(report.percents.begin(), report.percents.end())
                    == report.percents.end())
            << "each per cent told once";
    }

    // A decode held until it is told to stop: Cancel wakes it, waits for it, and nothing is
    // reported.
    JobReport held;
    std::mutex mutex;
    std::condition_variable_any started;
    bool running = false;
    bool sawStop = false;
    auto job = std::make_unique<SongDecodeJob>(
        path,
        [&](const std::filesystem::path&, const AudioDecoder::ProgressHandler& progress,
            std::stop_token stop) -> DecodedSong {
            std::unique_lock lock(mutex);
            running = true;
            started.notify_all();
            started.wait(lock, stop, [] { return false; });
            sawStop = !progress(0);
            throw DecodeCancelled();
        },
        held.Progress(), held.Finished());
    {
        std::unique_lock lock(mutex);
        started.wait(lock, [&] { return running; });
    }
    job->Cancel();
    EXPECT_TRUE(sawStop) << "the progress handler says no once stopped";
    job.reset();
    EXPECT_EQ(held.finishedCalls, 0);

    // A decode that fails outside the decoder still ends with a reason, not with the program.
    JobReport failed;
    SongDecodeJob throwing(
        path,
        [](const std::filesystem::path&, const AudioDecoder::ProgressHandler&,
           std::stop_token) -> DecodedSong { throw std::runtime_error("out of luck"); },
        failed.Progress(), failed.Finished());
    failed.WaitFinished();
    EXPECT_FALSE(failed.song->decoded);
    EXPECT_NE(EnglishText(failed.song->failure).find("song.wav"), std::string::npos);
}

} // namespace
