#include "app/AppTestSupport.h"
#include "media/AudioFiles.h"

#include <QImage>
#include <QPainter>

namespace zelvane {
namespace {

class AppWaveform : public test::FrameTest {
protected:
    // A four-second song, a loud square wave for its first two seconds and silence after,
    // under a chart at 120 BPM (a beat of 48 clocks is half a second) whose first clock
    // comes one second into the song.
    QString WriteDocument()
    {
        const QString song = Path(QStringLiteral("halves.wav"));
        WriteFileAtomically(song.toStdString(),
                            test::WavBytes(8000, 1, test::Samples(32000, 1, [](std::size_t i, int) {
                                               if (i >= 16000)
                                                   return 0;
                                               return (i % 20) < 10 ? 20000 : -20000;
                                           })));
        ZlvmDocumentData data;
        data.bpm = 120.0f;
        data.gap = 1000;
        data.audioPath = song.toStdString();
        data.scores.push_back({Style::SINGLE, "BASIC", {CNote{0, 1, 0}}});
        const QString path = Path(QStringLiteral("halves.zlvm"));
        WriteFileAtomically(path.toStdString(), WriteZlvm(data));
        return path;
    }

    void OpenAndLoad()
    {
        ASSERT_TRUE(frame->OpenFile(WriteDocument()));
        QTRY_VERIFY(!frame->songLoader().loading());
        ASSERT_TRUE(view()->songEnvelope()) << "the decode hands over the envelope";
    }

    CScoreView* view() const { return frame->scorePane()->scoreView(); }

    // How wide the strip's envelope is on the middle pixel line of `row`, as painted.
    int EnvelopeWidth(int row) const
    {
        CScoreView* score = view();
        QImage image(score->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        score->Paint(painter);
        painter.end();
        const QRect strip = score->WaveformRect();
        const int y = (row - score->firstRow()) * score->rowHeight() + score->rowHeight() / 2;
        EXPECT_TRUE(y >= 0 && y < image.height()) << "row " << row << " is not shown";
        const QRgb ink = score->palette().color(QPalette::Highlight).rgba();
        int width = 0;
        for (int x = strip.left(); x <= strip.right(); ++x)
            width += image.pixel(x, y) == ink ? 1 : 0;
        return width;
    }
};

// The loud half of the song is drawn wide and the silent half as a thin line, each on the
// rows the song plays under: one second of gap puts the end of the loud half at clock 96,
// whatever the zoom and wherever the score is scrolled.
TEST_F(AppWaveform, LoudRowsShowAWiderEnvelopeThanSilentRowsAtEveryZoomAndScroll)
{
    OpenAndLoad();
    CScoreView* score = view();
    ASSERT_FALSE(score->WaveformRect().isEmpty());
    EXPECT_GE(score->WaveformRect().left(), score->lanesRight()) << "beside the lanes";
    for (int zoom = 0; zoom < 2; ++zoom) {
        const std::int32_t perRow = score->clocksPerRow();
        ASSERT_EQ(96 % perRow, 0);
        const int lastLoud = 96 / perRow - 1;
        ASSERT_GE(score->viewport()->height(), (lastLoud + 3) * score->rowHeight());
        for (int first : {0, lastLoud}) {
            score->SetFirstRow(first);
            ASSERT_EQ(score->firstRow(), first);
            const int loud = EnvelopeWidth(lastLoud);
            const int silent = EnvelopeWidth(lastLoud + 1);
            EXPECT_GE(loud, 20) << "clocks per row " << perRow << ", first row " << first;
            EXPECT_GE(silent, 1) << "silence is still drawn";
            EXPECT_LE(silent, 2) << "clocks per row " << perRow << ", first row " << first;
            EXPECT_GT(EnvelopeWidth(first), 20) << "the song plays from the first row on";
        }
        frame->action(ID_VIEW_ZOOM_IN)->trigger();
        ASSERT_LT(score->clocksPerRow(), perRow) << "zoomed in";
    }
}

// 表示 > 波形 is on at first, hides the strip when switched off, and stays off in the next
// window.
TEST_F(AppWaveform, TheWaveformSwitchIsOnByDefaultAndRemembered)
{
    OpenAndLoad();
    QAction* waveform = frame->action(ID_VIEW_WAVEFORM);
    ASSERT_TRUE(waveform->isCheckable());
    EXPECT_TRUE(waveform->isChecked());
    EXPECT_FALSE(view()->WaveformRect().isEmpty());
    waveform->trigger();
    EXPECT_FALSE(waveform->isChecked());
    EXPECT_TRUE(view()->WaveformRect().isEmpty());

    frame.reset();
    frame = std::make_unique<CMainFrame>();
    EXPECT_FALSE(frame->action(ID_VIEW_WAVEFORM)->isChecked());
    EXPECT_FALSE(view()->waveformShown());
    frame->action(ID_VIEW_WAVEFORM)->trigger();
    EXPECT_TRUE(view()->waveformShown());
    frame.reset();
    frame = std::make_unique<CMainFrame>();
    EXPECT_TRUE(view()->waveformShown());
}

} // namespace
} // namespace zelvane
