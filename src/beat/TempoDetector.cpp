#include "beat/TempoDetector.h"

#include "beat/BeatGridFit.h"
#include "beat/BeatPeriod.h"
#include "beat/OnsetEnvelope.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace zelvane {

namespace {

constexpr int kMinSampleRate = 4000;
constexpr double kEnvelopeShare = 0.9; // of the progress: the rest is quick
// On the grid of the faster of two tempos an octave apart, the bass drum (or the bass) must
// strike the weaker half of the beats at least this strongly, against the stronger half, for
// them to be beats rather than the eighth notes between them.
constexpr double kBeatEvenness = 0.5;
// Below this share of the whole envelope's (per frequency), the low band holds no drum to
// judge by.
constexpr double kAudibleLowBand = 0.1;
// How far past the range an octave of the strongest period is still taken, as a share.
constexpr double kRangeMargin = 0.03;

// How evenly the low band strikes the two halves of the grid's beats: 1 when both halves are
// struck alike, near 0 when only every second beat is.
double Evenness(const BeatGridFit& fit, const OnsetEnvelope& envelope, const BeatGrid& grid)
{
    const auto evenness = [&](const std::vector<float>& values) {
        const double even = fit.MeanAtAlternateBeats(values, grid, 0);
        const double odd = fit.MeanAtAlternateBeats(values, grid, 1);
        const double stronger = std::max(even, odd);
        return stronger > 0.0 ? std::min(even, odd) / stronger : 0.0;
    };
    const double lowLevel = fit.MeanAtAlternateBeats(envelope.low, grid, 0)
        + fit.MeanAtAlternateBeats(envelope.low, grid, 1);
    const double fullLevel = fit.MeanAtAlternateBeats(envelope.full, grid, 0)
        + fit.MeanAtAlternateBeats(envelope.full, grid, 1);
    return lowLevel > kAudibleLowBand * fullLevel ? evenness(envelope.low)
                                                  : evenness(envelope.full);
}

} // namespace

std::optional<TempoEstimate> DetectTempo(std::span<const float> samples, int sampleRate,
                                         const AnalysisProgress& progress)
{
    if (sampleRate < kMinSampleRate)
        throw std::invalid_argument("tempo detection needs samples at 4000 Hz or more");
    const OnsetEnvelope envelope = ComputeOnsetEnvelope(samples, sampleRate, [&](double fraction) {
        return !progress || progress(kEnvelopeShare * fraction);
    });
    const double framesPerMinute = 60.0 * envelope.framesPerSecond;
    const double minPeriod = framesPerMinute / kMaxDetectedBpm;
    const double maxPeriod = framesPerMinute / kMinDetectedBpm;

    const double strongest = StrongestBeatPeriod(envelope, minPeriod, maxPeriod);
    ReportProgress(progress, kEnvelopeShare, 1.0 - kEnvelopeShare, 0.3);
    if (strongest <= 0.0)
        return std::nullopt;

    // The tempo range spans less than two octaves, so the strongest period has at most one
    // octave neighbour inside it (or just outside, where a tempo at the edge is found a little
    // beyond it): the faster of the two stands when its beats are struck evenly.
    double fast = strongest;
    double slow = strongest;
    if (strongest / 2.0 >= minPeriod * (1.0 - kRangeMargin))
        fast = strongest / 2.0;
    else if (strongest * 2.0 <= maxPeriod * (1.0 + kRangeMargin))
        slow = strongest * 2.0;
    const BeatGridFit fit(envelope);
    BeatGrid grid;
    bool found = false;
    if (fast != slow) {
        found = fit.Fit(fast, grid) && Evenness(fit, envelope, grid) >= kBeatEvenness;
        if (!found)
            found = fit.Fit(slow, grid);
    } else {
        found = fit.Fit(strongest, grid);
    }
    ReportProgress(progress, kEnvelopeShare, 1.0 - kEnvelopeShare, 0.9);
    if (!found)
        return std::nullopt;

    TempoEstimate estimate;
    estimate.bpm = framesPerMinute / grid.period;
    const double periodSeconds = grid.period / envelope.framesPerSecond;
    const double beatSeconds = envelope.FrameToSeconds(grid.firstFrame);
    double first = beatSeconds - std::floor(beatSeconds / periodSeconds) * periodSeconds;
    if (first >= periodSeconds) // rounding at a whole period
        first -= periodSeconds;
    estimate.firstBeatMs = 1000.0 * first;
    estimate.confidence = fit.Confidence(grid);
    ReportProgress(progress, kEnvelopeShare, 1.0 - kEnvelopeShare, 1.0);
    return estimate;
}

} // namespace zelvane
