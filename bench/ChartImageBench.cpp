// Painting the chart screen: one frame of the three-minute DOUBLE chart, stepping through the
// whole song (and its lead-in and end) so that every kind of frame is measured. The goal is
// at most 0.5 ms per frame, both for the 3D view's image and for a video frame.

#include "LongChartDocument.h"
#include "render/ChartImage.h"

#include <QImage>

#include <benchmark/benchmark.h>

using namespace zelvane;
using namespace zelvane::bench;

namespace {

// Frames from two seconds before the song to two seconds after it, seven at a time so that
// the taps and freezes stand at ever different heights.
class FrameWalk {
public:
    std::int32_t Next()
    {
        const std::int32_t frame = m_frame;
        m_frame = m_frame + 7 > m_last ? m_first : m_frame + 7;
        return frame;
    }

private:
    std::int32_t m_first = -60;
    std::int32_t m_last = ClockToFrame(kLongChartLength, kLongChartBpm) + 60;
    std::int32_t m_frame = m_first;
};

void BM_ChartImageRender(benchmark::State& state)
{
    const LongChartDocument chartDocument;
    CChartImage chart;
    chart.SetChartLayout(chartDocument.score());
    chart.SetClocksPerRow(static_cast<std::int32_t>(state.range(0)));
    FrameWalk frames;
    for (auto _ : state)
        benchmark::DoNotOptimize(chart.Render(frames.Next()).constBits());
    state.SetItemsProcessed(state.iterations());
}
// 48 clocks per row shows the most notes at once; 12 is a closer zoom.
BENCHMARK(BM_ChartImageRender)->Arg(48)->Arg(12)->Unit(benchmark::kMicrosecond);

// A background video frame: an opaque RGB32 image the caller keeps.
void BM_ChartImageRenderVideoFrame(benchmark::State& state)
{
    const LongChartDocument chartDocument;
    CChartImage chart;
    chart.SetChartLayout(chartDocument.score());
    QImage target(CChartImage::kWidth, CChartImage::kHeight, QImage::Format_RGB32);
    FrameWalk frames;
    for (auto _ : state) {
        chart.RenderInto(frames.Next(), target);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ChartImageRenderVideoFrame)->Unit(benchmark::kMicrosecond);

} // namespace
