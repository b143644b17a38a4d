#pragma once

#include "media/AudioDecoder.h"

#include <QIODevice>

#include <cstdint>
#include <memory>
#include <vector>

namespace zelvane {

// The decoded song as the audio sink reads it, from a chosen frame to the end, with the
// assist clap's clicks mixed in where they fall. Read-only and sequential; the samples are
// shared with the player, which keeps them while it plays.
class CPcmSource : public QIODevice {
    Q_OBJECT
public:
    CPcmSource(std::shared_ptr<const PcmAudio> pcm, std::int64_t startFrame,
               QObject* parent = nullptr);

    // Mixes the mono `click` into every channel from each of the song frames `clickFrames`
    // (ascending) on; a click that would overflow the sample range is clipped.
    void SetClicks(std::vector<std::int64_t> clickFrames, std::vector<std::int16_t> click);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    std::int64_t BytesLeft() const;
    // Adds the clicks that sound in the `frames` frames from song frame `first` to `data`.
    void MixClicks(std::int16_t* data, std::int64_t first, std::int64_t frames) const;

    std::shared_ptr<const PcmAudio> m_pcm;
    std::int64_t m_byteOffset;
    std::vector<std::int64_t> m_clickFrames;
    std::vector<std::int16_t> m_click;
};

} // namespace zelvane
