#pragma once

#include "beat/AnalysisProgress.h"

#include <cstddef>
#include <span>
#include <vector>

namespace zelvane {

// How sharply the sound grows louder, frame by frame at a fixed rate: the spectral flux of the
// song (the rise of each frequency's log magnitude, summed), with its local average removed so
// that a steady noise floor or a long crescendo counts for nothing and only attacks stand out.
struct OnsetEnvelope {
    double framesPerSecond = 0.0;
    // The song's time of frame 0, in seconds: frame n lies at frameZeroSeconds + n /
    // framesPerSecond, where the attacks that raise it begin.
    double frameZeroSeconds = 0.0;
    std::vector<float> full; // every frequency: drums, hats, chords
    std::vector<float> low;  // only the lowest frequencies: the bass drum and the bass

    std::size_t size() const { return full.size(); }
    double FrameToSeconds(double frame) const { return frameZeroSeconds + frame / framesPerSecond; }
    double SecondsToFrame(double seconds) const
    {
        return (seconds - frameZeroSeconds) * framesPerSecond;
    }
};

// The envelope of mono samples (-1 to 1) at `sampleRate` Hz (at least 4000). Reports its
// progress from 0 to 1.
OnsetEnvelope ComputeOnsetEnvelope(std::span<const float> samples, int sampleRate,
                                   const AnalysisProgress& progress = {});

} // namespace zelvane
