// How long the dance of a long DOUBLE chart takes to generate: in full, and again from an
// edit in its last measure, the case an editor meets after every click near the end.
// Times are given per note and as a fraction of the chart's playing time.
#include "LongDoubleChart.h"
#include "motion/MotionGenerator.h"

#include <benchmark/benchmark.h>
#include <limits>

namespace {

using namespace zelvane;

void ReportRatios(benchmark::State& state, std::size_t notes)
{
    using benchmark::Counter;
    const auto perIteration = Counter::kIsIterationInvariantRate | Counter::kInvert;
    // CPU seconds per note, and per second of music.
    state.counters["per_note"] = Counter(static_cast<double>(notes), perIteration);
    state.counters["of_duration"] = Counter(bench::kLongChartSeconds, perIteration);
    state.counters["notes"] = static_cast<double>(notes);
}

void BM_GenerateLongDoubleChart(benchmark::State& state)
{
    const MotionInput input = bench::LongDoubleChart();
    std::size_t keys = 0;
    for (auto _ : state) {
        CMotionGenerator generator;
        generator.Generate(input, 0);
        keys = generator.boneSequences().KeyCount();
        benchmark::DoNotOptimize(keys);
    }
    ReportRatios(state, input.notes.size());
    state.counters["keys"] = static_cast<double>(keys);
}
BENCHMARK(BM_GenerateLongDoubleChart)->Unit(benchmark::kMicrosecond);

// The same chart on a song of a hundred tempo changes and twenty stops, to set against the
// song of one tempo above.
void BM_GenerateLongDoubleChartWithTempoMap(benchmark::State& state)
{
    const MotionInput input = bench::LongDoubleChartWithTempoMap();
    std::size_t keys = 0;
    for (auto _ : state) {
        CMotionGenerator generator;
        generator.Generate(input, 0);
        keys = generator.boneSequences().KeyCount();
        benchmark::DoNotOptimize(keys);
    }
    ReportRatios(state, input.notes.size());
    state.counters["keys"] = static_cast<double>(keys);
}
BENCHMARK(BM_GenerateLongDoubleChartWithTempoMap)->Unit(benchmark::kMicrosecond);

// The same, rebuilt from scratch by a generator that has danced before, as after a change
// of tempo, dancer or options: a start before everything kept rebuilds everything.
void BM_RebuildLongDoubleChart(benchmark::State& state)
{
    const MotionInput input = bench::LongDoubleChart();
    CMotionGenerator generator;
    generator.Generate(input, 0);
    for (auto _ : state) {
        generator.Generate(input, std::numeric_limits<std::int32_t>::min());
        benchmark::DoNotOptimize(generator.stepFrames().size());
    }
    ReportRatios(state, input.notes.size());
}
BENCHMARK(BM_RebuildLongDoubleChart)->Unit(benchmark::kMicrosecond);

// The edit and its undo alternate, so every timed run restarts from the edited clock on a
// dance that was complete before it, as in the editor.
void BM_RegenerateAfterEditInLastMeasure(benchmark::State& state)
{
    const MotionInput original = bench::LongDoubleChart();
    MotionInput edited = original;
    const std::int32_t editClock = bench::EditLastMeasure(edited);
    CMotionGenerator generator;
    generator.Generate(original, 0);
    bool showEdited = true;
    for (auto _ : state) {
        generator.Generate(showEdited ? edited : original, editClock);
        showEdited = !showEdited;
        benchmark::DoNotOptimize(generator.stepFrames().size());
    }
    ReportRatios(state, original.notes.size());
}
BENCHMARK(BM_RegenerateAfterEditInLastMeasure)->Unit(benchmark::kMicrosecond);

// The full dance with the feet assigned over the whole chart, to set against
// BM_GenerateLongDoubleChart; and its regeneration after an edit in the last measure.
void BM_GenerateLongDoubleChartOptimalFeet(benchmark::State& state)
{
    MotionInput input = bench::LongDoubleChart();
    input.parameters.feet = FootAssignment::OPTIMAL;
    std::size_t keys = 0;
    for (auto _ : state) {
        CMotionGenerator generator;
        generator.Generate(input, 0);
        keys = generator.boneSequences().KeyCount();
        benchmark::DoNotOptimize(keys);
    }
    ReportRatios(state, input.notes.size());
    state.counters["keys"] = static_cast<double>(keys);
}
BENCHMARK(BM_GenerateLongDoubleChartOptimalFeet)->Unit(benchmark::kMicrosecond);

void BM_RegenerateAfterEditInLastMeasureOptimalFeet(benchmark::State& state)
{
    MotionInput original = bench::LongDoubleChart();
    original.parameters.feet = FootAssignment::OPTIMAL;
    MotionInput edited = original;
    const std::int32_t editClock = bench::EditLastMeasure(edited);
    CMotionGenerator generator;
    generator.Generate(original, 0);
    bool showEdited = true;
    for (auto _ : state) {
        generator.Generate(showEdited ? edited : original, editClock);
        showEdited = !showEdited;
        benchmark::DoNotOptimize(generator.stepFrames().size());
    }
    ReportRatios(state, original.notes.size());
}
BENCHMARK(BM_RegenerateAfterEditInLastMeasureOptimalFeet)->Unit(benchmark::kMicrosecond);

} // namespace
