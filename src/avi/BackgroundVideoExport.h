#pragma once

#include "chart/BackgroundVideo.h"
#include "media/AviCodecs.h"
#include "render/ChartImage.h"

#include <cstdint>
#include <filesystem>
#include <functional>

namespace zelvane {

class CScore;

// Told before each frame how many of the total are written; returning false stops the
// export there (the file then holds and plays the frames written so far).
using VideoProgress = std::function<bool(std::int64_t written, std::int64_t total)>;

// Paints the frames `range` of the score's chart screen (its document's tempo and screen
// colour, `clocksPerRow` clocks a row as the views were zoomed) and writes them to an AVI file at
// `path`. Returns the number of frames written. Throws what the AVI writer throws (AviCreateError
// when the file cannot be made); on a failure an existing file at `path` is left as it was. The
// score must not change meanwhile: the caller keeps the user from editing while a worker thread
// runs this.
std::int64_t WriteBackgroundVideo(const CScore& score, VideoFrameRange range,
                                  const std::filesystem::path& path,
                                  const AviWriterOptions& options, const VideoProgress& progress,
                                  std::int32_t clocksPerRow = CChartImage::kDefaultClocksPerRow);

} // namespace zelvane
