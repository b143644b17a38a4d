#include "app/BackgroundVideoRun.h"

#include "app/WaitDialog.h"
#include "avi/BackgroundVideoExport.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QWidget>

#include <atomic>
#include <thread>

namespace zelvane {

BackgroundVideoOutcome RunBackgroundVideo(QWidget* owner, const CScore& score,
                                          std::int32_t clocksPerRow, VideoFrameRange range,
                                          const std::filesystem::path& path,
                                          const AviWriterOptions& options,
                                          const std::function<void(CWaitDialog&)>& shown)
{
    CWaitDialog dialog(owner);
    std::atomic<bool> stop = false;
    QObject::connect(&dialog, &CWaitDialog::cancelRequested, &dialog, [&stop] { stop = true; });
    dialog.SetProgress(0, range.count());
    dialog.show();
    if (owner)
        owner->setEnabled(false);
    if (shown)
        shown(dialog);

    // The worker reports every frame; the dialog shows the newest count, with at most one
    // update waiting in the event queue so a fast encoder cannot flood it.
    std::atomic<std::int64_t> latest = 0;
    std::atomic<bool> updateQueued = false;
    const auto progress = [&](std::int64_t written, std::int64_t total) {
        latest = written;
        if (!updateQueued.exchange(true)) {
            QMetaObject::invokeMethod(
                &dialog,
                [&dialog, &latest, &updateQueued, total] {
                    updateQueued = false;
                    dialog.SetProgress(latest, total);
                },
                Qt::QueuedConnection);
        }
        return !stop.load();
    };

    BackgroundVideoOutcome outcome;
    QEventLoop loop;
    std::thread worker([&] {
        try {
            outcome.framesWritten
                = WriteBackgroundVideo(score, range, path, options, progress, clocksPerRow);
        } catch (...) {
            outcome.failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    if (owner)
        owner->setEnabled(true);
    outcome.cancelled = stop.load();
    return outcome;
}

} // namespace zelvane
