// How long importing a long DWI chart takes. The chart is written here by the program's own
// writer: a SINGLE score of eighths with a run of sixteenths every fourth measure and a
// freeze every eighth, repeated for the requested number of measures, at 300 BPM.
#include "chart/StepDocument.h"
#include "dwi/DwiImport.h"
#include "dwi/DwiWriter.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace {

using namespace zelvane;

std::filesystem::path WriteChart(std::int32_t measures)
{
    CStepDocument document;
    document.NewDocument();
    document.SetDescription(
        {"benchmark", document.description().artist, document.description().gap});
    // Fast enough that even the longest chart here lasts less than the two-hour chart limit.
    document.SetBpm(300.0f);
    CScore& score = *document.scores().front();
    for (std::int32_t m = 0; m < measures; ++m) {
        const std::int32_t start = m * 192;
        const std::int32_t step = (m % 4 == 3) ? 12 : 24;
        for (std::int32_t clock = 0; clock < 192; clock += step) {
            const std::int32_t panel = (clock / step + m) % 4;
            const std::int32_t length = (m % 8 == 7 && clock == 0) ? 96 : 0;
            // Made in clock order, so appending keeps the score sorted.
            if (length > 0 || (m % 8 != 7 || clock >= 96 + step))
                score.AppendNote(std::make_unique<CNote>(CNote{start + clock, panel, length}));
        }
    }
    score.UpdateLength(0);
    const auto path = std::filesystem::temp_directory_path()
        / ("zelvane-bench-" + std::to_string(getpid()) + "-" + std::to_string(measures) + ".dwi");
    WriteDwi(document, path);
    return path;
}

void ImportLongChart(benchmark::State& state)
{
    const auto measures = static_cast<std::int32_t>(state.range(0));
    const std::filesystem::path path = WriteChart(measures);
    std::size_t notes = 0;
    for (auto _ : state) {
        CStepDocument document;
        const DwiImportResult result = ImportDwi(document, path);
        notes = document.scores().front()->notes().size();
        benchmark::DoNotOptimize(result);
    }
    std::filesystem::remove(path);
    state.counters["notes"] = static_cast<double>(notes);
    // Items are measures: items_per_second is measures imported per second.
    state.SetItemsProcessed(state.iterations() * measures);
}

// 7 000 measures are 63 000 notes, near the most a chart may hold.
BENCHMARK(ImportLongChart)->Arg(1000)->Arg(4000)->Arg(7000)->Unit(benchmark::kMillisecond);

} // namespace
