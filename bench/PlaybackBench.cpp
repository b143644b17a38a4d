// Starting the song (command to sound leaving the device) and the cost of one clock tick on
// the user-interface thread.
#include "base/PlaybackFollower.h"
#include "base/TempoMap.h"
#include "playback/AssistClap.h"
#include "playback/AudioPlayer.h"
#include "playback/PcmSource.h"
#include "playback/PlaybackClock.h"
#include "playback/PlaybackTimeSource.h"
#include "text/BinaryWriter.h"
#include "text/FileIo.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMediaDevices>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string_view>

namespace zelvane {
namespace {

QCoreApplication& Application()
{
    static int argc = 1;
    static char name[] = "PlaybackBench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    return application;
}

// Ten seconds of a 44.1 kHz stereo tone as a canonical WAV file in the temporary folder.
std::filesystem::path ToneFile()
{
    const auto path = std::filesystem::temp_directory_path() / "zelvane-playback-bench.wav";
    constexpr int kRate = 44100;
    constexpr int kFrames = kRate * 10;
    BinaryWriter writer;
    const auto text = [&](std::string_view tag) {
        writer.WriteBytes({reinterpret_cast<const std::uint8_t*>(tag.data()), tag.size()});
    };
    text("RIFF");
    writer.WriteU32(36 + kFrames * 4);
    text("WAVEfmt ");
    writer.WriteU32(16);
    writer.WriteU16(1);
    writer.WriteU16(2);
    writer.WriteU32(kRate);
    writer.WriteU32(kRate * 4);
    writer.WriteU16(4);
    writer.WriteU16(16);
    text("data");
    writer.WriteU32(kFrames * 4);
    for (int i = 0; i < kFrames; ++i) {
        const auto value = static_cast<std::int16_t>(8000 * std::sin(2 * M_PI * 440.0 * i / kRate));
        writer.WriteI16(value);
        writer.WriteI16(value);
    }
    WriteFileAtomically(path, writer.TakeBytes());
    return path;
}

class IdleFollower : public IPlaybackFollower {
public:
    void followFrame(int frame) override { benchmark::DoNotOptimize(frame); }
    void setPlaying(bool playing) override { benchmark::DoNotOptimize(playing); }
};

// From the play command to the device reporting that it played sound; without a sound
// server, to the start of silent playback.
void BM_StartToSound(benchmark::State& state)
{
    QCoreApplication& application = Application();
    CAudioPlayer player;
    if (!player.Open(ToneFile())) {
        state.SkipWithError(player.errorText().c_str());
        return;
    }
    CMonotonicTimeSource time;
    CPlaybackClock clock(time);
    clock.SetAudio(&player);
    const bool audible = player.hasOutput();
    state.SetLabel(audible ? "to sound" : "no sound server: silent start");
    for (auto _ : state) {
        QElapsedTimer elapsed;
        elapsed.start();
        clock.Start(0, 0, 0);
        while (audible && player.PlayedMs() <= 0 && elapsed.elapsed() < 2000)
            application.processEvents(QEventLoop::AllEvents, 1);
        state.SetIterationTime(static_cast<double>(elapsed.nsecsElapsed()) / 1e9);
        clock.Stop();
    }
}
BENCHMARK(BM_StartToSound)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// A clock tick that counts 10 ms (the usual) or 100 ms (a late one) with two followers and
// the song running.
void BM_Tick(benchmark::State& state)
{
    Application();
    CAudioPlayer player;
    if (!player.Open(ToneFile())) {
        state.SkipWithError(player.errorText().c_str());
        return;
    }
    class SteppedTime : public IPlaybackTimeSource {
    public:
        std::int64_t NowMs() override { return now; }
        std::int64_t now = 0;
    } time;
    CPlaybackClock clock(time);
    clock.SetAudio(&player);
    IdleFollower first;
    IdleFollower second;
    clock.AddFollower(&first);
    clock.AddFollower(&second);
    clock.Start(0, 1 << 30, 0);
    for (auto _ : state) {
        time.now += state.range(0);
        clock.Tick();
    }
    clock.Stop();
}
BENCHMARK(BM_Tick)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

// What the sink asks of the user-interface thread besides the ticks: 50 ms of the song
// (a typical pull) with the assist clap at sixteenth notes of 180 BPM.
void BM_FeedSink(benchmark::State& state)
{
    constexpr int kRate = 44100;
    auto pcm = std::make_shared<PcmAudio>();
    pcm->sampleRate = kRate;
    pcm->channels = 2;
    pcm->samples.assign(static_cast<std::size_t>(kRate) * 2 * 60, 1000);
    std::vector<std::int32_t> clocks;
    for (std::int32_t clock = 0; clock < 180 * 48; clock += 12)
        clocks.push_back(clock);
    const std::vector<std::int64_t> clicks
        = AssistClap::ClickFrames(clocks, CTempoMap(180.0f), 0, kRate);
    const std::vector<std::int16_t> click = AssistClap::SynthesizeClick(kRate);
    const auto fromStart = [&] {
        auto source = std::make_unique<CPcmSource>(pcm, 0);
        source->SetClicks(clicks, click);
        source->open(QIODevice::ReadOnly);
        return source;
    };
    QByteArray buffer(kRate / 20 * 4, Qt::Uninitialized);
    std::unique_ptr<CPcmSource> source = fromStart();
    for (auto _ : state) {
        if (source->read(buffer.data(), buffer.size()) <= 0) {
            state.PauseTiming();
            source = fromStart();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_FeedSink)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace zelvane
