#include "playback/PcmSource.h"

#include <algorithm>
#include <cstring>

namespace zelvane {

CPcmSource::CPcmSource(std::shared_ptr<const PcmAudio> pcm, std::int64_t startFrame,
                       QObject* parent)
    : QIODevice(parent)
    , m_pcm(std::move(pcm))
    , m_byteOffset(0)
{
    const std::int64_t frames = m_pcm ? m_pcm->frameCount() : 0;
    const std::int64_t frame = std::clamp<std::int64_t>(startFrame, 0, frames);
    const std::int64_t channels = m_pcm ? m_pcm->channels : 0;
    m_byteOffset = frame * channels * static_cast<std::int64_t>(sizeof(std::int16_t));
}

std::int64_t CPcmSource::BytesLeft() const
{
    if (!m_pcm)
        return 0;
    const auto total = static_cast<std::int64_t>(m_pcm->samples.size() * sizeof(std::int16_t));
    return std::max<std::int64_t>(0, total - m_byteOffset);
}

qint64 CPcmSource::bytesAvailable() const
{
    return BytesLeft() + QIODevice::bytesAvailable();
}

qint64 CPcmSource::readData(char* data, qint64 maxSize)
{
    if (maxSize <= 0)
        return 0;
    // Whole frames only, so the channels never swap places.
    const std::int64_t frameBytes = std::max(1, m_pcm ? m_pcm->channels : 1)
        * static_cast<std::int64_t>(sizeof(std::int16_t));
    std::int64_t count = std::min<std::int64_t>(maxSize, BytesLeft());
    count -= count % frameBytes;
    if (count <= 0)
        return 0;
    std::memcpy(data, reinterpret_cast<const char*>(m_pcm->samples.data()) + m_byteOffset,
                static_cast<std::size_t>(count));
    MixClicks(reinterpret_cast<std::int16_t*>(data), m_byteOffset / frameBytes, count / frameBytes);
    m_byteOffset += count;
    return count;
}

void CPcmSource::SetClicks(std::vector<std::int64_t> clickFrames, std::vector<std::int16_t> click)
{
    m_clickFrames = std::move(clickFrames);
    m_click = std::move(click);
}

void CPcmSource::MixClicks(std::int16_t* data, std::int64_t first, std::int64_t frames) const
{
    if (m_click.empty() || m_clickFrames.empty() || frames <= 0)
        return;
    const auto clickLength = static_cast<std::int64_t>(m_click.size());
    const std::int64_t channels = m_pcm->channels;
    const std::int64_t end = first + frames;
    // The first click still sounding at `first`.
    auto click
        = std::lower_bound(m_clickFrames.begin(), m_clickFrames.end(), first - clickLength + 1);
    for (; click != m_clickFrames.end() && *click < end; ++click) {
        const std::int64_t from = std::max(first, *click);
        const std::int64_t to = std::min(end, *click + clickLength);
        for (std::int64_t frame = from; frame < to; ++frame) {
            const int value = m_click[static_cast<std::size_t>(frame - *click)];
            std::int16_t* out = data + (frame - first) * channels;
            for (std::int64_t channel = 0; channel < channels; ++channel)
                out[channel]
                    = static_cast<std::int16_t>(std::clamp(out[channel] + value, -32768, 32767));
        }
    }
}

qint64 CPcmSource::writeData(const char*, qint64)
{
    return -1;
}

} // namespace zelvane
