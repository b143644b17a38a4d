#include "DrumLoop.h"
#include "app/AppTestSupport.h"
#include "app/TempoDetectDialog.h"

#include <QLabel>
#include <QProgressBar>

namespace zelvane {
namespace {

// A song whose beats fall every 400 ms from 1250 ms: the first at or after the start, the
// gap, is at 50 ms.
constexpr double kSongBpm = 150.0;
constexpr int kSongGap = 50;
// The analysis runs on a loaded machine; this is only how long a broken worker may hang.
constexpr int kAnalysisLimitMs = 120000;

class TempoDetectTest : public test::FrameTest {
protected:
    void SetUp() override
    {
        test::FrameTest::SetUp();
        test::DrumLoop loop;
        loop.bpm = kSongBpm;
        loop.firstBeatSeconds = 1.25;
        loop.seconds = 20.0;
        song = Path(QStringLiteral("loop.wav"));
        loop.WriteWav(song.toStdString());
        AddNotes({{0, 0, 0}, {96, 1, 0}});
        CTempoMap map(120.0f);
        ASSERT_TRUE(map.Add(std::vector<CTempoEvent>{CTempoChange{960, 90.0f}}).empty());
        document().SetTempoMap(map);
        document().SetDescription(
            {document().description().title, document().description().artist, -40});
        document().SetAudio(song.toStdString());
        frame->UpdateCommandStates();
    }
    CStepDocument& document() { return frame->document(); }

    // Answers the detection dialog once the analysis is done, noting what it showed, with
    // 適用 when `apply`, else with the button that closes it.
    std::shared_ptr<bool> AnswerDetection(bool apply, QString* bpmShown = nullptr)
    {
        return test::Prompts().Answer<CTempoDetectDialog>([=](CTempoDetectDialog& dialog) {
            EXPECT_FALSE(dialog.applyButton()->isEnabled());
            ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.finished(); }, kAnalysisLimitMs));
            EXPECT_EQ(dialog.progressBar()->value(), dialog.progressBar()->maximum());
            EXPECT_EQ(dialog.abortButton()->text(), LoadQString(IDS_BUTTON_CLOSE));
            EXPECT_EQ(dialog.firstBeatLabel()->text().isEmpty(), !dialog.estimate());
            if (bpmShown)
                *bpmShown = dialog.bpmLabel()->text();
            (apply ? dialog.applyButton() : dialog.abortButton())->click();
        });
    }

    QString song;
};

// Closing the dialog, before or after the analysis ends, or cancelling the question about the
// map changes nothing. 適用 sets the tempo and gap heard as one edit, undone as one; a map of
// more than the song's tempo is replaced only when the user says so, and 残す keeps the rest.
TEST_F(TempoDetectTest, AppliesTheTempoAndGapFoundAsOneUndoableEditOrNothing)
{
    const std::vector<CTempoEvent> before{CTempoChange{0, 120.0f}, CTempoChange{960, 90.0f}};
    auto stopped = test::Prompts().Answer<CTempoDetectDialog>(
        [](CTempoDetectDialog& dialog) { dialog.abortButton()->click(); });
    frame->action(ID_EDIT_DETECT_TEMPO)->trigger();
    ASSERT_TRUE(*stopped);
    auto closed = AnswerDetection(false);
    frame->action(ID_EDIT_DETECT_TEMPO)->trigger();
    ASSERT_TRUE(*closed);
    auto detected = AnswerDetection(true);
    auto asked = test::AnswerMessage(LoadQString(IDS_BUTTON_CANCEL));
    frame->action(ID_EDIT_DETECT_TEMPO)->trigger();
    ASSERT_TRUE(*detected && *asked);
    EXPECT_EQ(document().tempoMap().events(), before);
    EXPECT_EQ(document().description().gap, -40);
    EXPECT_FALSE(document().CanUndo());

    QString bpmShown;
    detected = AnswerDetection(true, &bpmShown);
    QString question;
    asked = test::AnswerMessage(LoadQString(IDS_BUTTON_REPLACE), &question);
    frame->action(ID_EDIT_DETECT_TEMPO)->trigger();
    ASSERT_TRUE(*detected && *asked);
    EXPECT_EQ(question, LoadQString(IDS_DETECT_TEMPO_REPLACE_MAP));
    EXPECT_NEAR(bpmShown.toDouble(), kSongBpm, 0.05) << bpmShown.toStdString();
    EXPECT_NEAR(document().tempoMap().songBpm(), kSongBpm, 0.05);
    EXPECT_NEAR(document().description().gap, kSongGap, 10);
    EXPECT_TRUE(document().tempoMap().IsSingleTempo());
    EXPECT_EQ(document().commandAt(0).name(), "テンポ検出");
    frame->action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(document().tempoMap().events(), before);
    EXPECT_EQ(document().description().gap, -40);

    detected = AnswerDetection(true);
    asked = test::AnswerMessage(LoadQString(IDS_BUTTON_KEEP));
    frame->action(ID_EDIT_DETECT_TEMPO)->trigger();
    ASSERT_TRUE(*detected && *asked);
    EXPECT_NEAR(document().tempoMap().songBpm(), kSongBpm, 0.05);
    EXPECT_NEAR(document().description().gap, kSongGap, 10);
    ASSERT_EQ(document().tempoMap().events().size(), 2u);
    EXPECT_EQ(document().tempoMap().events()[1], before[1]);

    document().SetAudio({});
    frame->UpdateCommandStates();
    EXPECT_FALSE(frame->action(ID_EDIT_DETECT_TEMPO)->isEnabled());
}

} // namespace
} // namespace zelvane
