#pragma once

#include "chart/BackgroundVideo.h"
#include "media/AviCodecs.h"

#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>

class QWidget;

namespace zelvane {

class CScore;
class CWaitDialog;

struct BackgroundVideoOutcome {
    std::int64_t framesWritten = 0;
    bool cancelled = false;
    // Set when the video could not be written; the target file is then as it was.
    std::exception_ptr failure;
};

// Writes the background video on a worker thread while a wait dialog shows how far it has
// come and offers to stop. `owner` (the main window) is disabled meanwhile but keeps
// painting, since the user-interface thread goes on handling events until the worker ends.
// `shown` is called once the dialog is up. The chart scrolls `clocksPerRow` clocks a row, as
// the views show it.
BackgroundVideoOutcome RunBackgroundVideo(QWidget* owner, const CScore& score,
                                          std::int32_t clocksPerRow, VideoFrameRange range,
                                          const std::filesystem::path& path,
                                          const AviWriterOptions& options,
                                          const std::function<void(CWaitDialog&)>& shown);

} // namespace zelvane
