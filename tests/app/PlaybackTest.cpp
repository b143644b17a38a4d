#include "app/AppTestSupport.h"
#include "media/AudioFiles.h"
#include "playback/PlaybackFakes.h"

#include <QAudioDevice>
#include <QMediaDevices>

namespace zelvane {
namespace {

class AppPlayback : public test::FrameTest {
protected:
    void SetUp() override
    {
        test::FrameTest::SetUp();
        frame->AddPlaybackFollower(&follower);
    }
    void TearDown() override
    {
        if (frame)
            frame->RemovePlaybackFollower(&follower);
    }

    // A second of a square wave and a one-measure chart at 480 BPM (half a second, frame
    // 15), with the song's gap.
    QString WriteSongDocument(const QString& name, std::int32_t gap = 0)
    {
        const QString song = Path(name + QStringLiteral(".wav"));
        WriteFileAtomically(song.toStdString(),
                            test::WavBytes(8000, 1, test::Samples(8000, 1, [](std::size_t i, int) {
                                               return (i % 20) < 10 ? 3000 : -3000;
                                           })));
        ZlvmDocumentData data;
        data.title = name.toStdString();
        data.bpm = 480.0f;
        data.gap = gap;
        data.audioPath = song.toStdString();
        data.scores.push_back({Style::SINGLE, "BASIC", {CNote{0, 1, 0}, CNote{192, 2, 0}}});
        const QString path = Path(name + QStringLiteral(".zlvm"));
        WriteFileAtomically(path.toStdString(), WriteZlvm(data));
        return path;
    }

    bool Enabled(int id) { return frame->action(id)->isEnabled(); }

    // What a user sees of the state: the commands, the score view and the score bar.
    // `playable`: the current score has notes to play.
    void ExpectPlayingState(bool playing, bool playable = true)
    {
        EXPECT_EQ(frame->document().playing(), playing);
        EXPECT_EQ(frame->playbackClock().playing(), playing);
        EXPECT_EQ(Enabled(ID_PLAY_STOP), playing);
        for (int id : {ID_PLAY_FROM_START, ID_PLAY_FROM_CURSOR, ID_FILE_BACKGROUND_AVI})
            EXPECT_EQ(Enabled(id), !playing && playable) << id;
        for (int id :
             {ID_FILE_AUDIO, ID_FILE_SONG_SETTINGS, ID_FILE_MODEL, ID_FILE_MOTION_SETTINGS})
            EXPECT_EQ(Enabled(id), !playing) << id;
        EXPECT_EQ(frame->scorePane()->scoreView()->isEnabled(), !playing);
        EXPECT_EQ(frame->scorePane()->scoreBar()->levelList()->isEnabled(), !playing);
    }

    test::RecordingFollower follower;
};

TEST_F(AppPlayback, PlayCommandsStartWhereAskedAndTheViewsFollowToTheEnd)
{
    ExpectPlayingState(false, false); // the new document's score is empty

    ASSERT_TRUE(frame->OpenFile(WriteSongDocument(QStringLiteral("beat"), 500)));
    EXPECT_EQ(frame->audioPlayer().DurationMs(), 1000) << "decoded ahead, on opening";
    ExpectPlayingState(false);

    // From the top with a 500 ms gap: the song starts with the clock, half a second before
    // the chart.
    Press(Qt::Key_F5, Qt::ControlModifier);
    ExpectPlayingState(true);
    EXPECT_EQ(frame->playbackClock().frame(), -15);
    EXPECT_EQ(frame->playbackClock().endFrame(), 15);
    EXPECT_EQ(follower.playingCalls, std::vector<bool>{true});
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        EXPECT_TRUE(frame->statusBar()->currentMessage().contains(QStringLiteral("音を出さずに")))
            << frame->statusBar()->currentMessage().toStdString();
    }
    QTRY_VERIFY_WITH_TIMEOUT(!frame->document().playing(), 20000);
    ExpectPlayingState(false);
    EXPECT_FALSE(follower.frames.empty());
    EXPECT_EQ(follower.playingCalls, (std::vector<bool>{true, false}));
    EXPECT_EQ(QApplication::focusWidget(), frame->scorePane()->scoreView());

    // From the score view's cursor row (two rows of 48 clocks), stopped by the stop key.
    frame->scorePane()->scoreView()->SetCursorRow(2, false);
    Press(Qt::Key_F5, Qt::NoModifier);
    ExpectPlayingState(true);
    EXPECT_EQ(frame->playbackClock().frame(), 7);
    Press(Qt::Key_Pause, Qt::ControlModifier);
    ExpectPlayingState(false);
    EXPECT_EQ(follower.playingCalls, (std::vector<bool>{true, false, true, false}));
}

TEST_F(AppPlayback, EveryWayOfLeavingTheSongStopsItAndGivesTheViewsBack)
{
    const QString other = WriteSongDocument(QStringLiteral("other"));
    ASSERT_TRUE(frame->OpenFile(WriteSongDocument(QStringLiteral("beat"))));
    const auto startThen = [this](const std::function<void()>& leave, bool playable = true) {
        frame->action(ID_PLAY_FROM_START)->trigger();
        ASSERT_TRUE(frame->document().playing());
        leave();
        ExpectPlayingState(false, playable);
        EXPECT_EQ(follower.playingCalls.back(), false);
    };
    startThen([this, other] {
        frame->document().SetAudio(QString(other).replace(".zlvm", ".wav").toStdString());
    });
    startThen([this, other] { ASSERT_TRUE(frame->OpenFile(other)); });
    EXPECT_EQ(frame->audioPlayer().path().filename(), "other.wav") << "the new song decoded";
    startThen([this] { frame->action(ID_FILE_NEW)->trigger(); }, false);
    EXPECT_FALSE(frame->audioPlayer().HasSong());
    ASSERT_TRUE(frame->OpenFile(other));
    startThen([this] { EXPECT_TRUE(frame->close()); });
    EXPECT_EQ(follower.playingCalls.size(), 8u);
}

TEST_F(AppPlayback, TheAssistClapIsOffByDefaultRememberedAndClicksAtEveryNote)
{
    ASSERT_TRUE(frame->OpenFile(WriteSongDocument(QStringLiteral("beat"))));
    QAction* clap = frame->action(ID_PLAY_ASSIST_CLAP);
    EXPECT_FALSE(clap->isChecked());
    frame->action(ID_PLAY_FROM_START)->trigger();
    EXPECT_FALSE(clap->isEnabled()) << "decided when the song starts";
    EXPECT_TRUE(frame->audioPlayer().clickFrames().empty());
    frame->action(ID_PLAY_STOP)->trigger();

    clap->trigger();
    frame->action(ID_PLAY_FROM_START)->trigger();
    // The notes at clocks 0 and 192 sound at 0 and 500 ms of the song.
    const std::int64_t rate = frame->audioPlayer().sampleRate();
    EXPECT_EQ(frame->audioPlayer().clickFrames(), (std::vector<std::int64_t>{0, rate / 2}));
    frame->action(ID_PLAY_STOP)->trigger();

    frame.reset();
    frame = std::make_unique<CMainFrame>();
    EXPECT_TRUE(frame->action(ID_PLAY_ASSIST_CLAP)->isChecked());
}

} // namespace
} // namespace zelvane
