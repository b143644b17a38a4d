#include "beat/BeatPeriod.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace zelvane {

namespace {

constexpr int kCombTeeth = 4;
constexpr double kPeriodStep = 0.25; // frames between the periods tried

// r(lag) between whole lags, linearly.
double Interpolated(const std::vector<double>& values, double at)
{
    const auto below = static_cast<std::size_t>(at);
    if (below + 1 >= values.size())
        return values.back();
    const double fraction = at - static_cast<double>(below);
    return values[below] * (1.0 - fraction) + values[below + 1] * fraction;
}

} // namespace

double StrongestBeatPeriod(const OnsetEnvelope& envelope, double minFrames, double maxFrames)
{
    const std::vector<float>& values = envelope.full;
    const std::size_t count = values.size();
    if (minFrames < 1.0 || maxFrames < minFrames || count < 2 * maxFrames + 2)
        return 0.0;
    const double mean = std::accumulate(values.begin(), values.end(), 0.0) / count;
    std::vector<float> centred(count);
    for (std::size_t i = 0; i < count; ++i)
        centred[i] = static_cast<float>(values[i] - mean);

    // Lags past half the envelope average too few products to mean anything.
    const auto maxLag = std::min(static_cast<std::size_t>(kCombTeeth * maxFrames) + 2, count / 2);
    std::vector<double> correlation(maxLag + 1, 0.0);
    for (std::size_t lag = 1; lag <= maxLag; ++lag) {
        float sum = 0.0f;
        const float* a = centred.data();
        const float* b = centred.data() + lag;
        const std::size_t products = count - lag;
        for (std::size_t i = 0; i < products; ++i)
            sum += a[i] * b[i];
        correlation[lag] = sum / static_cast<double>(products);
    }

    const auto score = [&](double period) {
        double sum = 0.0;
        for (int tooth = 1; tooth <= kCombTeeth; ++tooth) {
            const double lag = tooth * period;
            if (lag > static_cast<double>(maxLag))
                break;
            sum += Interpolated(correlation, lag);
        }
        return sum;
    };
    double best = minFrames;
    double bestScore = score(minFrames);
    for (double period = minFrames + kPeriodStep; period <= maxFrames; period += kPeriodStep) {
        if (const double s = score(period); s > bestScore) {
            best = period;
            bestScore = s;
        }
    }
    // The top of a parabola through the best score and its neighbours.
    const double before = score(std::max(minFrames, best - kPeriodStep));
    const double after = score(std::min(maxFrames, best + kPeriodStep));
    const double curve = before - 2.0 * bestScore + after;
    if (curve < 0.0)
        best += std::clamp(0.5 * (before - after) / curve, -0.5, 0.5) * kPeriodStep;
    return best;
}

} // namespace zelvane
