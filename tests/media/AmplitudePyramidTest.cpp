#include "media/AmplitudePyramid.h"
#include "media/AmplitudePyramidBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace zelvane {
namespace {

// A stereo song of uneven length whose channels differ, from a fixed pseudo-random sequence,
// with one loud spike per channel placed away from any bucket's edge.
PcmAudio NoisySong(std::int64_t frames)
{
    PcmAudio pcm;
    pcm.sampleRate = 8000;
    pcm.channels = 2;
    std::uint32_t state = 12345;
    for (std::int64_t i = 0; i < frames * 2; ++i) {
        state = state * 1664525u + 1013904223u;
        pcm.samples.push_back(static_cast<std::int16_t>(static_cast<int>(state >> 20) - 2048));
    }
    pcm.samples[2 * 1000 + 1] = 30000; // right channel
    pcm.samples[2 * 3001] = -31000;    // left channel
    return pcm;
}

AmplitudeSpan DirectSpan(const PcmAudio& pcm, std::int64_t from, std::int64_t to)
{
    const auto begin = pcm.samples.begin() + from * pcm.channels;
    const auto end = pcm.samples.begin() + to * pcm.channels;
    const auto [low, high] = std::minmax_element(begin, end);
    return {*low, *high};
}

// Every bucket of every level holds the lowest and highest sample of exactly its frames,
// over both channels, the last bucket of a level included; the top is one bucket. So it is
// when the samples come in runs ending anywhere, inside frames and buckets, as a decoder
// hands them over.
TEST(AmplitudePyramid, EveryLevelAgreesWithADirectMinMax)
{
    const std::int64_t frames = 10007;
    const PcmAudio pcm = NoisySong(frames);
    AmplitudePyramidBuilder builder(pcm.channels);
    std::size_t at = 0;
    for (std::size_t run = 1; at < pcm.samples.size(); run = run * 3 % 301 + 1) {
        const std::size_t count = std::min(run, pcm.samples.size() - at);
        builder.Add(pcm.samples.data() + at, count);
        at += count;
    }
    const AmplitudePyramid inRuns = builder.Finish(pcm.sampleRate);
    const AmplitudePyramid whole(pcm);
    for (const AmplitudePyramid* pyramid : {&whole, &inRuns}) {
        SCOPED_TRACE(pyramid == &whole ? "whole" : "in runs");
        ASSERT_EQ(pyramid->frameCount(), frames);
        ASSERT_EQ(pyramid->sampleRate(), pcm.sampleRate);
        ASSERT_GT(pyramid->levelCount(), 5u);
        EXPECT_EQ(pyramid->Level(pyramid->levelCount() - 1).size(), 1u);
        for (std::size_t level = 0; level < pyramid->levelCount(); ++level) {
            const std::int64_t size = AmplitudePyramid::FramesPerBucket(level);
            const auto& buckets = pyramid->Level(level);
            ASSERT_EQ(static_cast<std::int64_t>(buckets.size()), (frames + size - 1) / size);
            for (std::size_t i = 0; i < buckets.size(); ++i) {
                const std::int64_t from = static_cast<std::int64_t>(i) * size;
                const AmplitudeSpan direct = DirectSpan(pcm, from, std::min(frames, from + size));
                ASSERT_EQ(buckets[i].low, direct.low) << "level " << level << " bucket " << i;
                ASSERT_EQ(buckets[i].high, direct.high) << "level " << level << " bucket " << i;
            }
        }
    }
}

// A stretch is answered from the level that fits it: exactly the buckets around its samples,
// so never narrower than the samples themselves.
TEST(AmplitudePyramid, AStretchIsAnsweredByTheBucketsAroundIt)
{
    const std::int64_t frames = 10007;
    const PcmAudio pcm = NoisySong(frames);
    const AmplitudePyramid pyramid(pcm);
    for (const auto& [from, to] : {std::pair<std::int64_t, std::int64_t>{0, 1},
                                   {5, 70},
                                   {990, 1010},
                                   {100, 900},
                                   {2999, 3100},
                                   {0, frames},
                                   {9000, frames}}) {
        const AmplitudeSpan span = pyramid.Span(from, to);
        const std::int64_t size = AmplitudePyramid::FramesPerBucket(pyramid.LevelFor(to - from));
        EXPECT_LE(size, std::max<std::int64_t>(to - from, AmplitudePyramid::kBaseFrames));
        const AmplitudeSpan outer
            = DirectSpan(pcm, from / size * size, std::min(frames, (to + size - 1) / size * size));
        EXPECT_EQ(span.low, outer.low) << from << ".." << to;
        EXPECT_EQ(span.high, outer.high) << from << ".." << to;
    }
    // In milliseconds: frame 1000 is 125 ms into a song of 8000 frames a second.
    EXPECT_EQ(pyramid.SpanMs(124.0, 126.0).high, 30000);

    // Outside the song, and with nothing to draw from, there is only silence.
    for (const AmplitudeSpan span :
         {pyramid.Span(-500, -1), pyramid.Span(frames, frames + 100), pyramid.Span(50, 50),
          pyramid.SpanMs(-1e12, -1e9), pyramid.SpanMs(1e9, 1e12), AmplitudePyramid().Span(0, 10),
          AmplitudePyramid(PcmAudio{}).SpanMs(0.0, 10.0)}) {
        EXPECT_EQ(span.low, 0);
        EXPECT_EQ(span.high, 0);
    }
}

} // namespace
} // namespace zelvane
