// Finding the tempo and the first beat of a three-minute song: the analysis of its samples
// alone (as decoded for it: mono, 22 050 Hz), and the whole job from a 44.1 kHz stereo WAV
// file, decode and resampling included.

#include "DrumLoop.h"
#include "beat/SongTempo.h"
#include "beat/TempoDetector.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

using namespace zelvane;

namespace {

test::DrumLoop ThreeMinuteSong(int sampleRate)
{
    test::DrumLoop loop;
    loop.bpm = 128.0;
    loop.firstBeatSeconds = 0.7;
    loop.seconds = 180.0;
    loop.swing = 1.0 / 6.0;
    loop.sampleRate = sampleRate;
    return loop;
}

void DetectOnSamples(benchmark::State& state)
{
    const std::vector<float> samples = ThreeMinuteSong(22050).Render();
    for (auto _ : state) {
        const auto estimate = DetectTempo(samples, 22050);
        if (!estimate)
            std::abort();
        benchmark::DoNotOptimize(estimate->bpm);
    }
}
BENCHMARK(DetectOnSamples)->Unit(benchmark::kMillisecond);

void DetectFromWavFile(benchmark::State& state)
{
    const auto path = std::filesystem::temp_directory_path()
        / ("zelvane-tempo-bench-" + std::to_string(::getpid()) + ".wav");
    ThreeMinuteSong(44100).WriteWav(path);
    for (auto _ : state) {
        const auto estimate = DetectSongTempo(path);
        if (!estimate)
            std::abort();
        benchmark::DoNotOptimize(estimate->bpm);
    }
    std::filesystem::remove(path);
}
BENCHMARK(DetectFromWavFile)->Unit(benchmark::kMillisecond);

} // namespace
