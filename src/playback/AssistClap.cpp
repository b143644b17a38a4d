#include "playback/AssistClap.h"

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

std::vector<std::int64_t> ClickFrames(const std::vector<std::int32_t>& noteClocks, float bpm,
                                      std::int32_t gap, int sampleRate)
{
    std::vector<std::int64_t> frames;
    if (!(bpm > 0.0f) || !std::isfinite(bpm) || sampleRate <= 0)
        return frames;
    // 48 clocks to a beat: a clock lasts 60000 / (48 x bpm) milliseconds.
    const double msPerClock = 60000.0 / (48.0 * static_cast<double>(bpm));
    for (std::int32_t clock : noteClocks) {
        const double ms = gap + clock * msPerClock;
        const double frame = std::round(ms * sampleRate / 1000.0);
        if (frame >= 0.0 && frame < 9.0e18)
            frames.push_back(static_cast<std::int64_t>(frame));
    }
    std::sort(frames.begin(), frames.end());
    frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
    return frames;
}

} // namespace zelvane::AssistClap
