#include "playback/AssistClap.h"
#include "base/TempoMap.h"
#include "playback/PcmSource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zelvane::test {
namespace {

TEST(AssistClap, ClicksFallOnTheExactSampleOfEachNote)
{
    // 120 BPM: a beat of 48 clocks is 500 ms; the gap puts clock 0 at 100 ms. Clock 12 falls
    // on a half sample (225 ms) and rounds up.
    EXPECT_EQ(AssistClap::ClickFrames({0, 48, 48, 96, 12}, CTempoMap(120.0f), 100, 44100),
              (std::vector<std::int64_t>{4410, 9923, 26460, 48510}));
    // Notes before the song's start have nothing to click over.
    EXPECT_EQ(AssistClap::ClickFrames({0, 96, 192}, CTempoMap(120.0f), -1000, 1000),
              (std::vector<std::int64_t>{0, 1000}));
    EXPECT_TRUE(AssistClap::ClickFrames({0}, CTempoMap(0.0f), 0, 44100).empty());

    const std::vector<std::int16_t> click = AssistClap::SynthesizeClick(48000);
    EXPECT_EQ(click.size(), 960u);
    const auto [low, high] = std::minmax_element(click.begin(), click.end());
    EXPECT_GT(*high, 8000);
    EXPECT_LT(*low, -8000);
    EXPECT_LT(std::abs(click.back()), 200) << "the click dies away before it ends";
}

TEST(AssistClap, ClicksFollowTheTempoMapAndSkipWarpedNotes)
{
    // 120 BPM at 1000 samples a second: a 2 s stop after the note at 96 (1 s), twice the
    // tempo from 192, a warp over 288 to 336.
    CTempoMap tempo(120.0f);
    ASSERT_TRUE(tempo
                    .Add(std::vector<CTempoEvent>{CStop{96, 2000.0}, CTempoChange{192, 240.0f},
                                                  CWarp{288, 48}})
                    .empty());
    // The note at the stop sounds before it; nothing sounds inside it; the next note, half a
    // beat on, only after it. Beats after the doubling take 250 ms; the warp's notes are
    // silent and the note at its end sounds at the warp's time.
    EXPECT_EQ(AssistClap::ClickFrames({0, 96, 120, 192, 240, 288, 300, 335, 384}, tempo, 50, 1000),
              (std::vector<std::int64_t>{50, 1050, 3300, 4050, 4300, 4800}));
    EXPECT_EQ(AssistClap::ClickFrames({336}, tempo, 50, 1000), (std::vector<std::int64_t>{4550}));
}

TEST(AssistClap, TheSourceMixesClicksIntoEveryChannelAcrossReads)
{
    auto pcm = std::make_shared<PcmAudio>();
    pcm->sampleRate = 1000;
    pcm->channels = 2;
    pcm->samples.assign(2 * 400, 0);
    pcm->samples[2 * 201] = 32000; // a loud song sample under the click clips
    CPcmSource source(pcm, 50);
    source.SetClicks({20, 98, 200, 390}, {1000, -500, 250, 125});
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));

    // Odd read sizes split clicks between reads and even inside a frame.
    QByteArray read;
    for (qint64 size = 3; !source.atEnd() && read.size() < 2000; size = size % 23 + 5)
        read += source.read(size);
    ASSERT_EQ(read.size(), 350 * 4);
    const auto* samples = reinterpret_cast<const std::int16_t*>(read.constData());
    const auto at
        = [samples](int songFrame, int channel) { return samples[(songFrame - 50) * 2 + channel]; };
    for (int channel = 0; channel < 2; ++channel) {
        EXPECT_EQ(at(98, channel), 1000);
        EXPECT_EQ(at(99, channel), -500);
        EXPECT_EQ(at(101, channel), 125);
        EXPECT_EQ(at(102, channel), 0);
        EXPECT_EQ(at(200, channel), 1000);
        EXPECT_EQ(at(393, channel), 125);
        EXPECT_EQ(at(399, channel), 0);
    }
    EXPECT_EQ(at(201, 0), 32767 - 32767 + 31500) << "32000 - 500";
    EXPECT_EQ(at(60, 0), 0) << "the click before the start frame is not heard";
}

} // namespace
} // namespace zelvane::test
