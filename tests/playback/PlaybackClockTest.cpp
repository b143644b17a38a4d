#include "playback/PlaybackFakes.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <cstdlib>

namespace zelvane::test {
namespace {

class PlaybackClockTest : public ::testing::Test {
protected:
    // Lets `ms` milliseconds pass in ticks of `step`, ticking after each.
    void Run(std::int64_t ms, std::int64_t step = CPlaybackClock::kTickIntervalMs)
    {
        for (std::int64_t done = 0; done < ms && m_clock.playing();) {
            const std::int64_t next = std::min(step, ms - done);
            m_time.now += next;
            done += next;
            m_clock.Tick();
        }
    }

    ManualTime m_time;
    CPlaybackClock m_clock{m_time};
    RecordingFollower m_follower;
    RecordingAudio m_audio{&m_clock, 30000};
};

// A positive gap starts the song with the clock, before the chart; a negative one when the
// clock reaches the song's start. A song the device dropped starts again where the clock is.
TEST_F(PlaybackClockTest, TheSongStartsWhereTheGapSaysAndAgainWhenItStopped)
{
    EXPECT_EQ(CPlaybackClock::StartFrameFromTop(510), -15); // truncated toward zero
    EXPECT_EQ(CPlaybackClock::AudioStartPosition(45, 200), 1700);

    m_clock.SetAudio(&m_audio);
    m_clock.Start(CPlaybackClock::StartFrameFromTop(500), 600, 500);
    ASSERT_EQ(m_audio.plays.size(), 1u);
    EXPECT_EQ(m_audio.plays[0].positionMs, 0);
    EXPECT_EQ(m_audio.plays[0].frame, -15);
    Run(499);
    EXPECT_EQ(m_clock.frame(), 0);
    Run(1);
    EXPECT_EQ(m_clock.frame(), 1);
    EXPECT_EQ(m_audio.plays.size(), 1u) << "the running song is left alone";
    Run(3000);
    m_audio.running = false;
    Run(40);
    ASSERT_EQ(m_audio.plays.size(), 2u);
    EXPECT_EQ(m_audio.plays[1].positionMs, m_audio.plays[1].frame * 1000 / 30 + 500);

    m_clock.Stop();
    m_audio.plays.clear();
    m_clock.Start(CPlaybackClock::StartFrameFromTop(-1000), 600, -1000);
    EXPECT_EQ(m_clock.endFrame(), 930);
    Run(960);
    EXPECT_EQ(m_clock.frame(), 29);
    EXPECT_TRUE(m_audio.plays.empty());
    Run(40);
    ASSERT_EQ(m_audio.plays.size(), 1u);
    EXPECT_EQ(m_audio.plays[0].frame, 30);
    EXPECT_EQ(m_audio.plays[0].positionMs, 0);
}

TEST_F(PlaybackClockTest, EndsInTheTickPastTheChartOrTheSongWhicheverIsLater)
{
    // The chart ends at frame 600, the 30 s song at frame 900.
    QSignalSpy changes(&m_clock, &CPlaybackClock::playingChanged);
    for (const bool withSong : {false, true}) {
        SCOPED_TRACE(withSong ? "with the song" : "alone");
        const std::int32_t end = withSong ? 900 : 600;
        m_clock.SetAudio(withSong ? &m_audio : nullptr);
        m_clock.Start(0, 600, 0);
        EXPECT_EQ(m_clock.endFrame(), end);
        Run(end * 100 / 3 - 1);
        EXPECT_TRUE(m_clock.playing());
        EXPECT_EQ(m_clock.frame(), end);
        Run(1);
        EXPECT_FALSE(m_clock.playing());
        EXPECT_EQ(m_clock.frame(), end + 1);
        EXPECT_FALSE(m_audio.running);
    }
    ASSERT_EQ(changes.count(), 4);
    EXPECT_FALSE(changes.at(3).at(0).toBool());
}

TEST_F(PlaybackClockTest, PacesThirtyFramesPerSecondWhateverTheTicks)
{
    m_clock.AddFollower(&m_follower);
    m_clock.Start(-3, 100000, 0);
    // Late and early ticks alike; one tick late by a quarter second.
    std::int64_t elapsed = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::int64_t step = i == 1234 ? 250 : 3 + (i * 7) % 19;
        m_time.now += step;
        elapsed += step;
        const std::size_t told = m_follower.frames.size();
        const std::int32_t before = m_clock.frame();
        m_clock.Tick();
        // Only the first of the frames of one tick is told.
        if (m_clock.frame() > before) {
            ASSERT_EQ(m_follower.frames.size(), told + 1);
            ASSERT_EQ(m_follower.frames.back(), before + 1);
        } else {
            ASSERT_EQ(m_follower.frames.size(), told);
        }
    }
    EXPECT_EQ(m_clock.frame(), -3 + elapsed * 30 / 1000 + 1);
    const std::int32_t frame = m_clock.frame();
    m_clock.Tick();
    EXPECT_EQ(m_clock.frame(), frame) << "nothing passed, nothing counted";
}

TEST_F(PlaybackClockTest, StopsOnceFromEveryPath)
{
    m_clock.SetAudio(&m_audio);
    m_clock.AddFollower(&m_follower);
    RecordingFollower second;
    m_clock.AddFollower(&second);

    m_clock.Start(0, 600, 0);
    Run(500);
    m_clock.Stop();
    m_clock.Stop();
    EXPECT_EQ(m_audio.stops, 1);
    EXPECT_EQ(m_follower.playingCalls, (std::vector<bool>{true, false}));
    EXPECT_EQ(second.playingCalls, (std::vector<bool>{true, false}));
    const std::int32_t frame = m_clock.frame();
    m_time.now += 1000;
    m_clock.Tick();
    EXPECT_EQ(m_clock.frame(), frame) << "a tick after the stop counts nothing";

    // A view that stops playback while told a frame: the rest of the tick is dropped, and
    // no later view is told that frame.
    m_follower.frames.clear();
    m_follower.onFrame = [this](int frame) {
        if (frame == 40)
            m_clock.Stop();
    };
    m_clock.Start(0, 600, 0);
    Run(5000);
    EXPECT_EQ(m_clock.frame(), 40);
    EXPECT_EQ(m_follower.frames.back(), 40);
    EXPECT_EQ(second.frames.back(), 39);
    EXPECT_EQ(m_audio.stops, 2);

    // A view that runs an event loop, and so lets the timer tick inside a tick.
    m_follower.onFrame = [this](int) { m_clock.Tick(); };
    m_follower.frames.clear();
    m_clock.Start(0, 600, 0);
    Run(1000);
    EXPECT_EQ(m_clock.frame(), 31);
    EXPECT_EQ(m_follower.frames.size(), 31u) << "each frame told once";
}

TEST_F(PlaybackClockTest, FollowsTheSongTheDeviceActuallyPlays)
{
    RecordingAudio audio(&m_clock, 400000);
    m_clock.SetAudio(&audio);
    // The device's clock runs 0.02% fast and started 60 ms late, and it reports what it
    // played in a saw tooth of +-45 ms as sound servers do: five minutes later the clock
    // must still show the frame being heard.
    std::int64_t deviceStart = m_time.now + 60;
    const auto heardMs
        = [&] { return std::max<std::int64_t>(0, (m_time.now - deviceStart) * 10002 / 10000); };
    audio.playedMs = [&] {
        const std::int64_t heard = heardMs();
        return heard + 45 - ((heard + 2250) % 4500) * 20 / 1000;
    };
    m_clock.Start(0, 10000, 0);
    std::int64_t worst = 0;
    for (int second = 0; second < 300; ++second) {
        Run(1000);
        if (second >= 2)
            worst
                = std::max<std::int64_t>(worst, std::abs(heardMs() * 30 / 1000 - m_clock.frame()));
    }
    EXPECT_LE(worst, 1);
    EXPECT_LE(std::abs(m_clock.driftMs()), 1000 / 30);

    // A stream that stalls while starting holds the frames back until it plays; one that
    // never plays holds them only for a while.
    for (const std::int64_t stall : {1200, 20000}) {
        m_clock.Stop();
        deviceStart = m_time.now + stall;
        m_clock.Start(0, 10000, 0);
        Run(1000);
        EXPECT_LE(m_clock.frame(), 7) << stall;
        Run(5000);
        if (stall < CPlaybackClock::kMaxStallMs) {
            EXPECT_LE(std::abs(m_clock.driftMs()), 1000 / 30) << stall;
        } else {
            EXPECT_GE(m_clock.frame(), (6000 - CPlaybackClock::kMaxStallMs) * 30 / 1000 - 2)
                << "a device that never plays must not stop the clock";
        }
    }
}

} // namespace
} // namespace zelvane::test
