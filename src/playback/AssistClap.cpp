#include "playback/AssistClap.h"

#include "base/TempoMap.h"

#include <algorithm>
#include <cmath>

namespace zelvane::AssistClap {
namespace {

constexpr double kClickHz = 2000.0;
constexpr double kClickSeconds = 0.02;
constexpr double kDecayPerSecond = 250.0;
constexpr double kClickAmplitude = 14000.0;

} // namespace

std::vector<std::int16_t> SynthesizeClick(int sampleRate)
{
    std::vector<std::int16_t> click;
    if (sampleRate <= 0)
        return click;
    const auto length = static_cast<std::size_t>(std::lround(kClickSeconds * sampleRate));
    click.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double value = kClickAmplitude * std::exp(-kDecayPerSecond * t)
            * std::sin(2.0 * M_PI * kClickHz * t);
        click.push_back(static_cast<std::int16_t>(std::lround(value)));
    }
    return click;
}

std::vector<std::int64_t> ClickFrames(const std::vector<std::int32_t>& noteClocks,
                                      const CTempoMap& tempo, std::int32_t gap, int sampleRate)
{
    std::vector<std::int64_t> frames;
    if (!tempo.Breach().empty() || sampleRate <= 0)
        return frames;
    for (std::int32_t clock : noteClocks) {
        if (tempo.IsInsideWarp(clock))
            continue;
        const double ms = gap + tempo.ClockToSeconds(clock) * 1000.0;
        const double frame = std::round(ms * sampleRate / 1000.0);
        if (frame >= 0.0 && frame < 9.0e18)
            frames.push_back(static_cast<std::int64_t>(frame));
    }
    std::sort(frames.begin(), frames.end());
    frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
    return frames;
}

} // namespace zelvane::AssistClap
