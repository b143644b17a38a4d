#include "playback/PlaybackFakes.h"

#include "media/AudioFiles.h"
#include "playback/AudioPlayer.h"

#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QMediaDevices>
#include <QTest>

#include <cmath>

namespace zelvane::test {
namespace {

// `seconds` of a 440 Hz tone.
std::vector<std::uint8_t> ToneWav(int rate, int channels, double seconds)
{
    const auto frames = static_cast<std::size_t>(seconds * rate);
    return WavBytes(rate, channels, Samples(frames, channels, [rate](std::size_t frame, int) {
                        return static_cast<int>(12000 * std::sin(2 * M_PI * 440.0 * frame / rate));
                    }));
}

class AudioPlayerTest : public AudioFileTest {
protected:
    CAudioPlayer m_player;
};

TEST_F(AudioPlayerTest, DecodesTheSongAheadAndKnowsItsExactLengthOrWhyNot)
{
    ASSERT_TRUE(m_player.Open(WriteFile("tone.wav", ToneWav(22050, 1, 1.5))))
        << m_player.errorText();
    EXPECT_TRUE(m_player.HasSong());
    EXPECT_EQ(m_player.DurationMs(), 1500);
    for (const std::int32_t outside : {1500, -1}) {
        m_player.PlayFrom(outside);
        EXPECT_FALSE(m_player.IsRunning()) << outside;
    }
    // Silent or not, a started song runs until stopped.
    m_player.PlayFrom(200);
    EXPECT_TRUE(m_player.IsRunning());
    m_player.Stop();
    EXPECT_FALSE(m_player.IsRunning());
    EXPECT_EQ(m_player.PlayedMs(), -1);

    // A song that cannot be decoded, or is not there, leaves no song and says why.
    for (const auto& path :
         {WriteFile("noise.mp3", std::vector<std::uint8_t>(4000, 0x5A)), m_folder / "none.wav"}) {
        EXPECT_FALSE(m_player.Open(path)) << path;
        EXPECT_FALSE(m_player.HasSong());
        EXPECT_EQ(m_player.DurationMs(), 0);
        EXPECT_FALSE(m_player.errorText().empty());
        m_player.PlayFrom(0);
        EXPECT_FALSE(m_player.IsRunning());
    }
}

// The samples' way to the device is checked piece by piece: decoding in the media suite,
// the mixing source in AssistClapTest. Here the device must take the song at its own pace.
TEST_F(AudioPlayerTest, TheSoundServerPlaysTheSongInStepWithTheClock)
{
    if (QMediaDevices::defaultAudioOutput().isNull())
        GTEST_SKIP() << "no sound server runs here: start PulseAudio (.ci/run shows how with a "
                        "null sink) to hear the song";
    ASSERT_TRUE(m_player.Open(WriteFile("tone.wav", ToneWav(44100, 2, 21.0))))
        << m_player.errorText();
    ASSERT_TRUE(m_player.hasOutput());

    CMonotonicTimeSource time;
    CPlaybackClock clock(time);
    clock.SetAudio(&m_player);
    // Once the device has had a second to settle, the song it played and the frames the
    // views are told must not part by more than one frame.
    std::int64_t worstDrift = 0;
    int framesWatched = 0;
    RecordingFollower follower;
    follower.onFrame = [&](int frame) {
        if (frame >= 30) {
            ++framesWatched;
            worstDrift = std::max<std::int64_t>(worstDrift, std::abs(clock.driftMs()));
        }
    };
    clock.AddFollower(&follower);
    clock.Start(0, 0, 0);
    EXPECT_EQ(clock.endFrame(), 630);
    QTRY_VERIFY_WITH_TIMEOUT(!clock.playing(), 60000);

    EXPECT_GT(clock.frame(), 630);
    EXPECT_GT(framesWatched, 100) << "a late tick tells only its first frame, but not this few";
    EXPECT_LE(worstDrift, 1000 / 30) << "the frame clock left the song";
}

} // namespace
} // namespace zelvane::test
