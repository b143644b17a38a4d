#pragma once

#include "beat/OnsetEnvelope.h"

#include <vector>

namespace zelvane {

// Beats at firstFrame + n * period envelope frames, n counting from the song's first attack.
struct BeatGrid {
    double firstFrame = 0.0;
    double period = 0.0;
};

// One attack: a local maximum of the envelope, placed between frames by the parabola through
// it and its neighbours.
struct OnsetPeak {
    double frame = 0.0;
    float strength = 0.0f;
};

// Fits a grid of beats to the attacks of a whole song, given a period about right (within a
// frame or so). Starting from the song's first strong attack, the phase that best fits the
// first bars is found; then, with the span doubling each time, each beat is matched to the
// strongest attack near it and the grid is refitted through all of them by weighted least
// squares, so that the period comes from the whole song and the drift of the first guess never
// grows past what the matching window forgives. Fails (returns false) when the song holds too
// few attacks.
class BeatGridFit {
public:
    explicit BeatGridFit(const OnsetEnvelope& envelope);

    bool Fit(double period, BeatGrid& grid) const;

    // How surely the grid is the song's beat, 0 to 1: the share of beats within the song's
    // sounding part that fall on a clear attack, times how much louder the envelope is on the
    // beats than a quarter of a beat away from them.
    double Confidence(const BeatGrid& grid) const;

    // The average of the envelope's `values` at every second beat, starting with beat
    // `parity` (0 or 1): the strongest value within two frames of each beat.
    double MeanAtAlternateBeats(const std::vector<float>& values, const BeatGrid& grid,
                                int parity) const;

    const std::vector<OnsetPeak>& peaks() const { return m_peaks; }

private:
    struct Match {
        double index = 0.0;
        double frame = 0.0;
        double weight = 0.0;
    };

    // Beats with index in [firstIndex, lastIndex] matched to attacks, then the grid refitted
    // through them; false when fewer than three beats matched.
    bool Refit(long firstIndex, long lastIndex, BeatGrid& grid) const;
    const OnsetPeak* StrongestPeakNear(double frame, double reach) const;
    double StartingPhase(double anchor, double period) const;

    const OnsetEnvelope& m_envelope;
    std::vector<OnsetPeak> m_peaks; // in frame order
    float m_strongPeak = 0.0f;      // the strength a clear attack reaches
    double m_firstSound = 0.0;      // frames of the first and last clear attacks
    double m_lastSound = 0.0;
};

} // namespace zelvane
