#include "app/AppTestSupport.h"
#include "media/AudioFiles.h"
#include "playback/PlaybackFakes.h"

#include <QAudioDevice>
#include <QMediaDevices>

#include <algorithm>

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

    // Opens a document and waits until its song has decoded in the background.
    void OpenAndLoad(const QString& path)
    {
        ASSERT_TRUE(frame->OpenFile(path));
        QTRY_VERIFY(!frame->songLoader().loading());
    }

    // What a user sees of the state (the command rules for each state are CommandRowsTest's).
    // `playable`: the current score has notes to play.
    void ExpectPlayingState(bool playing, bool playable = true)
    {
        EXPECT_EQ(frame->viewState().playing(), playing);
        EXPECT_EQ(frame->playbackClock().playing(), playing);
        EXPECT_EQ(Enabled(ID_PLAY_STOP), playing);
        EXPECT_EQ(Enabled(ID_PLAY_FROM_START), !playing && playable);
        EXPECT_EQ(frame->scorePane()->scoreView()->isEnabled(), !playing);
        EXPECT_EQ(frame->scorePane()->scoreBar()->levelList()->isEnabled(), !playing);
    }

    // Plays frames 0 to `last` on time that passes only when the test says so, the score
    // view first among `followers` as it is on the program's clock.
    static void PlayOnManualTime(std::initializer_list<IPlaybackFollower*> followers, int last)
    {
        test::ManualTime time;
        CPlaybackClock clock(time);
        for (IPlaybackFollower* follower : followers)
            clock.AddFollower(follower);
        clock.Start(0, last, 0);
        while (clock.playing()) {
            time.now += CPlaybackClock::kTickIntervalMs;
            clock.Tick();
        }
    }

    // The cursor's clock at every frame from 0 to 301.
    std::vector<std::int32_t> CursorClocks()
    {
        frame->scorePane()->scoreView()->SetCursorRow(0, false);
        test::RecordingFollower cursor;
        std::vector<std::int32_t> clocks{frame->viewState().currentTime()};
        cursor.onFrame = [&](int) { clocks.push_back(frame->viewState().currentTime()); };
        PlayOnManualTime({frame->scorePane()->scoreView(), &cursor}, 300);
        EXPECT_EQ(clocks.size(), 302u) << "every frame is told once";
        return clocks;
    }

    test::RecordingFollower follower;
};

