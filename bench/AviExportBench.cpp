// The background video end to end: painting each frame of the three-minute DOUBLE chart,
// encoding it and writing it to an AVI file in a temporary folder, 150 frames (five seconds
// from the middle of the song) per video, each video opened and closed (flushed to disk) as
// the export does. Goals: uncompressed at least 600 frames a second and half of what the
// ffmpeg program reaches copying raw frames into an AVI file (AviWriterBench measures that
// in the same way); Ut Video at least 400.

#include "LongChartDocument.h"
#include "avi/BackgroundVideoExport.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

using namespace zelvane;
using namespace zelvane::bench;

namespace {

constexpr std::int32_t kFirstFrame = 2000;
constexpr std::int32_t kFramesPerVideo = 150;

void BM_BackgroundVideo(benchmark::State& state, const char* codec)
{
    std::string pattern
        = (std::filesystem::temp_directory_path() / "zelvane-bench-XXXXXX").string();
    const std::filesystem::path folder = mkdtemp(pattern.data());
    const LongChartDocument chartDocument;
    const VideoFrameRange range{kFirstFrame, kFirstFrame + kFramesPerVideo};
    AviWriterOptions options;
    options.codec = codec;
    for (auto _ : state) {
        const std::int64_t written = WriteBackgroundVideo(*chartDocument.score(), range,
                                                          folder / "video.avi", options, nullptr);
        benchmark::DoNotOptimize(written);
    }
    state.SetItemsProcessed(state.iterations() * kFramesPerVideo);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
BENCHMARK_CAPTURE(BM_BackgroundVideo, rawvideo, "rawvideo")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_BackgroundVideo, utvideo, "utvideo")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
