#include "app/AppTestSupport.h"
#include "app/TempoEventDialog.h"
#include "base/ChartLimits.h"
#include "chart/ChartTestSupport.h"
#include "chart/Score.h"

#include <QLabel>
#include <QMenu>

namespace zelvane {
namespace {

using Events = std::vector<CTempoEvent>;

class TempoMarkerTest : public test::FrameTest {
protected:
    void SetUp() override
    {
        test::FrameTest::SetUp();
        view = frame->scorePane()->scoreView();
        view->setFocus();
    }
    CStepDocument& document() { return frame->document(); }
    Events EventsNow() { return document().tempoMap().events(); }
    QWidget* port() { return view->viewport(); }

    // Answers the next event dialog by typing `text`, noting whether OK was on for each of
    // `wrong` first, and what the dialog said then; OK is clicked when it can be.
    std::shared_ptr<bool> AnswerEvent(const QString& text, const QStringList& wrong = {},
                                      QStringList* said = nullptr, QString* title = nullptr)
    {
        return test::Prompts().Answer<CTempoEventDialog>([=](CTempoEventDialog& dialog) {
            if (title)
                *title = dialog.windowTitle();
            for (const QString& bad : wrong) {
                test::Retype(dialog.valueEdit(), bad);
                EXPECT_FALSE(dialog.okButton()->isEnabled()) << bad.toStdString();
                if (said)
                    *said << dialog.errorLabel()->text();
            }
            test::Retype(dialog.valueEdit(), text);
            if (dialog.okButton()->isEnabled())
                dialog.okButton()->click();
        });
    }
    std::optional<CScoreView::TempoMarker> MarkerOf(std::size_t index)
    {
        for (const CScoreView::TempoMarker& marker : view->VisibleTempoMarkers())
            if (marker.index == index)
                return marker;
        return std::nullopt;
    }

