// A frame of the 3D view at 1280 x 720 with two dancers (the shared model, a COUPLE chart):
// posing both from their dance, painting the chart screen, uploading the skinned meshes and
// drawing the scene into an offscreen framebuffer, with the split of a frame reported as
// counters (milliseconds per frame), without multisampling and with the window's 4 samples
// per pixel. Processor time is given for the whole process (the software renderer's
// rasterising threads with it) and for the thread that draws (which also transforms and
// sorts the triangles into tiles; its time adds to a frame whole, the rasterisers' split
// between the cores). Needs an OpenGL 3.3 display; under Xvfb Mesa's software renderer draws:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/ModelViewBench
#include "chart/Player.h"
#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "chart/ViewState.h"
#include "dwi/DwiImport.h"
#include "render_gl/GLModelInstance.h"
#include "render_gl/GLSupport.h"
#include "render_gl/ModelView.h"
#include "render_gl/ModelWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>

#include <chrono>
#include <ctime>
#include <filesystem>

namespace {

using namespace zelvane;
using Clock = std::chrono::steady_clock;

const std::filesystem::path kSharedData(ZELVANE_SHARED_TESTDATA);
const std::filesystem::path kModelPath = kSharedData / "models/mei/mei.pmd";
const std::filesystem::path kChartPath = kSharedData / "dwi/DYNAMITE_RAVE.dwi";
constexpr int kWidth = 1280;
constexpr int kHeight = 720;

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

// Processor time of the whole process, the software renderer's threads included: on a
// machine shared with other work the wall-clock time says more about the others.
double ProcessCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Processor time of the calling thread alone.
double ThreadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

void BM_ModelViewFrame(benchmark::State& state)
{
    const QString reason = CGLSupport::Unavailable();
    if (!reason.isEmpty()) {
        state.SkipWithError(("no OpenGL 3.3 context: " + reason.toStdString()).c_str());
        return;
    }
    if (!std::filesystem::exists(kModelPath) || !std::filesystem::exists(kChartPath)) {
        state.SkipWithError("the shared test model or chart is missing");
        return;
    }
    CStepDocument document;
    document.NewDocument();
    ImportDwi(document, kChartPath);
    CScore* couple = nullptr;
    for (const auto& score : document.scores())
        if (score->style() == Style::COUPLE && !couple)
            couple = score.get();
    if (!couple) {
        state.SkipWithError("the chart has no COUPLE score");
        return;
    }
    document.scores().SetCurrent(couple);
    document.SetModel(kModelPath.string());
    document.scores().WaitAll();

    CViewState viewState;
    CModelView view(&document, &viewState);
    view.resize(kWidth, kHeight);
    view.show();
    CModelWindow& window = *view.window();
    while (!window.ready() && view.unavailableReason().isEmpty())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    view.InitialUpdate();
    QApplication::processEvents();
    if (!window.ready() || view.instances().size() != 2) {
        state.SkipWithError("the 3D view did not start with two dancers");
        return;
    }

    window.makeCurrent();
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::Depth);
    // The argument: samples per pixel (the window asks for 4; 0 draws without).
    format.setSamples(static_cast<int>(state.range(0)));
    QOpenGLFramebufferObject target(kWidth, kHeight, format);
    QOpenGLFunctions* gl = QOpenGLContext::currentContext()->functions();
    // The driver compiles its shader variants on first use: not part of a frame.
    for (int warmUp = 0; warmUp < 3; ++warmUp) {
        target.bind();
        window.PaintScene(kWidth, kHeight);
        gl->glFinish();
    }

    Clock::duration posing{}, chart{}, upload{}, draw{};
    std::int32_t frame = 0;
    // The second argument 0 hides the dancers (still posed and uploaded), which leaves the
    // cost of the grid, pads and screen alone; the third 0 leaves out their outlines, which
    // gives the outline pass's share of a frame, and 2 draws the outline before the
    // materials, as on graphics hardware (1 draws it where the window does).
    for (CGLModelInstance* instance : view.instances()) {
        instance->instance().visible = state.range(1) != 0;
        instance->instance().outlines = state.range(2) != 0;
        if (state.range(2) == 2)
            instance->outlineOrder = CGLModelInstance::OutlineOrder::First;
    }
    const std::int32_t lastFrame = document.tempoMap().ClockToFrame(couple->length());
    const double cpuStart = ProcessCpuMilliseconds();
    const double threadStart = ThreadCpuMilliseconds();
    for (auto _ : state) {
        const auto start = Clock::now();
        for (std::size_t i = 0; i < view.instances().size(); ++i) {
            CPlayer& player = *couple->players()[i];
            CModelInstance& instance = view.instances()[i]->instance();
            instance.SampleBones([&](int nameID) { return player.GetBonePose(nameID, frame); });
            instance.Update();
            view.instances()[i]->MarkPosed();
        }
        const auto posed = Clock::now();
        window.RenderChart(frame);
        const auto painted = Clock::now();
        window.PrepareInstances();
        gl->glFinish();
        const auto uploaded = Clock::now();
        target.bind();
        window.PaintScene(kWidth, kHeight);
        gl->glFinish();
        const auto drawn = Clock::now();
        posing += posed - start;
        chart += painted - posed;
        upload += uploaded - painted;
        draw += drawn - uploaded;
        frame = frame >= lastFrame ? 0 : frame + 1;
    }
    const double cpu = ProcessCpuMilliseconds() - cpuStart;
    const double thread = ThreadCpuMilliseconds() - threadStart;
    target.release();
    window.doneCurrent();

    const double frames = static_cast<double>(state.iterations());
    state.counters["pose_ms"] = Milliseconds(posing) / frames;
    state.counters["chart_ms"] = Milliseconds(chart) / frames;
    state.counters["upload_ms"] = Milliseconds(upload) / frames;
    state.counters["draw_ms"] = Milliseconds(draw) / frames;
    state.counters["process_cpu_ms"] = cpu / frames;
    state.counters["main_cpu_ms"] = thread / frames;
    state.counters["fps"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ModelViewFrame)
    ->ArgNames({"samples", "dancers", "outlines"})
    ->Args({0, 1, 1})
    ->Args({0, 1, 2})
    ->Args({0, 1, 0})
    ->Args({4, 1, 1})
    ->Args({0, 0, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
