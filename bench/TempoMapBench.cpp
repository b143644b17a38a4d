// The cost of converting through a tempo map: a song of changes and stops against the song's
// tempo alone, which converts with the plain time functions.

#include "base/TempoMap.h"
#include "base/TimeUnits.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

using namespace zelvane;

namespace {

constexpr std::int32_t kMeasures = 110;
constexpr std::int32_t kClocks = kMeasures * kClocksPerMeasure;

// A tempo change on every measure for the first hundred and a quarter-second stop on every
// fifth, the shape of a song that speeds up and halts now and then.
CTempoMap ChangingMap(int changes, int stops)
{
    CTempoMap map(150.3f);
    std::vector<CTempoEvent> events;
    for (int i = 1; i <= changes; ++i)
        events.push_back(
            CTempoChange{i * kClocksPerMeasure, 120.0f + static_cast<float>(i % 13) * 7.5f});
    for (int i = 0; i < stops; ++i)
        events.push_back(CStop{i * 5 * kClocksPerMeasure + 96, 250.0});
    if (!map.Add(events).empty())
        std::abort();
    return map;
}

// Every clock of the song in turn, as the dance is made.
void ClockToFrameOverTheSong(benchmark::State& state, const CTempoMap& map)
{
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (std::int32_t clock = 0; clock < kClocks; ++clock)
            sum += map.ClockToFrame(clock);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kClocks);
}

void FrameToClockOverTheSong(benchmark::State& state, const CTempoMap& map)
{
    const std::int32_t frames = map.ClockToFrame(kClocks);
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (std::int32_t frame = 0; frame < frames; ++frame)
            sum += map.FrameToClock(frame);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * frames);
}

void BM_ClockToFrameOneTempo(benchmark::State& state)
{
    ClockToFrameOverTheSong(state, CTempoMap(150.3f));
}
BENCHMARK(BM_ClockToFrameOneTempo)->Unit(benchmark::kMicrosecond);

void BM_ClockToFrame100Changes20Stops(benchmark::State& state)
{
    ClockToFrameOverTheSong(state, ChangingMap(100, 20));
}
BENCHMARK(BM_ClockToFrame100Changes20Stops)->Unit(benchmark::kMicrosecond);

// As many events as a map may hold: the lookup grows with the logarithm of their number.
void BM_ClockToFrameFullMap(benchmark::State& state)
{
    ClockToFrameOverTheSong(state, ChangingMap(60000, 5534));
}
BENCHMARK(BM_ClockToFrameFullMap)->Unit(benchmark::kMicrosecond);

void BM_FrameToClockOneTempo(benchmark::State& state)
{
    FrameToClockOverTheSong(state, CTempoMap(150.3f));
}
BENCHMARK(BM_FrameToClockOneTempo)->Unit(benchmark::kMicrosecond);

void BM_FrameToClock100Changes20Stops(benchmark::State& state)
{
    FrameToClockOverTheSong(state, ChangingMap(100, 20));
}
BENCHMARK(BM_FrameToClock100Changes20Stops)->Unit(benchmark::kMicrosecond);

} // namespace
