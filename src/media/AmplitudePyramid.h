#pragma once

#include "media/AudioDecoder.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelvane {

// The lowest and highest sample of a stretch of the song, over all its channels.
struct AmplitudeSpan {
    std::int16_t low = 0;
    std::int16_t high = 0;
};

// The song's envelope at every scale a view may need: level k holds the lowest and highest
// sample of each run of kBaseFrames x 2^k frames, so any stretch of time is answered from a
// handful of buckets of the level that fits it, without reading the samples again. Made once
// per song on the thread that decodes it; read-only afterwards, so any thread may read it.
class AmplitudePyramid {
public:
    // Frames per bucket of level 0: fine enough for a pixel row at the deepest zoom, coarse
    // enough that the pyramid takes a small fraction of the samples' memory.
    static constexpr std::int64_t kBaseFrames = 64;

    AmplitudePyramid() = default;
    explicit AmplitudePyramid(const PcmAudio& pcm);
    // From level 0 alone (AmplitudePyramidBuilder makes it); the levels above are joined here.
    AmplitudePyramid(int sampleRate, std::int64_t frameCount, std::vector<AmplitudeSpan> base);

    int sampleRate() const { return m_sampleRate; }
    std::int64_t frameCount() const { return m_frameCount; }
    std::size_t levelCount() const { return m_levels.size(); }
    static std::int64_t FramesPerBucket(std::size_t level) { return kBaseFrames << level; }
    // The buckets of `level`; the last may cover fewer frames than the others.
    const std::vector<AmplitudeSpan>& Level(std::size_t level) const { return m_levels[level]; }

    // The coarsest level whose buckets are no longer than `frames`.
    std::size_t LevelFor(std::int64_t frames) const;
    // The lowest and highest sample of frames [from, to), as the buckets of the level that
    // fits the stretch bound them (so it may reach up to one bucket beyond either end).
    // Frames outside the song are silence; an empty stretch is {0, 0}.
    AmplitudeSpan Span(std::int64_t from, std::int64_t to) const;
    // The same between two times in milliseconds of the song.
    AmplitudeSpan SpanMs(double fromMs, double toMs) const;

private:
    int m_sampleRate = 0;
    std::int64_t m_frameCount = 0;
    std::vector<std::vector<AmplitudeSpan>> m_levels;
};

} // namespace zelvane
