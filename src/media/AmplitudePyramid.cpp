#include "media/AmplitudePyramid.h"

#include "media/AmplitudePyramidBuilder.h"

#include <algorithm>
#include <cmath>

namespace zelvane {

AmplitudePyramid::AmplitudePyramid(const PcmAudio& pcm)
    : AmplitudePyramid([&pcm] {
        AmplitudePyramidBuilder builder(pcm.channels);
        builder.Add(pcm.samples.data(), static_cast<std::size_t>(pcm.frameCount() * pcm.channels));
        return builder.Finish(pcm.sampleRate);
    }())
{
}

AmplitudePyramid::AmplitudePyramid(int sampleRate, std::int64_t frameCount,
                                   std::vector<AmplitudeSpan> base)
    : m_sampleRate(sampleRate)
    , m_frameCount(frameCount)
{
    if (m_frameCount <= 0 || base.empty())
        return;
    m_levels.push_back(std::move(base));

    // Each level joins pairs of the one below, up to a single bucket for the whole song.
    while (m_levels.back().size() > 1) {
        const std::vector<AmplitudeSpan>& below = m_levels.back();
        std::vector<AmplitudeSpan> above((below.size() + 1) / 2);
        for (std::size_t i = 0; i < above.size(); ++i) {
            AmplitudeSpan span = below[2 * i];
            if (2 * i + 1 < below.size()) {
                span.low = std::min(span.low, below[2 * i + 1].low);
                span.high = std::max(span.high, below[2 * i + 1].high);
            }
            above[i] = span;
        }
        m_levels.push_back(std::move(above));
    }
}

std::size_t AmplitudePyramid::LevelFor(std::int64_t frames) const
{
    std::size_t level = 0;
    while (level + 1 < m_levels.size() && FramesPerBucket(level + 1) <= frames)
        ++level;
    return level;
}

AmplitudeSpan AmplitudePyramid::Span(std::int64_t from, std::int64_t to) const
{
    from = std::max<std::int64_t>(from, 0);
    to = std::min(to, m_frameCount);
    if (m_levels.empty() || from >= to)
        return {};
    const std::size_t level = LevelFor(to - from);
    const std::int64_t size = FramesPerBucket(level);
    const std::vector<AmplitudeSpan>& buckets = m_levels[level];
    // A stretch at least one bucket long covers at most three buckets of its level.
    const auto first = static_cast<std::size_t>(from / size);
    const auto last = static_cast<std::size_t>((to - 1) / size);
    AmplitudeSpan span = buckets[first];
    for (std::size_t i = first + 1; i <= last; ++i) {
        span.low = std::min(span.low, buckets[i].low);
        span.high = std::max(span.high, buckets[i].high);
    }
    return span;
}

AmplitudeSpan AmplitudePyramid::SpanMs(double fromMs, double toMs) const
{
    if (m_sampleRate <= 0 || !(toMs > fromMs))
        return {};
    const double rate = m_sampleRate / 1000.0;
    // Clamped before the conversion, so that no time far off the song overflows a frame.
    const double limit = static_cast<double>(m_frameCount);
    const double from = std::clamp(std::floor(fromMs * rate), 0.0, limit);
    const double to = std::clamp(std::ceil(toMs * rate), 0.0, limit);
    return Span(static_cast<std::int64_t>(from), static_cast<std::int64_t>(to));
}

} // namespace zelvane