    CScoreView* view = nullptr;
};

} // namespace

// The Edit menu inserts at the cursor row through a dialog whose OK waits for a valid value;
// the marker appears at the event's row, and undo takes it away again.
TEST_F(TempoMarkerTest, TheEditMenuInsertsEventsThatTheViewMarksAtTheirRows)
{
    ASSERT_EQ(view->rowHeight(), 48);
    view->SetCursorRow(4, false);
    QStringList said;
    QString title;
    const auto asked = AnswerEvent(
        QStringLiteral("150"),
        {QString(), QStringLiteral("0"), QStringLiteral("abc"), QStringLiteral("200000")}, &said,
        &title);
    frame->action(ID_EDIT_INSERT_TEMPO_CHANGE)->trigger();
    ASSERT_TRUE(*asked);
    EXPECT_EQ(title, QStringLiteral("テンポ変更の挿入"));
    ASSERT_EQ(said.size(), 4);
    EXPECT_EQ(said[0], LoadQString(IDS_NUMBER_REQUIRED));
    EXPECT_TRUE(said[1].contains(QStringLiteral("100000"))) << said[1].toStdString();
    for (const QString& message : said)
        EXPECT_FALSE(test::HasEnglish(message)) << message.toStdString();
    EXPECT_EQ(EventsNow(), (Events{CTempoChange{0, 120.0f}, CTempoChange{192, 150.0f}}));
    EXPECT_EQ(document().commandAt(0).name(), "テンポ変更の挿入");

    // The marker lies beside the lanes at the top of row 4, drawn in the marker colour.
    std::optional<CScoreView::TempoMarker> marker = MarkerOf(1);
    ASSERT_TRUE(marker);
    EXPECT_EQ(marker->text, QStringLiteral("テンポ 150"));
    EXPECT_EQ(marker->rect.top(), 4 * 48 + 1);
    EXPECT_GE(marker->rect.left(), view->lanesRight());
    const QImage image = port()->grab().toImage();
    EXPECT_EQ(image.pixelColor(marker->rect.right() - 1, marker->rect.top() + 1),
              view->palette().color(QPalette::ToolTipBase));
    EXPECT_NE(image.pixelColor(marker->rect.right() - 1, marker->rect.top() - 48),
              view->palette().color(QPalette::ToolTipBase));
    // Through the zoom: at 24 clocks a row, clock 192 is row 8.
    frame->action(ID_VIEW_ZOOM_IN)->trigger();
    ASSERT_EQ(view->clocksPerRow(), 24);
    EXPECT_EQ(MarkerOf(1)->rect.top(), 8 * 48 + 1);
    frame->action(ID_VIEW_ZOOM_OUT)->trigger();

    // A stop and a delay at another row, from the row menu this time.
    view->SetCursorRow(2, false);
    const auto menu = view->CreateContextMenu(QPoint(10, 2 * 48 + 5), false);
    ASSERT_TRUE(menu);
    for (int id : {ID_EDIT_INSERT_TEMPO_CHANGE, ID_EDIT_INSERT_STOP, ID_EDIT_INSERT_DELAY,
                   ID_EDIT_DELETE_TEMPO_EVENTS}) {
        EXPECT_TRUE(menu->actions().contains(frame->action(id))) << id;
    }
    EXPECT_FALSE(frame->action(ID_EDIT_DELETE_TEMPO_EVENTS)->isEnabled()) << "none at row 2";
    const auto stopAsked
        = AnswerEvent(QStringLiteral("0.25"), {QStringLiteral("-1"), QStringLiteral("4000")});
    frame->action(ID_EDIT_INSERT_STOP)->trigger();
    const auto delayAsked = AnswerEvent(QStringLiteral("0.1"));
    frame->action(ID_EDIT_INSERT_DELAY)->trigger();
    EXPECT_TRUE(*stopAsked && *delayAsked);
    EXPECT_EQ(EventsNow(),
              (Events{CTempoChange{0, 120.0f}, CDelay{96, 100.0}, CStop{96, 250.0},
                      CTempoChange{192, 150.0f}}));
    // One row's markers share its line, in the order they act.
    EXPECT_EQ(MarkerOf(1)->text, QStringLiteral("遅延 0.100秒"));
    EXPECT_EQ(MarkerOf(2)->text, QStringLiteral("停止 0.250秒"));
    EXPECT_EQ(MarkerOf(1)->rect.top(), MarkerOf(2)->rect.top());
    EXPECT_LT(MarkerOf(1)->rect.right(), MarkerOf(2)->rect.left());

    // Deleting at the cursor row takes both; undo brings them back, redo takes them again.
    ASSERT_TRUE(frame->action(ID_EDIT_DELETE_TEMPO_EVENTS)->isEnabled());
    frame->action(ID_EDIT_DELETE_TEMPO_EVENTS)->trigger();
    EXPECT_EQ(EventsNow(), (Events{CTempoChange{0, 120.0f}, CTempoChange{192, 150.0f}}));
    EXPECT_FALSE(frame->action(ID_EDIT_DELETE_TEMPO_EVENTS)->isEnabled());
    Press(Qt::Key_Z);
    EXPECT_EQ(EventsNow().size(), 4u);
    EXPECT_TRUE(MarkerOf(2));
    Press(Qt::Key_Y);
    EXPECT_EQ(EventsNow().size(), 2u);
    EXPECT_FALSE(MarkerOf(2));
    // The song's tempo at row 0 is never deleted from the menu.
    view->SetCursorRow(0, false);
    EXPECT_FALSE(frame->action(ID_EDIT_DELETE_TEMPO_EVENTS)->isEnabled());
    EXPECT_EQ(MarkerOf(0)->text, QStringLiteral("テンポ 120"));
}

// Double-clicking a marker edits its event; a tempo change inserted where one is edits that
// one. An edit the charts cannot take is refused in the status bar and changes nothing.
TEST_F(TempoMarkerTest, MarkersOpenTheirEventAndRefusedEditsChangeNothing)
{
    ASSERT_NO_THROW(document().SetTempoMap([] {
        CTempoMap tempo(120.0f);
        EXPECT_TRUE(tempo.Add(CStop{48, 500.0}).empty());
        return tempo;
    }()));
    document().UpdateAllViews(nullptr, UpdateHint::Song);
    std::optional<CScoreView::TempoMarker> stop = MarkerOf(1);
    ASSERT_TRUE(stop);
    QString title;
    auto asked = AnswerEvent(QStringLiteral("1.5"), {}, nullptr, &title);
    QTest::mouseDClick(port(), Qt::LeftButton, {}, stop->rect.center());
    ASSERT_TRUE(*asked);
    EXPECT_EQ(title, QStringLiteral("停止の編集"));
    EXPECT_EQ(EventsNow()[1], (CTempoEvent{CStop{48, 1500.0}}));
    EXPECT_TRUE(test::NotesOf(*document().scores().current()).empty()) << "the click adds no note";
    EXPECT_EQ(MarkerOf(1)->text, QStringLiteral("停止 1.500秒"));

    // The song's tempo, from its marker or from the menu at row 0.
    asked = AnswerEvent(QStringLiteral("140"), {}, nullptr, &title);
    frame->action(ID_EDIT_INSERT_TEMPO_CHANGE)->trigger();
    ASSERT_TRUE(*asked);
    EXPECT_EQ(title, QStringLiteral("テンポ変更の編集"));
    EXPECT_EQ(document().tempoMap().songBpm(), 140.0f);

    // A note at the chart's limit: a longer stop before it would take it past two hours.
    const CNote last{MaxChartClock(document().tempoMap()), 0, 0};
    AddNotes({last});
    const Events before = EventsNow();
    const std::size_t history = document().historyCount();
    asked = AnswerEvent(QStringLiteral("2"));
    QTest::mouseDClick(port(), Qt::LeftButton, {}, MarkerOf(1)->rect.center());
    EXPECT_TRUE(*asked);
    EXPECT_EQ(EventsNow(), before);
    EXPECT_EQ(document().historyCount(), history);
    EXPECT_EQ(frame->statusBar()->currentMessage(),
              LoadQString(IDS_EDIT_REFUSED) + LoadQString(IDS_ERROR_CHART_LIMIT));
    EXPECT_TRUE(frame->statusDetail().contains(QStringLiteral("SINGLE BASIC")))
        << frame->statusDetail().toStdString();
    EXPECT_FALSE(test::HasEnglish(frame->statusDetail().remove(QStringLiteral("SINGLE BASIC"))))
        << frame->statusDetail().toStdString();

    // While the song plays the markers open nothing and the entries are off.
    frame->viewState().SetPlaying(true);
    frame->UpdateCommandStates();
    EXPECT_FALSE(frame->action(ID_EDIT_INSERT_STOP)->isEnabled());
    frame->viewState().SetPlaying(false);
}

} // namespace zelvane
