#pragma once

#include "beat/AnalysisProgress.h"

#include <optional>
#include <span>

namespace zelvane {

// A song's tempo and where its beats fall, as a chart needs them.
struct TempoEstimate {
    double bpm = 0.0;
    // The first beat at or after the song's start, in milliseconds: what a DWI chart calls
    // its gap.
    double firstBeatMs = 0.0;
    // How surely these are the song's beats, 0 (a guess) to 1 (every beat on a clear attack).
    double confidence = 0.0;
};

// The tempos a beat is looked for between: a faster pulse is taken as the eighth notes, a
// slower one as half notes.
constexpr double kMinDetectedBpm = 70.0;
constexpr double kMaxDetectedBpm = 200.0;

// Finds the tempo and the beat of mono samples (-1 to 1) at `sampleRate` Hz (at least 4000,
// else std::invalid_argument).
// Nothing when the song holds too few clear attacks for a beat (silence, a few seconds of
// sound). Reports its progress from 0 to 1; AnalysisCancelled when told to stop.
std::optional<TempoEstimate> DetectTempo(std::span<const float> samples, int sampleRate,
                                         const AnalysisProgress& progress = {});

} // namespace zelvane
