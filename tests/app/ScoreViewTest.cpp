#include "app/AppTestSupport.h"
#include "base/ChartLimits.h"
#include "chart/ChartTestSupport.h"
#include "chart/Score.h"
#include "score/ScoreClipboard.h"

#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>

namespace zelvane {
namespace {

class ScoreViewTest : public test::FrameTest {
protected:
    void SetUp() override
    {
        test::FrameTest::SetUp();
        view = frame->scorePane()->scoreView();
        view->setFocus();
        ASSERT_TRUE(view->hasFocus());
    }

    CStepDocument& document() { return frame->document(); }
    CScore& score() { return *document().scores().current(); }
    QWidget* port() { return view->viewport(); }

    // The middle of a cell; `dy` moves within the cell (from its top).
    QPoint Cell(int row, int panel, int dy = -1) const
    {
        return {view->headerWidth() + (panel - view->firstColumn()) * view->columnWidth()
                    + view->columnWidth() / 2,
                (row - view->firstRow()) * view->rowHeight()
                    + (dy < 0 ? view->rowHeight() / 2 : dy)};
    }

    std::vector<CNote> Notes() { return test::NotesOf(score()); }

    std::vector<std::string> History()
    {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < document().historyPosition(); ++i)
            names.push_back(document().commandAt(i).name());
        return names;
    }

    void Drag(const QPoint& from, const QPoint& to)
    {
        QTest::mousePress(port(), Qt::LeftButton, {}, from);
        QTest::mouseMove(port(), to);
        QTest::mouseRelease(port(), Qt::LeftButton, {}, to);
    }

    QColor Pixel(const QPoint& point) { return port()->grab().toImage().pixelColor(point); }

