#include "beat/BeatGridFit.h"

#include <algorithm>
#include <cmath>

namespace zelvane {

namespace {

constexpr double kClearAttack = 0.25;     // of the strength strong attacks reach
constexpr double kMatchableAttack = 0.1;  // weaker peaks are noise, never matched to a beat
constexpr int kStartingBeats = 8;         // the first span the grid is fitted over
constexpr double kReachOfPeriod = 0.2;    // how far from a beat an attack is matched to it,
constexpr double kMaxReachFrames = 12.0;  // as a share of the period and at most
constexpr double kMinKeptResidual = 1.5;  // frames: residuals this small are never outliers
constexpr double kOutlierSpread = 2.5;    // residuals beyond this many RMS are left out
constexpr double kMaxPeriodChange = 0.05; // of the first guess, before the fit is refused
constexpr double kHitFrames = 3.0;        // an attack this close counts as on the beat

double Interpolated(const std::vector<float>& values, double at)
{
    if (at < 0.0)
        return 0.0;
    const auto below = static_cast<std::size_t>(at);
    if (below + 1 >= values.size())
        return 0.0;
    const double fraction = at - static_cast<double>(below);
    return values[below] * (1.0 - fraction) + values[below + 1] * fraction;
}

float MaxNear(const std::vector<float>& values, double at, int reach)
{
    const long centre = std::lround(at);
    float best = 0.0f;
    for (long i = centre - reach; i <= centre + reach; ++i) {
        if (i >= 0 && i < static_cast<long>(values.size()))
            best = std::max(best, values[static_cast<std::size_t>(i)]);
    }
    return best;
}

long FloorIndex(double value)
{
    return static_cast<long>(std::floor(value));
}

} // namespace

BeatGridFit::BeatGridFit(const OnsetEnvelope& envelope)
    : m_envelope(envelope)
{
    const std::vector<float>& values = envelope.full;
    for (std::size_t i = 1; i + 1 < values.size(); ++i) {
        const float here = values[i];
        if (here <= 0.0f || here <= values[i - 1] || here < values[i + 1])
            continue;
        const double curve = values[i - 1] - 2.0 * here + values[i + 1];
        const double shift = curve < 0.0
            ? std::clamp(0.5 * (values[i - 1] - values[i + 1]) / curve, -0.5, 0.5)
            : 0.0;
        m_peaks.push_back({static_cast<double>(i) + shift, here});
    }
    if (m_peaks.empty())
        return;
    // The strength that one attack in twenty reaches: the song's loud hits, whatever its level.
    std::vector<float> strengths;
    strengths.reserve(m_peaks.size());
    for (const OnsetPeak& peak : m_peaks)
        strengths.push_back(peak.strength);
    const std::size_t rank = strengths.size() / 20;
    std::nth_element(strengths.begin(), strengths.begin() + static_cast<long>(rank),
                     strengths.end(), std::greater<float>());
    m_strongPeak = strengths[rank];

    const float clear = static_cast<float>(kClearAttack * m_strongPeak);
    const auto first = std::find_if(m_peaks.begin(), m_peaks.end(),
                                    [&](const OnsetPeak& peak) { return peak.strength >= clear; });
    const auto last = std::find_if(m_peaks.rbegin(), m_peaks.rend(),
                                   [&](const OnsetPeak& peak) { return peak.strength >= clear; });
    m_firstSound = first->frame;
    m_lastSound = last->frame;
}

const OnsetPeak* BeatGridFit::StrongestPeakNear(double frame, double reach) const
{
    auto it = std::lower_bound(m_peaks.begin(), m_peaks.end(), frame - reach,
                               [](const OnsetPeak& peak, double at) { return peak.frame < at; });
    const OnsetPeak* best = nullptr;
    const float floor = static_cast<float>(kMatchableAttack * m_strongPeak);
    for (; it != m_peaks.end() && it->frame <= frame + reach; ++it) {
        if (it->strength >= floor && (!best || it->strength > best->strength))
            best = &*it;
    }
    return best;
}

double BeatGridFit::StartingPhase(double anchor, double period) const
{
    // The phase whose first bars gather the most of the envelope; the first clear attack may
    // be an upbeat, so every phase of one period around it is tried.
    double best = anchor;
    double bestScore = -1.0;
    for (double shift = -0.5 * period; shift < 0.5 * period; shift += 0.5) {
        double score = 0.0;
        for (int beat = 0; beat < kStartingBeats; ++beat)
            score += Interpolated(m_envelope.full, anchor + shift + beat * period);
        if (score > bestScore) {
            bestScore = score;
            best = anchor + shift;
        }
    }
    return best;
}

bool BeatGridFit::Refit(long firstIndex, long lastIndex, BeatGrid& grid) const
{
    const double reach = std::min(kReachOfPeriod * grid.period, kMaxReachFrames);
    std::vector<Match> matches;
    for (long index = firstIndex; index <= lastIndex; ++index) {
        const double expected = grid.firstFrame + static_cast<double>(index) * grid.period;
        if (const OnsetPeak* peak = StrongestPeakNear(expected, reach))
            matches.push_back({static_cast<double>(index), peak->frame, peak->strength});
    }

    BeatGrid fitted = grid;
    double limit = reach;
    for (int pass = 0; pass < 2; ++pass) {
        double total = 0.0, meanIndex = 0.0, meanFrame = 0.0;
        for (const Match& match : matches) {
            const double residual = match.frame - fitted.firstFrame - match.index * fitted.period;
            if (std::abs(residual) > limit)
                continue;
            total += match.weight;
            meanIndex += match.weight * match.index;
            meanFrame += match.weight * match.frame;
        }
        if (total <= 0.0)
            return false;
        meanIndex /= total;
        meanFrame /= total;
        double spread = 0.0, covariance = 0.0;
        int used = 0;
        for (const Match& match : matches) {
            const double residual = match.frame - fitted.firstFrame - match.index * fitted.period;
            if (std::abs(residual) > limit)
                continue;
            spread += match.weight * (match.index - meanIndex) * (match.index - meanIndex);
            covariance += match.weight * (match.index - meanIndex) * (match.frame - meanFrame);
            ++used;
        }
        if (used < 3 || spread <= 0.0)
            return false;
        fitted.period = covariance / spread;
        fitted.firstFrame = meanFrame - fitted.period * meanIndex;

        // The second pass leaves out the beats that matched a stray attack.
        double squares = 0.0;
        for (const Match& match : matches) {
            const double residual = match.frame - fitted.firstFrame - match.index * fitted.period;
            if (std::abs(residual) <= limit)
                squares += match.weight * residual * residual;
        }
        limit = std::max(kMinKeptResidual, kOutlierSpread * std::sqrt(squares / total));
    }
    grid = fitted;
    return true;
}

bool BeatGridFit::Fit(double period, BeatGrid& grid) const
{
    if (m_peaks.empty() || period <= 0.0)
        return false;
    grid = {StartingPhase(m_firstSound, period), period};
    const long lastIndex = FloorIndex((m_lastSound - grid.firstFrame) / period) + 1;
    long span = kStartingBeats;
    for (;;) {
        // Beats before the first attack, back to the song's start, match nothing clear but
        // keep the indexes of the grid whole.
        const long firstIndex = -FloorIndex(grid.firstFrame / grid.period);
        if (!Refit(firstIndex, std::min(span, lastIndex), grid))
            return false;
        if (std::abs(grid.period - period) > kMaxPeriodChange * period)
            return false;
        if (span >= lastIndex)
            return true;
        span *= 2;
    }
}

double BeatGridFit::MeanAtAlternateBeats(const std::vector<float>& values, const BeatGrid& grid,
                                         int parity) const
{
    const long first = FloorIndex((m_firstSound - grid.firstFrame) / grid.period + 0.5);
    const long last = FloorIndex((m_lastSound - grid.firstFrame) / grid.period + 0.5);
    double sum = 0.0;
    int count = 0;
    for (long index = first; index <= last; ++index) {
        if (((index % 2) + 2) % 2 != parity)
            continue;
        sum += MaxNear(values, grid.firstFrame + static_cast<double>(index) * grid.period, 2);
        ++count;
    }
    return count > 0 ? sum / count : 0.0;
}

double BeatGridFit::Confidence(const BeatGrid& grid) const
{
    if (m_peaks.empty() || grid.period <= 0.0)
        return 0.0;
    const std::vector<float>& values = m_envelope.full;
    const long first = FloorIndex((m_firstSound - grid.firstFrame) / grid.period + 0.5);
    const long last = FloorIndex((m_lastSound - grid.firstFrame) / grid.period + 0.5);
    const float clear = static_cast<float>(kClearAttack * m_strongPeak);
    int beats = 0;
    int hits = 0;
    double onBeats = 0.0;
    double between = 0.0;
    for (long index = first; index <= last; ++index) {
        const double frame = grid.firstFrame + static_cast<double>(index) * grid.period;
        const OnsetPeak* peak = StrongestPeakNear(frame, kHitFrames);
        if (peak && peak->strength >= clear)
            ++hits;
        // Capped at what a strong attack reaches, so that one outstanding crash (or the
        // sudden start of a song cut from the middle) cannot pass for a beat throughout.
        const auto capped
            = [&](double at) { return std::min(MaxNear(values, at, 1), m_strongPeak); };
        onBeats += capped(frame);
        // A quarter of a beat away lies nothing of a beat, nor of its straight or swung
        // eighths; in noise, or on a grid that is not the song's, it is as loud as the beats.
        between += 0.5 * (capped(frame + 0.25 * grid.period) + capped(frame + 0.75 * grid.period));
        ++beats;
    }
    if (beats == 0 || onBeats <= 0.0)
        return 0.0;
    const double contrast = std::max(0.0, 1.0 - between / onBeats);
    return std::clamp(contrast * hits / beats, 0.0, 1.0);
}

} // namespace zelvane
