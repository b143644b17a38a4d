// How soon the window answers with a ten-minute song to decode: from the window showing to
// the play menu open, the document opened in between as the program does with a file on its
// command line (goal: under 500 ms); and, as a counter, until the song can be played. Run
// it on a display (Xvfb will do): QT_QPA_PLATFORM=xcb xvfb-run -a build/bench/PlayMenuBench
// The song is a stereo MP3 made by the `ffmpeg` program at the first run; the program's
// settings go to Qt's test folders.
#include "app/MainFrame.h"
#include "chart/ZlvmFile.h"
#include "qtcommon/CommandIds.h"
#include "text/FileIo.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QStandardPaths>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

using namespace zelvane;

namespace {

constexpr int kSongSeconds = 600;
constexpr int kPlayMenu = 3;

// A document whose song is the long MP3, or an empty path when the song cannot be made.
std::filesystem::path LongSongDocument()
{
    const auto folder = std::filesystem::temp_directory_path();
    const auto song = folder / "zelvane-song-bench-600s.mp3";
    std::error_code error;
    if (!(std::filesystem::file_size(song, error) > 0 && !error)) {
        const std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "
                                    "\"sine=frequency=440:sample_rate=44100:duration="
            + std::to_string(kSongSeconds) + "\" -ac 2 -c:a libmp3lame -b:a 192k '" + song.string()
            + "'";
        if (std::system(command.c_str()) != 0)
            return {};
    }
    ZlvmDocumentData data;
    data.bpm = 150.0f;
    data.audioPath = song.string();
    data.scores.push_back({Style::SINGLE, "BASIC", {CNote{0, 1, 0}, CNote{96, 2, 0}}});
    const auto document = folder / "zelvane-song-bench-600s.zlvm";
    WriteFileAtomically(document, WriteZlvm(data));
    return document;
}

template<class Condition> void ProcessUntil(const Condition& done)
{
    while (!done())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

void BM_PlayMenuAfterShowing(benchmark::State& state)
{
    const auto document = LongSongDocument();
    if (document.empty()) {
        state.SkipWithError("the ffmpeg program could not make the MP3 (is it installed?)");
        return;
    }
    double playableMs = 0;
    for (auto _ : state) {
        auto frame = std::make_unique<CMainFrame>();
        frame->ShowWithSavedPlacement();
        ProcessUntil([&] { return frame->windowHandle() && frame->windowHandle()->isExposed(); });
        QElapsedTimer shown;
        shown.start();
        frame->OpenFile(QString::fromStdString(document.string()));
        QMenu* menu = frame->menu(kPlayMenu);
        menu->popup(frame->mapToGlobal(QPoint(40, 0)));
        ProcessUntil([&] { return menu->isVisible(); });
        state.SetIterationTime(static_cast<double>(shown.nsecsElapsed()) / 1e9);
        menu->close();
        ProcessUntil([&] { return frame->action(ID_PLAY_FROM_START)->isEnabled(); });
        playableMs += static_cast<double>(shown.elapsed());
        frame->document().SetModifiedFlag(false);
        frame.reset();
    }
    state.counters["playable_ms"] = playableMs / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PlayMenuAfterShowing)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
