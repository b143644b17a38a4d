#include "media/AmplitudePyramidBuilder.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace zelvane {

AmplitudePyramidBuilder::AmplitudePyramidBuilder(int channels)
    : m_channels(static_cast<std::size_t>(std::max(channels, 1)))
    , m_bucketValues(static_cast<std::size_t>(AmplitudePyramid::kBaseFrames) * m_channels)
{
}

void AmplitudePyramidBuilder::Add(const std::int16_t* samples, std::size_t count)
{
    m_values += static_cast<std::int64_t>(count);
    while (count > 0) {
        if (m_filled == 0)
            m_base.push_back({std::numeric_limits<std::int16_t>::max(),
                              std::numeric_limits<std::int16_t>::min()});
        const std::size_t take = std::min(count, m_bucketValues - m_filled);
        // A plain loop of minima and maxima, which the compiler runs many samples at a time.
        std::int16_t low = m_base.back().low;
        std::int16_t high = m_base.back().high;
        for (std::size_t i = 0; i < take; ++i) {
            low = std::min(low, samples[i]);
            high = std::max(high, samples[i]);
        }
        m_base.back() = {low, high};
        m_filled = (m_filled + take) % m_bucketValues;
        samples += take;
        count -= take;
    }
}

AmplitudePyramid AmplitudePyramidBuilder::Finish(int sampleRate)
{
    const std::int64_t frames = m_values / static_cast<std::int64_t>(m_channels);
    return {sampleRate, frames, std::move(m_base)};
}

} // namespace zelvane
