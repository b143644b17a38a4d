// The score view: a full repaint of a 1920 x 1080 view of the three-minute DOUBLE chart,
// scrolled through the whole song (goal: at most 4 ms), the same with 1 000 tempo changes,
// stops and delays marked beside the lanes (goal: at most 4 ms), both again with the song's
// waveform drawn beside the lanes (goal: at most 4 ms), and one step of dragging
// 200 selected notes, the mouse move with the repaint it causes (goal: at most 2 ms).

#include "LongDoubleChart.h"
#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "chart/ViewState.h"
#include "score/ScoreView.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

using namespace zelvane;
using namespace zelvane::bench;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// Widgets need an application; painting needs no screen.
void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "ScoreViewBench";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(argc, argv); // lives as long as the program
}

// The long chart as the current score of a document, shown by a view whose viewport is
// 1920 x 1080. The dance that starts with the score is stopped: only the view is measured.
// With `tempoEvents`, the song's tempo map holds that many events spread evenly over the
// chart, tempo changes, stops and delays in turn, every one of them marked in the view.
class LongChartView {
public:
    explicit LongChartView(std::int32_t tempoEvents = 0)
    {
        EnsureApplication();
        m_document.NewDocument();
        m_document.SetBpm(kLongChartBpm);
        if (tempoEvents > 0)
            m_document.SetTempoMap(SpreadTempoEvents(tempoEvents));
        CScore* score = m_document.scores().FindOrCreate(Style::DOUBLE, "MANIAC");
        for (const CNote& note : LongDoubleChartNotes())
            score->AppendNote(std::make_unique<CNote>(note));
        score->UpdateLength(0);
        score->StopPlayers();
        m_document.scores().SetCurrent(score);
        m_view = std::make_unique<CScoreView>(&m_document, &m_viewState, nullptr);
        m_view->resize(kWidth + m_view->verticalScrollBar()->sizeHint().width(), kHeight);
        m_view->show();
        m_document.UpdateAllViews(nullptr, UpdateHint::CurrentScore, score);
    }
    CStepDocument& document() { return m_document; }
    CScore& score() { return *m_document.scores().current(); }
    CScoreView& view() { return *m_view; }

private:
    static CTempoMap SpreadTempoEvents(std::int32_t count)
    {
        CTempoMap tempo(kLongChartBpm);
        std::vector<CTempoEvent> events;
        for (std::int32_t i = 1; i <= count; ++i) {
            const std::int32_t clock = static_cast<std::int32_t>(
                static_cast<std::int64_t>(kLongChartLength) * i / (count + 1));
            switch (i % 3) {
            case 0:
                events.push_back(CTempoChange{clock, kLongChartBpm + static_cast<float>(i % 7)});
                break;
            case 1:
                events.push_back(CStop{clock, 20.0});
                break;
            default:
                events.push_back(CDelay{clock, 10.0});
                break;
            }
        }
        if (!tempo.Add(events).empty())
            std::abort();
        return tempo;
    }

    CStepDocument m_document;
    CViewState m_viewState;
    std::unique_ptr<CScoreView> m_view;
};

// Paints the view again and again, eleven rows further each time, so that every kind of
// screen of the song is painted; the image's size goes into the counters.
void PaintEveryScreen(benchmark::State& state, CScoreView& view)
{
    QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    const int lastRow = view.maxFirstRow() + view.pageRows();
    int row = 0;
    for (auto _ : state) {
        row = row + 11 > lastRow ? 0 : row + 11;
        view.SetFirstRow(row);
        QPainter painter(&image);
        view.Paint(painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["width"] = image.width();
    state.counters["height"] = image.height();
}

void BM_ScoreViewRepaint(benchmark::State& state)
{
    LongChartView chart(static_cast<std::int32_t>(state.range(0)));
    CScoreView& view = chart.view();
    PaintEveryScreen(state, view);
    state.counters["tempoEvents"] = static_cast<double>(state.range(0));
    state.counters["markersShown"] = static_cast<double>(view.VisibleTempoMarkers().size());
    state.SetItemsProcessed(state.iterations());
}
// Without tempo events, and with 1 000 markers.
BENCHMARK(BM_ScoreViewRepaint)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);

// A stereo 44.1 kHz song as long as the chart, loud and quiet by turns every few seconds,
// as its envelope: what the decode hands the view.
std::shared_ptr<const AmplitudePyramid> SongEnvelope()
{
    const double seconds = kLongChartLength / 48.0 * 60.0 / kLongChartBpm;
    PcmAudio pcm;
    pcm.sampleRate = 44100;
    pcm.channels = 2;
    const auto frames = static_cast<std::size_t>(seconds * pcm.sampleRate);
    pcm.samples.resize(frames * 2);
    std::uint32_t state = 1;
    for (std::size_t i = 0; i < frames; ++i) {
        state = state * 1664525u + 1013904223u;
        const int loudness = (i / 100000) % 2 == 0 ? 16 : 2;
        const int value = (static_cast<int>(state >> 20) - 2048) * loudness;
        pcm.samples[2 * i] = static_cast<std::int16_t>(value);
        pcm.samples[2 * i + 1] = static_cast<std::int16_t>(-value / 2);
    }
    return std::make_shared<const AmplitudePyramid>(pcm);
}

// The same repaint with the song's waveform beside the lanes (goal: at most 4 ms).
void BM_ScoreViewRepaintWithWaveform(benchmark::State& state)
{
    LongChartView chart(static_cast<std::int32_t>(state.range(0)));
    CScoreView& view = chart.view();
    view.SetSongEnvelope(SongEnvelope());
    view.SetWaveformShown(true);
    PaintEveryScreen(state, view);
    state.counters["stripHeight"] = view.WaveformRect().height();
    state.counters["tempoEvents"] = static_cast<double>(state.range(0));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScoreViewRepaintWithWaveform)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);

void MouseEvent(QWidget* target, QEvent::Type type, const QPoint& point)
{
    QMouseEvent event(type, QPointF(point), QPointF(target->mapToGlobal(point)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void BM_ScoreViewDragStep(benchmark::State& state)
{
    LongChartView chart;
    CScoreView& view = chart.view();
    std::vector<CNote*> selected;
    for (std::size_t i = 0; i < 200; ++i)
        selected.push_back(chart.score().notes()[i].get());
    view.SetSelectedNotes(selected);
    const CNote& first = *selected.front();
    const QRect cell = view.GetNoteRect(first.clock, first.panel, 0);
    const QPoint press = cell.center();
    QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    MouseEvent(view.viewport(), QEvent::MouseButtonPress, press);
    int step = 0;
    for (auto _ : state) {
        // Back and forth between two rows below, so that every step moves the notes.
        step = 1 - step;
        const QPoint to = press + QPoint(0, (1 + step) * view.rowHeight());
        MouseEvent(view.viewport(), QEvent::MouseMove, to);
        QPainter painter(&image);
        view.Paint(painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["moving"] = static_cast<double>(view.movingNotes().size());
    // Released where it was pressed: nothing moves and nothing enters the history.
    MouseEvent(view.viewport(), QEvent::MouseMove, press);
    MouseEvent(view.viewport(), QEvent::MouseButtonRelease, press);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScoreViewDragStep)->Unit(benchmark::kMicrosecond);

} // namespace