TEST_F(AppPlayback, PlayCommandsStartWhereAskedAndTheViewsFollowToTheEnd)
{
    ExpectPlayingState(false, false); // the new document's score is empty

    OpenAndLoad(WriteSongDocument(QStringLiteral("beat"), 500));
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
    QTRY_VERIFY_WITH_TIMEOUT(!frame->viewState().playing(), 20000);
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
    OpenAndLoad(WriteSongDocument(QStringLiteral("beat")));
    const auto startThen = [this](const std::function<void()>& leave, bool playable = true) {
        frame->action(ID_PLAY_FROM_START)->trigger();
        ASSERT_TRUE(frame->viewState().playing());
        leave();
        QTRY_VERIFY(!frame->songLoader().loading());
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
    OpenAndLoad(other);
    startThen([this] { EXPECT_TRUE(frame->close()); });
    EXPECT_EQ(follower.playingCalls.size(), 8u);
}

TEST_F(AppPlayback, TheAssistClapIsOffByDefaultRememberedAndClicksAtEveryNote)
{
    OpenAndLoad(WriteSongDocument(QStringLiteral("beat")));
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
    // The clicks go through the tempo map: a 250 ms stop after the first note delays the second.
    CTempoMap stopped(480.0f);
    ASSERT_TRUE(stopped.Add(CStop{0, 250.0}).empty());
    frame->document().SetTempoMap(stopped);
    frame->action(ID_PLAY_FROM_START)->trigger();
    EXPECT_EQ(frame->audioPlayer().clickFrames(), (std::vector<std::int64_t>{0, rate * 3 / 4}));
    frame->action(ID_PLAY_STOP)->trigger();

    frame.reset();
    frame = std::make_unique<CMainFrame>();
    EXPECT_TRUE(frame->action(ID_PLAY_ASSIST_CLAP)->isChecked());
}

// The cursor follows the chart's clock through the tempo map: it stands while the chart
// stops and moves on twice as fast at twice the tempo.
TEST_F(AppPlayback, TheCursorStandsThroughAStopAndHurriesAtTwiceTheTempo)
{
    AddNotes({CNote{0, 0, 0}, CNote{960, 1, 0}});
    // 120 BPM, 48 clocks a row: a row every 15 frames, the cursor on the nearest one. It
    // reaches clock 96 at frame 23 (clock 73.6).
    const std::vector<std::int32_t> steady = CursorClocks();
    EXPECT_EQ(steady[22], 48);
    EXPECT_EQ(steady[23], 96);
    EXPECT_EQ(steady[38], 144);

    // A 2 s stop after the beat at 96 (frame 30), twice the tempo from 192 (frame 120).
    CTempoMap tempo(120.0f);
    ASSERT_TRUE(
        tempo.Add(std::vector<CTempoEvent>{CStop{96, 2000.0}, CTempoChange{192, 240.0f}}).empty());
    frame->document().SetTempoMap(tempo);
    const std::vector<std::int32_t> changing = CursorClocks();
    for (std::size_t at = 0; at <= 30; ++at)
        ASSERT_EQ(changing[at], steady[at]) << "before the stop, frame " << at;
    for (std::size_t at = 31; at <= 90; ++at)
        ASSERT_EQ(changing[at], 96) << "standing through the stop, frame " << at;
    for (std::size_t at = 91; at <= 120; ++at)
        ASSERT_EQ(changing[at], steady[at - 60]) << "2 s late after the stop, frame " << at;
    for (const std::int32_t row : {240, 288, 336, 384}) {
        const auto frames = std::count(changing.begin(), changing.end(), row);
        EXPECT_TRUE(frames == 7 || frames == 8) << row << ": " << frames;
    }

    // Playing from the cursor starts at the frame the map gives its clock, and the chart ends
    // at the map's frame of its length: 120 + 768 clocks at 240 BPM.
    frame->scorePane()->scoreView()->SetCursorRow(4, false);
    frame->action(ID_PLAY_FROM_CURSOR)->trigger();
    ASSERT_TRUE(frame->playbackClock().playing());
    EXPECT_EQ(frame->playbackClock().frame(), 120);
    EXPECT_EQ(frame->playbackClock().endFrame(), 240);
    frame->action(ID_PLAY_STOP)->trigger();
}

// While the song plays the views follow the clock themselves: the cursor passes row after
// row, the 3D view takes every frame, and no hint goes round the document's views (the
// window among them) for it. A row chosen by hand is told, as before.
TEST_F(AppPlayback, PlayingRowsReachTheViewsWithoutAHintPerRow)
{
    struct HintCounter : IStepDocumentView {
        void OnUpdate(IStepDocumentView*, UpdateHint hint, CScore*) override
        {
            currentTimeHints += hint == UpdateHint::CurrentTime ? 1 : 0;
        }
        int currentTimeHints = 0;
    } hints;
    AddNotes({CNote{0, 0, 0}, CNote{960, 1, 0}});
    frame->document().AddView(&hints);
    PlayOnManualTime({frame->scorePane()->scoreView(), frame->modelView()}, 100);
    frame->document().RemoveView(&hints);
    EXPECT_EQ(frame->viewState().currentTime(), 336) << "the cursor went along (frame 101)";
    EXPECT_EQ(frame->modelView()->frame(), 101);
    EXPECT_EQ(hints.currentTimeHints, 0);

    frame->document().AddView(&hints);
    frame->scorePane()->scoreView()->SetCursorRow(2, false);
    frame->document().RemoveView(&hints);
    EXPECT_EQ(hints.currentTimeHints, 1);
}

} // namespace
} // namespace zelvane