    CScoreView* view = nullptr;
};

TEST_F(ScoreViewTest, CellsAreHalfAnInchAndNotesTakeTheirRows)
{
    ASSERT_EQ(port()->logicalDpiY(), 96);
    // A tap is one row; a freeze of one row's clocks is two rows high.
    EXPECT_EQ(view->GetNoteRect(96, 1, 0), QRect(view->headerWidth() + 48, 2 * 48, 48, 48));
    EXPECT_EQ(view->GetNoteRect(96, 1, 48).height(), 96);
    EXPECT_TRUE(view->GetNoteRect(0, 4, 0).isNull()); // SINGLE has panels 0 to 3

    // The freeze's tail fills its rows; the lane next to it stays empty. Its head is lit
    // while the time is inside it.
    AddNotes({{0, 0, 96}, {192 * 2, 2, 0}});
    view->SetCursorRow(5, false); // no highlight on the rows looked at
    EXPECT_NE(Pixel(Cell(1, 0)), Pixel(Cell(1, 1)));
    EXPECT_NE(Pixel(Cell(8, 2)), Pixel(Cell(8, 1)));
    const QColor unlit = Pixel(Cell(0, 0, 20));

    // Row 0 shows measure "1" in the header; row 1 (a beat) shows no number.
    const QImage image = port()->grab().toImage();
    auto inkIn = [&](int row) {
        int ink = 0;
        for (int y = row * 48 + 2; y < row * 48 + 40; ++y)
            for (int x = 0; x < view->headerWidth() - 2; ++x)
                ink += image.pixelColor(x, y).lightness() < 128 ? 1 : 0;
        return ink;
    };
    EXPECT_GT(inkIn(0), 5);
    EXPECT_EQ(inkIn(1), 0);
    view->SetCursorRow(1, false);
    EXPECT_NE(Pixel(Cell(0, 0, 20)), unlit);

    // Notes a file kept out of clock order are painted all the same.
    score().AppendNote(std::make_unique<CNote>(CNote{192 * 40, 3, 0}));
    score().AppendNote(std::make_unique<CNote>(CNote{48 * 3, 3, 0}));
    document().UpdateAllViews(nullptr, UpdateHint::NotesAddedOrDeleted);
    EXPECT_NE(Pixel(Cell(3, 3)), Pixel(Cell(3, 1)));
}

// The zoom keys stop at the table's ends with their commands off; the 3D view's chart
// zooms with the score.
TEST_F(ScoreViewTest, ScrollingGoesPastTheEndAndZoomKeepsTheCursorsClock)
{
    AddNotes({{192 * 8, 0, 0}});
    QScrollBar* bar = view->verticalScrollBar();
    for (int i = 0; i < view->maxFirstRow() + 5; ++i)
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(view->firstRow(), view->maxFirstRow() + 5);
    EXPECT_EQ(bar->value(), bar->maximum());
    // Empty rows past the end take notes like any other.
    QTest::mouseClick(port(), Qt::LeftButton, {}, Cell(view->firstRow() + 1, 3));
    EXPECT_TRUE(score().FindNote((view->firstRow() + 1) * 48, 3));
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_EQ(view->firstRow(), 0);

    // A playback frame puts the cursor on its row, as the second row shown: at 120 BPM a
    // row (a beat) is 15 frames.
    document().SetBpm(120.0f);
    view->followFrame(150);
    EXPECT_EQ(view->cursorRow(), 10);
    EXPECT_EQ(view->firstRow(), 9);
    EXPECT_EQ(frame->viewState().currentTime(), 480);

    // Half a beat a row: the cursor stays on clock 480, a freeze of two beats is five rows.
    QTest::keyClick(frame.get(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(view->cursorRow(), 20);
    EXPECT_EQ(view->GetNoteRect(96, 0, 96).height(), 5 * 48);
    QTest::keyClick(frame.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(view->cursorRow(), 10);
    EXPECT_FALSE(frame->action(ID_VIEW_ZOOM_OUT)->isEnabled());
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(frame.get(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(view->clocksPerRow(), 3);
    EXPECT_FALSE(frame->action(ID_VIEW_ZOOM_IN)->isEnabled());
    if (CModelWindow* window = frame->modelView()->window()) {
        EXPECT_EQ(window->chart().clocksPerRow(), 3);
    }
}

TEST_F(ScoreViewTest, TheHoverArrowFollowsTheMouseAndTheArrowKeysScrollPanels)
{
    // In add mode the hover arrow follows the mouse over empty cells only.
    QTest::mouseMove(port(), Cell(8, 2));
    EXPECT_EQ(view->hoverRect(), view->GetNoteRect(8 * 48, 2, 0));
    QTest::mouseMove(port(), QPoint(3, 10));
    EXPECT_TRUE(view->hoverRect().isNull());

    // A DOUBLE score in a pane too narrow for eight columns scrolls sideways.
    document().scores().SetCurrent(document().scores().FindOrCreate(Style::DOUBLE, "BASIC"));
    document().UpdateAllViews(nullptr, UpdateHint::CurrentScore, document().scores().current());
    frame->splitter()->setSizes({view->headerWidth() + 5 * 48 + 20, 600});
    QTRY_VERIFY(view->maxFirstColumn() > 0);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(view->firstColumn(), view->maxFirstColumn());
    QTest::keyClicks(view, QStringLiteral("8"));
    EXPECT_EQ(Notes(), (std::vector<CNote>{{0, 7, 0}}));
    QTest::keyClick(view, Qt::Key_Left);
    EXPECT_EQ(view->firstColumn(), view->maxFirstColumn() - 1);
}

// Past two hours of the song a note is refused, not a crash, and leaves no undo entry; the
// status bar says why in Japanese only.
TEST_F(ScoreViewTest, NumberKeysAddAndRemoveNotesAtTheCursorAndEditsPastTheLimitAreRefused)
{
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(frame->viewState().currentTime(), 96);
    QTest::keyClicks(view, QStringLiteral("3"));
    EXPECT_EQ(Notes(), (std::vector<CNote>{{96, 2, 0}}));
    QTest::keyClicks(view, QStringLiteral("3"));
    EXPECT_TRUE(Notes().empty());
    QTest::keyClicks(view, QStringLiteral("5")); // SINGLE has no fifth panel
    EXPECT_TRUE(Notes().empty());
    EXPECT_EQ(History(), (std::vector<std::string>{"追加", "削除"}));

    const QString refused = LoadQString(IDS_EDIT_REFUSED) + LoadQString(IDS_ERROR_CHART_LIMIT);
    const CNote last{MaxChartClock(document().tempoMap().songBpm()), 0, 0};
    view->SetCursorRow(last.clock / view->clocksPerRow() + 10, false);
    QTest::keyClicks(view, QStringLiteral("1"));
    EXPECT_TRUE(Notes().empty());
    EXPECT_EQ(frame->statusBar()->currentMessage(), refused);
    EXPECT_FALSE(test::HasEnglish(frame->statusDetail())) << frame->statusDetail().toStdString();
    frame->statusBar()->clearMessage();
    EXPECT_TRUE(frame->statusDetail().isEmpty()) << "the detail goes with its message";
    // The same through the Edit menu: rows inserted before a note at the limit.
    AddNotes({last});
    view->SetCursorRow(0, false);
    frame->action(ID_EDIT_INSERT_ROWS)->trigger();
    EXPECT_EQ(Notes(), std::vector<CNote>{last});
    EXPECT_EQ(frame->statusBar()->currentMessage(), refused);
    EXPECT_TRUE(frame->statusDetail().contains(QStringLiteral("BPMで2時間")))
        << frame->statusDetail().toStdString();
    EXPECT_FALSE(test::HasEnglish(frame->statusDetail())) << frame->statusDetail().toStdString();
    EXPECT_EQ(History().size(), 2u);

    // Ctrl+S reaches the window from the focused view.
    const QString path = Path(QStringLiteral("keys.zlvm"));
    const auto asked = test::Prompts().AnswerFile(path);
    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(*asked);
    EXPECT_TRUE(QFileInfo::exists(path));

    // An opened document is edited from its top, with the keyboard on the score.
    frame->scorePane()->scoreBar()->modeList()->setFocus();
    ASSERT_TRUE(frame->OpenFile(path));
    EXPECT_TRUE(view->hasFocus());
    EXPECT_EQ(view->cursorRow(), 0);
    QTest::keyClicks(view, QStringLiteral("1"));
    EXPECT_EQ(Notes(), (std::vector<CNote>{{0, 0, 0}, last}));
}

TEST_F(ScoreViewTest, RowRangesInsertDeleteCutAndPasteTheirClocks)
{
    AddNotes({{96, 0, 0}, {288, 1, 0}});
    // Rows are selected by a drag over the header and by Shift with the arrow keys.
    Drag(QPoint(5, 2 * 48 + 10), QPoint(5, 5 * 48 + 10));
    EXPECT_EQ(view->cursorRow(), 5);
    EXPECT_EQ(frame->viewState().currentTime(), 5 * 48);
    QTest::keyClick(view, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(view->anchorRow(), 2);
    EXPECT_EQ(view->cursorRow(), 4);
    // The highlighted rows are painted in the highlight colour, from the header on.
    EXPECT_EQ(Pixel(QPoint(2, 4 * 48 + 20)), view->palette().color(QPalette::Highlight));
    EXPECT_NE(Pixel(QPoint(2, 1 * 48 + 20)), view->palette().color(QPalette::Highlight));

    QTest::keyClick(frame.get(), Qt::Key_Insert);
    EXPECT_EQ(Notes(), (std::vector<CNote>{{96 + 144, 0, 0}, {288 + 144, 1, 0}}));
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(Notes(), (std::vector<CNote>{{96, 0, 0}, {288, 1, 0}}));
    EXPECT_EQ(view->anchorRow(), view->cursorRow());

    view->SetCursorRow(2, false);
    view->SetCursorRow(3, true);
    QTest::keyClick(view, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(CScoreClipboard::Get().HasRange());
    EXPECT_FALSE(CScoreClipboard::Get().HasNotes()); // putting one format drops the other
    EXPECT_EQ(Notes(), (std::vector<CNote>{{192, 1, 0}}));
    view->SetCursorRow(0, false);
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Notes(), (std::vector<CNote>{{0, 0, 0}, {288, 1, 0}}));
    EXPECT_EQ(view->anchorRow(), 1); // the pasted rows are the row range
    EXPECT_EQ(History(), (std::vector<std::string>{"行挿入", "削除", "切り取り", "貼り付け"}));
}

TEST_F(ScoreViewTest, AddingSelectingMovingAndLengtheningNotesWithTheMouse)
{
    // A drag in add mode makes a note as long as the rows dragged over.
    Drag(Cell(1, 1), Cell(3, 1));
    EXPECT_EQ(Notes(), (std::vector<CNote>{{48, 1, 96}}));
    ASSERT_EQ(view->selectedNotes().size(), 1u);

    // Clicking the selected note without moving to another cell makes no entry.
    QTest::mouseClick(port(), Qt::LeftButton, {}, Cell(1, 1));
    EXPECT_EQ(History().size(), 1u);

    // A drag of the selection moves it by whole rows and panels.
    Drag(Cell(1, 1), Cell(2, 3));
    EXPECT_EQ(Notes(), (std::vector<CNote>{{96, 3, 96}}));
    // Left of the first panel the whole move is abandoned, with no entry.
    Drag(Cell(2, 3), Cell(2, 3) - QPoint(4 * 48, 0));
    EXPECT_EQ(Notes(), (std::vector<CNote>{{96, 3, 96}}));
    EXPECT_EQ(History(), (std::vector<std::string>{"追加", "移動"}));
    EXPECT_TRUE(view->movingNotes().empty());

    // Shift-click on a selected note deselects it.
    QTest::mouseClick(port(), Qt::LeftButton, Qt::ShiftModifier, Cell(2, 3));
    EXPECT_TRUE(view->selectedNotes().empty());

    // An undo in the middle of a drag that takes the note away abandons the drag.
    QTest::mousePress(port(), Qt::LeftButton, {}, Cell(2, 3));
    QTest::mouseMove(port(), Cell(4, 2));
    ASSERT_EQ(view->movingNotes().size(), 1u);
    document().Undo(); // the move
    document().Undo(); // the add
    EXPECT_EQ(view->dragMode(), CScoreView::kNoDrag);
    EXPECT_TRUE(view->movingNotes().empty());
    QTest::mouseRelease(port(), Qt::LeftButton, {}, Cell(4, 2));
    EXPECT_TRUE(Notes().empty());
    EXPECT_EQ(document().historyPosition(), 0u);

    // The bottom quarter of a note's last row is its length handle: a tap becomes a freeze
    // and back; released at the old length, no entry and no pending note are left.
    AddNotes({{96, 0, 0}});
    const QPoint handle = Cell(2, 0, 46);
    Drag(handle, Cell(3, 0));
    EXPECT_EQ(Notes(), (std::vector<CNote>{{96, 0, 48}}));
    Drag(Cell(3, 0, 46), Cell(2, 0));
    EXPECT_EQ(Notes(), (std::vector<CNote>{{96, 0, 0}}));
    Drag(handle, Cell(2, 0, 30));
    EXPECT_EQ(History(), (std::vector<std::string>{"長さの変更", "長さの変更"}));
    EXPECT_TRUE(view->pendingNote().rect.isNull());
}

TEST_F(ScoreViewTest, TheRubberBandSelectsAndShiftTogglesInSelectMode)
{
    AddNotes({{0, 0, 0}, {48, 1, 0}, {96, 2, 0}, {240, 3, 0}});
    frame->action(ID_EDIT_SELECT_MODE)->trigger();
    EXPECT_TRUE(view->selectMode() && !frame->action(ID_EDIT_ADD_MODE)->isChecked());

    // A note is taken when the band holds its whole cell; the band starts on empty space.
    const int left = view->headerWidth();
    Drag(Cell(3, 3, 10), QPoint(left, 0));
    EXPECT_EQ(view->selectedNotes().size(), 3u);
    // Shift held when the band ends toggles: the note on panel 1 drops out.
    QTest::mousePress(port(), Qt::LeftButton, {}, QPoint(left + 47, 97));
    QTest::mouseMove(port(), QPoint(left + 97, 47));
    QTest::mouseRelease(port(), Qt::LeftButton, Qt::ShiftModifier, QPoint(left + 97, 47));
    EXPECT_EQ(view->selectedNotes().size(), 2u);

    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(Notes(), (std::vector<CNote>{{48, 1, 0}, {240, 3, 0}}));
    EXPECT_EQ(History(), (std::vector<std::string>{"削除"}));
}

TEST_F(ScoreViewTest, ANoteDragBelowTheViewKeepsScrolling)
{
    AddNotes({{0, 0, 0}, {192 * 20, 0, 0}});
    QTest::mouseClick(port(), Qt::LeftButton, {}, Cell(0, 0));
    QTest::mousePress(port(), Qt::LeftButton, {}, Cell(0, 0));
    QTest::mouseMove(port(), QPoint(Cell(0, 0).x(), port()->height() + 30));
    const int first = view->firstRow();
    EXPECT_GT(first, 0);
    // The repeated drag step scrolls on while the mouse stands still.
    QTRY_VERIFY_WITH_TIMEOUT(view->firstRow() > first + 1, 10000);
    // Losing the focus abandons the drag without an entry.
    frame->modelViewPlace()->setFocus();
    EXPECT_EQ(view->dragMode(), CScoreView::kNoDrag);
    EXPECT_TRUE(History().empty());
}

// A freeze is held from its clock on: copied with a tap, the earlier of the two lands on the
// cursor and the freeze keeps its row and length relative to it.
TEST_F(ScoreViewTest, PastedNotesLandRelativeToTheCursorAndForeignDataChangesNothing)
{
    AddNotes({{96, 0, 0}, {144, 3, 96}, {480, 2, 0}});
    QTest::mouseClick(port(), Qt::LeftButton, {}, Cell(2, 0));
    QTest::mouseClick(port(), Qt::LeftButton, Qt::ShiftModifier, Cell(3, 3));
    ASSERT_EQ(view->selectedNotes().size(), 2u);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QTRY_VERIFY(CScoreClipboard::Get().HasNotes());
    view->SetCursorRow(8, false);
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(
        Notes(),
        (std::vector<CNote>{{96, 0, 0}, {144, 3, 96}, {384, 0, 0}, {432, 3, 96}, {480, 2, 0}}));
    std::vector<CNote> selected;
    for (const CNote* note : view->selectedNotes())
        selected.push_back(*note);
    EXPECT_EQ(selected, (std::vector<CNote>{{384, 0, 0}, {432, 3, 96}}));

    // The earliest note lands on the cursor, unless the score ends before it: into an
    // empty score the reference is 0.
    document().SetModifiedFlag(false);
    frame->action(ID_FILE_NEW)->trigger();
    view->SetCursorRow(10, false);
    frame->action(ID_EDIT_PASTE)->trigger();
    EXPECT_EQ(Notes(), (std::vector<CNote>{{576, 0, 0}, {624, 3, 96}}));
    EXPECT_EQ(History(), (std::vector<std::string>{"貼り付け"}));

    // Notes of a DOUBLE score's second pad are dropped in a SINGLE score; a count that
    // claims more records than there are bytes pastes nothing; text is no score data.
    CScoreClipboard::Get().PutNotes(std::vector<CNote>{{0, 6, 0}, {48, 1, 0}});
    view->SetCursorRow(0, false);
    frame->action(ID_EDIT_PASTE)->trigger();
    EXPECT_EQ(Notes(), (std::vector<CNote>{{0, 1, 0}, {576, 0, 0}, {624, 3, 96}}));
    auto* damaged = new QMimeData;
    damaged->setData(QStringLiteral("Kes.Rondisk.Note"), QByteArray("\x05\x00\x00\x00\x01", 5));
    QGuiApplication::clipboard()->setMimeData(damaged);
    QTRY_VERIFY(frame->action(ID_EDIT_PASTE)->isEnabled());
    frame->action(ID_EDIT_PASTE)->trigger();
    EXPECT_EQ(History().size(), 2u);
    QGuiApplication::clipboard()->setText(QStringLiteral("text"));
    QTRY_VERIFY(!frame->action(ID_EDIT_PASTE)->isEnabled());
}

// The context menus hold the main window's commands, so their states are the main menu's:
// on a selected note (or from the keyboard with one selected) the note commands, elsewhere
// the row commands with the modes and zoom.
TEST_F(ScoreViewTest, ContextMenusOfferTheCommandsThatApply)
{
    AddNotes({{48, 1, 0}});
    QTest::mouseClick(port(), Qt::LeftButton, {}, Cell(1, 1));
    ASSERT_EQ(view->selectedNotes().size(), 1u);
    const auto noteMenu = view->CreateContextMenu(Cell(1, 1), false);
    ASSERT_TRUE(noteMenu);
    EXPECT_TRUE(noteMenu->actions().contains(frame->action(ID_EDIT_DELETE)));
    EXPECT_FALSE(noteMenu->actions().contains(frame->action(ID_EDIT_INSERT_ROWS)));
    for (QAction* action : noteMenu->actions())
        EXPECT_TRUE(frame->actions().contains(action) && action->isEnabled())
            << action->text().toStdString();
    EXPECT_EQ(view->CreateContextMenu(QPoint(), true)->actions(), noteMenu->actions());

    const auto rowMenu = view->CreateContextMenu(Cell(5, 2), false);
    for (int id : {ID_EDIT_INSERT_ROWS, ID_EDIT_ADD_MODE, ID_EDIT_SELECT_MODE, ID_VIEW_ZOOM_IN})
        EXPECT_TRUE(rowMenu->actions().contains(frame->action(id))) << id;
    EXPECT_FALSE(frame->action(ID_EDIT_INSERT_ROWS)->isEnabled()); // a note is selected
}

QStringList Items(QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

// The level list holds the standard names, then the document's other names. Choosing a
// combination that is not there creates it, unless switching is off (during playback).
TEST_F(ScoreViewTest, TheScoreBarListsTheLevelsAndCreatesAMissingCombination)
{
    CScore* basic = document().scores().current();
    document().scores().FindOrCreate(Style::COUPLE, "EXTRA");
    CScore* prefix = document().scores().FindOrCreate(Style::DOUBLE, "bas");
    document().scores().FindOrCreate(Style::SINGLE, "extra"); // found as EXTRA, not added again
    CScoreBar* bar = frame->scorePane()->scoreBar();
    bar->Fill(&document());
    EXPECT_EQ(Items(bar->modeList()), (QStringList{"SINGLE", "DOUBLE", "COUPLE"}));
    EXPECT_EQ(Items(bar->levelList()),
              (QStringList{"BASIC", "ANOTHER", "MANIAC", "SMANIAC", "EXTRA"}));
    // A name that begins a listed one shows as that item.
    document().scores().SetCurrent(prefix);
    bar->Fill(&document());
    EXPECT_EQ(bar->modeList()->currentText(), QStringLiteral("DOUBLE"));
    EXPECT_EQ(bar->levelList()->currentText(), QStringLiteral("BASIC"));

    bar->levelList()->setFocus();
    QTest::keyClick(bar->levelList(), Qt::Key_Down); // ANOTHER
    QTest::keyClick(bar->levelList(), Qt::Key_Down); // MANIAC
    CScore* maniac = document().scores().Find(Style::DOUBLE, "MANIAC");
    ASSERT_NE(maniac, nullptr);
    EXPECT_EQ(document().scores().current(), maniac);
    EXPECT_EQ(document().scores().size(), 6u); // DOUBLE ANOTHER too
    // The keyboard goes on to the score once a score is chosen.
    EXPECT_TRUE(view->hasFocus());

    // Going back to an existing score creates nothing.
    bar->modeList()->setFocus();
    QTest::keyClick(bar->modeList(), Qt::Key_Up); // SINGLE MANIAC: new
    bar->levelList()->setCurrentIndex(0);
    emit bar->levelList()->activated(0); // SINGLE BASIC: exists
    EXPECT_EQ(document().scores().current(), basic);
    EXPECT_EQ(document().scores().size(), 7u);

    bar->SetSwitchingEnabled(false);
    QTest::keyClick(bar->modeList(), Qt::Key_Down);
    EXPECT_EQ(document().scores().size(), 7u);
    EXPECT_EQ(document().scores().current(), basic);
}

} // namespace
} // namespace zelvane
