#pragma once

#include "beat/TempoDetector.h"

#include <filesystem>
#include <optional>

namespace zelvane {

// Decodes the song at `path` (any file FFmpeg reads) to mono and finds its tempo and first
// beat. Throws the audio decoder's errors for a file that holds no audio; nothing when the
// song has no beat to find. Reports its progress from 0 to 1, and stops with
// AnalysisCancelled when told to.
std::optional<TempoEstimate> DetectSongTempo(const std::filesystem::path& path,
                                             const AnalysisProgress& progress = {});

} // namespace zelvane
