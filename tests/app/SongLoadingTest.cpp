#include "app/AppTestSupport.h"
#include "media/AudioFiles.h"

#include <QMenu>

#include <condition_variable>
#include <mutex>

namespace zelvane {
namespace {

// The play menu, fourth in the menu bar.
constexpr int kPlayMenu = 3;

// Decodes songs as the program does, but only once the test lets each one go; counts the
// decodes and keeps the samples each one gave.
class HeldSongDecode {
public:
    SongDecodeJob::Decode Decode()
    {
        return
            [this](const std::filesystem::path& path, const AudioDecoder::ProgressHandler& progress,
                   std::stop_token stop) -> DecodedSong {
                {
                    std::unique_lock lock(m_mutex);
                    ++m_started;
                    m_changed.notify_all();
                    m_changed.wait(lock, stop, [this] { return m_released > 0; });
                    if (stop.stop_requested())
                        throw DecodeCancelled();
                    --m_released;
                }
                DecodedSong song = DecodeSong(
                    path,
                    [](int rate, int channels) {
                        return SongFormat{rate, channels};
                    },
                    progress);
                std::lock_guard lock(m_mutex);
                m_decoded.push_back(song.pcm);
                return song;
            };
    }
    void WaitUntilStarted(int decodes)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_started >= decodes; });
    }
    void ReleaseOne()
    {
        std::lock_guard lock(m_mutex);
        ++m_released;
        m_changed.notify_all();
    }
    int started()
    {
        std::lock_guard lock(m_mutex);
        return m_started;
    }
    std::vector<std::shared_ptr<const PcmAudio>> decoded()
    {
        std::lock_guard lock(m_mutex);
        return m_decoded;
    }

private:
    std::mutex m_mutex;
    std::condition_variable_any m_changed;
    int m_started = 0;
    int m_released = 0;
    std::vector<std::shared_ptr<const PcmAudio>> m_decoded;
};

class AppSongLoading : public test::FrameTest {
protected:
    void SetUp() override
    {
        test::FrameTest::SetUp();
        frame->songLoader().SetDecode(held.Decode());
    }

    // A document of one two-note chart at 480 BPM (half a second) and a song of `ms`
    // milliseconds, or of a file that is no song.
    QString WriteDocument(const QString& name, int ms, bool noise = false,
                          const QString& model = QString())
    {
        const QString song = Path(name + QStringLiteral(".wav"));
        if (noise) {
            test::WriteBytes(song, QByteArray("RIFF and then no wave at all"));
        } else {
            const auto frames = static_cast<std::size_t>(ms) * 8;
            WriteFileAtomically(song.toStdString(),
                                test::WavBytes(8000, 1, std::vector<std::int16_t>(frames, 900)));
        }
        ZlvmDocumentData data;
        data.bpm = 480.0f;
        data.audioPath = song.toStdString();
        data.modelPath = model.toStdString();
        data.scores.push_back({Style::SINGLE, "BASIC", {CNote{0, 1, 0}, CNote{192, 2, 0}}});
        const QString path = Path(name + QStringLiteral(".zlvm"));
        WriteFileAtomically(path.toStdString(), WriteZlvm(data));
        return path;
    }

    bool CanPlay() const { return frame->action(ID_PLAY_FROM_START)->isEnabled(); }
    QString Status() const { return frame->statusBar()->currentMessage(); }

    HeldSongDecode held;
};

// Opening a document never waits for its song: while the decode is held the window takes
// its events, the score scrolls and edits, the play menu opens with its commands off, and
// the status bar says how far the song has come. One decode then gives the song its length
// and the player its samples.
TEST_F(AppSongLoading, TheWindowWorksWhileTheSongDecodesAndOneDecodeFeedsLengthAndPlayer)
{
    ASSERT_TRUE(frame->OpenFile(WriteDocument(QStringLiteral("long"), 4000)));
    held.WaitUntilStarted(1);
    CStepDocument& document = frame->document();
    EXPECT_EQ(document.audio().lengthMs, 0);
    EXPECT_FALSE(CanPlay());
    EXPECT_EQ(Status(), QStringLiteral("曲を読み込み中… 0 %"));

    bool posted = false;
    QMetaObject::invokeMethod(
        frame.get(), [&posted] { posted = true; }, Qt::QueuedConnection);
    QTRY_VERIFY(posted);
    CScoreView* view = frame->scorePane()->scoreView();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(frame->viewState().currentTime(), 96);
    QTest::keyClicks(view, QStringLiteral("4"));
    EXPECT_EQ(document.scores().current()->notes().size(), 3u);
    EXPECT_TRUE(document.CanUndo());
    QMenu* play = frame->menu(kPlayMenu);
    play->popup(frame->mapToGlobal(QPoint(10, 10)));
    QTRY_VERIFY(play->isVisible());
    EXPECT_FALSE(frame->action(ID_PLAY_FROM_START)->isEnabled());
    play->close();
    EXPECT_EQ(held.started(), 1);

    held.ReleaseOne();
    QTRY_VERIFY(frame->audioPlayer().HasSong());
    EXPECT_EQ(held.started(), 1) << "decoded once";
    ASSERT_EQ(held.decoded().size(), 1u);
    EXPECT_EQ(frame->audioPlayer().pcm(), held.decoded()[0]) << "the very samples decoded";
    EXPECT_EQ(document.audio().lengthMs, 4000);
    EXPECT_EQ(frame->audioPlayer().DurationMs(), 4000);
    // Four seconds at 480 BPM are 32 beats: the score reaches the song's end.
    EXPECT_EQ(document.scores().current()->length(), 32 * 48);
    EXPECT_TRUE(CanPlay());
    EXPECT_FALSE(Status().contains(QStringLiteral("曲を読み込み中"))) << Status().toStdString();
    EXPECT_EQ(document.scores().current()->notes().size(), 3u) << "the edit stays";
}

