#pragma once

#include "media/AmplitudePyramid.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelvane {

// Makes a song's envelope from its samples as they come, a run at a time: the decoder hands
// over each run as it writes it, while it is still in the processor's cache, instead of the
// whole song being read again afterwards. The result is the envelope AmplitudePyramid makes
// of the whole song at once, however the runs are cut.
class AmplitudePyramidBuilder {
public:
    explicit AmplitudePyramidBuilder(int channels);

    // The next `count` interleaved values of the song; a run may end inside a frame.
    void Add(const std::int16_t* samples, std::size_t count);
    // The envelope of everything added, at `sampleRate`; the builder is spent.
    AmplitudePyramid Finish(int sampleRate);

private:
    std::size_t m_channels;
    std::size_t m_bucketValues;
    std::size_t m_filled = 0; // values in the last bucket, 0 when it is full (or none)
    std::int64_t m_values = 0;
    std::vector<AmplitudeSpan> m_base;
};

} // namespace zelvane