// Another document, a new one or the window's end stops the song in its decode; only the
// song of the document at hand is ever taken.
TEST_F(AppSongLoading, LeavingADocumentStopsItsSongsDecode)
{
    ASSERT_TRUE(frame->OpenFile(WriteDocument(QStringLiteral("first"), 3000)));
    held.WaitUntilStarted(1);
    ASSERT_TRUE(frame->OpenFile(WriteDocument(QStringLiteral("second"), 2000)));
    held.WaitUntilStarted(2);
    EXPECT_EQ(frame->songLoader().path().filename(), "second.wav");
    held.ReleaseOne();
    QTRY_VERIFY(frame->audioPlayer().HasSong());
    EXPECT_EQ(frame->audioPlayer().path().filename(), "second.wav");
    EXPECT_EQ(frame->document().audio().lengthMs, 2000);
    EXPECT_EQ(held.decoded().size(), 1u) << "the first song was never decoded";

    ASSERT_TRUE(frame->OpenFile(WriteDocument(QStringLiteral("third"), 1000)));
    held.WaitUntilStarted(3);
    EXPECT_FALSE(frame->audioPlayer().HasSong()) << "the second song went with its document";
    frame->action(ID_FILE_NEW)->trigger();
    EXPECT_FALSE(frame->songLoader().loading());
    EXPECT_EQ(frame->document().audio().lengthMs, 0);

    ASSERT_TRUE(frame->OpenFile(WriteDocument(QStringLiteral("fourth"), 1000)));
    held.WaitUntilStarted(4);
    EXPECT_TRUE(frame->close());
    frame.reset(); // waits for nothing but the decode's stop
    EXPECT_EQ(held.decoded().size(), 1u);
}

// A song that cannot be decoded says why in the status bar, and the document goes on
// without its length: the chart still plays, silently.
TEST_F(AppSongLoading, ASongThatCannotBeDecodedIsToldInTheStatusBar)
{
    ASSERT_TRUE(frame->OpenFile(WriteDocument(QStringLiteral("noise"), 0, true)));
    held.ReleaseOne();
    QTRY_VERIFY(!frame->songLoader().loading());
    EXPECT_EQ(Status(), LoadQString(IDS_SONG_CANNOT_LOAD));
    EXPECT_TRUE(frame->statusDetail().contains(QStringLiteral("noise.wav")))
        << frame->statusDetail().toStdString();
    EXPECT_FALSE(test::HasEnglish(frame->statusDetail(), Path(QStringLiteral("noise.wav"))));
    EXPECT_FALSE(frame->audioPlayer().HasSong());
    EXPECT_EQ(frame->document().audio().path, Path(QStringLiteral("noise.wav")).toStdString());
    EXPECT_EQ(frame->document().audio().lengthMs, 0);
    EXPECT_TRUE(CanPlay());
}

// The song's progress takes the status bar only while it lasts: what it covered, here the
// pictures the document's model lacks, is said again once the song is ready.
TEST_F(AppSongLoading, TheStatusTheProgressCoveredComesBackWhenTheSongIsReady)
{
    const QString modelPath = Path(QStringLiteral("tri.pmd"));
    test::WriteTriangleModel(modelPath, {"blouse.png"});
    ASSERT_TRUE(frame->OpenFile(WriteDocument(QStringLiteral("dressed"), 1000, false, modelPath)));
    held.WaitUntilStarted(1);
    const QString missing = ToQString(FormatString(IDS_TEXTURES_NOT_FOUND, {"blouse.png"}));
    EXPECT_EQ(frame->modelView()->missingTextures(), QStringList{QStringLiteral("blouse.png")});
    held.ReleaseOne();
    QTRY_VERIFY(frame->audioPlayer().HasSong());
    EXPECT_EQ(Status(), missing);
}

} // namespace
} // namespace zelvane
