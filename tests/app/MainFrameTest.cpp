#include "app/AppTestSupport.h"
#include "app/Settings.h"
#include "app/SongDialog.h"
#include "qtcommon/CommandIds.h"
#include "qtcommon/QtText.h"
#include "render_gl/ModelView.h"
#include "render_gl/ModelWindow.h"
#include "score/ScoreBar.h"
#include "score/ScorePane.h"
#include "score/ScoreView.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>

namespace zelvane {
namespace {

class MainFrameTest : public test::FrameTest {
protected:
    // Changes the song's title through the song dialog, as the user does.
    void ChangeTitleThroughDialog(const QString& title)
    {
        auto handled = test::Prompts().Answer<CSongDialog>([title](CSongDialog& dialog) {
            dialog.titleEdit()->selectAll();
            QTest::keyClicks(dialog.titleEdit(), title);
            QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        });
        frame->action(ID_FILE_SONG_SETTINGS)->trigger();
        ASSERT_TRUE(*handled);
        ASSERT_TRUE(test::Activate(frame.get()));
    }
};

// The menus and keys come from the program's tables; rather than repeat them, this checks
// what must hold of them: every command but the pane keys has a menu entry with a mnemonic,
// an entry that shows a key has one, no key runs two commands (the score view handles
// Delete itself), and the second keys no other test presses run their commands.
TEST_F(MainFrameTest, EveryCommandHasAMenuEntryWithAMnemonicAndEveryKeyRunsOneCommand)
{
    QList<QKeySequence> keys;
    for (QAction* action : frame->actions())
        keys += action->shortcuts();
    for (const QKeySequence& key : keys)
        EXPECT_EQ(keys.count(key), 1) << key.toString().toStdString();
    EXPECT_FALSE(keys.contains(QKeySequence(Qt::Key_Delete)));
    const std::pair<const char*, int> secondKeys[] = {
        {"Ctrl+Ins", ID_EDIT_COPY}, {"Shift+Del", ID_EDIT_CUT}, {"Shift+Ins", ID_EDIT_PASTE},
        {"Ctrl+C", ID_EDIT_COPY},   {"Ctrl+O", ID_FILE_OPEN},   {"Ctrl+Num+-", ID_VIEW_ZOOM_OUT}};
    for (const auto& [key, id] : secondKeys)
        EXPECT_TRUE(frame->action(id)->shortcuts().contains(QKeySequence(QString::fromLatin1(key))))
            << key;

    QList<QAction*> inMenus{frame->action(ID_NEXT_PANE), frame->action(ID_PREV_PANE)};
    const QList<QAction*> titles = frame->menuBar()->actions();
    for (int index = 0; index < titles.size(); ++index) {
        EXPECT_TRUE(titles[index]->text().contains(QLatin1Char('&')))
            << titles[index]->text().toStdString();
        for (QAction* action : frame->menu(index)->actions()) {
            if (action->isSeparator() || !frame->actions().contains(action))
                continue; // the recent files
            inMenus << action;
            const QString text = action->text();
            // The recent-files heading and the redo entry have no mnemonic.
            if (action != frame->action(ID_FILE_MRU_FIRST)
                && action != frame->action(ID_EDIT_REDO)) {
                EXPECT_TRUE(text.contains(QLatin1Char('&'))) << text.toStdString();
            }
            if (text.contains(QLatin1Char('\t')) && action != frame->action(ID_EDIT_DELETE)) {
                EXPECT_FALSE(action->shortcuts().isEmpty()) << text.toStdString();
            }
        }
    }
    for (QAction* action : frame->actions())
        EXPECT_EQ(inMenus.count(action), 1) << action->text().toStdString();
}

TEST_F(MainFrameTest, ANewWindowIsUntitledZoomKeysStopAtTheTableEndsAndPaneKeysMoveFocus)
{
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("無題 - Zelvane"));
    EXPECT_EQ(frame->splitter()->sizes().value(0), 448); // the default score width
    CStepDocument& document = frame->document();
    ASSERT_EQ(document.zoomIndex(), 7);
    EXPECT_FALSE(frame->action(ID_VIEW_ZOOM_OUT)->isEnabled());
    QTest::keyClick(frame.get(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(document.zoomIndex(), 6);
    QTest::keyClick(frame.get(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(document.zoomIndex(), 5);
    QTest::keyClick(frame.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(document.zoomIndex(), 6);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(frame.get(), Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(document.zoomIndex(), 0);
    EXPECT_EQ(document.clocksPerRow(), 3);
    EXPECT_FALSE(frame->action(ID_VIEW_ZOOM_IN)->isEnabled());
    EXPECT_TRUE(frame->action(ID_VIEW_ZOOM_OUT)->isEnabled());

    // The pane keys move the focus between the score and the 3D view.
    frame->scorePane()->setFocus();
    ASSERT_TRUE(frame->scorePane()->scoreView()->hasFocus());
    QTest::keyClick(frame.get(), Qt::Key_F6);
    EXPECT_TRUE(frame->modelViewPlace()->hasFocus());
    QTest::keyClick(frame.get(), Qt::Key_F6);
    EXPECT_TRUE(frame->scorePane()->scoreView()->hasFocus());
    QTest::keyClick(frame.get(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_TRUE(frame->modelViewPlace()->hasFocus());
}

TEST_F(MainFrameTest, UndoAndRedoItemsNameTheCommandAndFollowTheKeys)
{
    ChangeTitleThroughDialog(QStringLiteral("Song"));
    CStepDocument& document = frame->document();
    EXPECT_EQ(document.title(), "Song");
    EXPECT_TRUE(document.IsModified());
    emit frame->menu(1)->aboutToShow();
    QAction* undo = frame->action(ID_EDIT_UNDO);
    QAction* redo = frame->action(ID_EDIT_REDO);
    EXPECT_EQ(undo->text(), QStringLiteral("元に戻す(&U) - 曲の設定\tCtrl+Z"));
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());

    QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(document.title(), "");
    EXPECT_EQ(undo->text(), QStringLiteral("元に戻す(&U)\tCtrl+Z"));
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->text(), QStringLiteral("やり直し - 曲の設定\tCtrl+Y"));
    EXPECT_TRUE(redo->isEnabled());

    QTest::keyClick(frame.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(document.title(), "Song");
    QTest::keyClick(frame.get(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(document.title(), "");
}

TEST_F(MainFrameTest, WhilePlayingTheDocumentCommandsUndoAndScoreSwitchingAreOff)
{
    ChangeTitleThroughDialog(QStringLiteral("x"));
    frame->document().SetPlaying(true);
    emit frame->menu(0)->aboutToShow();
    for (int id : {ID_FILE_AUDIO, ID_FILE_SONG_SETTINGS, ID_FILE_MODEL, ID_FILE_MOTION_SETTINGS,
                   ID_EDIT_UNDO})
        EXPECT_FALSE(frame->action(id)->isEnabled()) << id;
    EXPECT_FALSE(frame->scorePane()->scoreBar()->modeList()->isEnabled());
    EXPECT_FALSE(frame->scorePane()->scoreBar()->levelList()->isEnabled());
    // A shortcut pressed anyway does nothing.
    QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(frame->document().title(), "x");
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_VIEW_BACKGROUND_COLOR, ID_APP_ABOUT})
        EXPECT_TRUE(frame->action(id)->isEnabled()) << id;

    frame->document().SetPlaying(false);
    emit frame->menu(1)->aboutToShow();
    EXPECT_TRUE(frame->action(ID_EDIT_UNDO)->isEnabled());
    EXPECT_TRUE(frame->scorePane()->scoreBar()->modeList()->isEnabled());
}

// The right pane is the 3D view where the display has OpenGL (Xvfb), and otherwise a pane
// that says why, with the same line in the status bar.
TEST_F(MainFrameTest, ModelPaneIsTheThreeDViewOrSaysWhyNot)
{
    CModelView* view = frame->modelView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(frame->splitter()->widget(1), view);
    if (view->window()) {
        EXPECT_TRUE(view->unavailableReason().isEmpty());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        EXPECT_TRUE(view->window()->ready());
    } else {
        EXPECT_FALSE(view->unavailableReason().isEmpty());
        EXPECT_EQ(frame->statusBar()->currentMessage(), view->unavailableReason());
    }
    // Zooming the score zooms the chart on the screen as well.
    frame->action(ID_VIEW_ZOOM_IN)->trigger();
    if (view->window()) {
        EXPECT_EQ(view->window()->chart().clocksPerRow(), frame->document().clocksPerRow());
    }
}

TEST_F(MainFrameTest, ColoursAreStoredAsBlueGreenRedAndNotAsEdits)
{
    auto chosen = test::Prompts().Answer<QColorDialog>([](QColorDialog& dialog) {
        dialog.setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog.accept();
    });
    frame->action(ID_VIEW_BACKGROUND_COLOR)->trigger();
    ASSERT_TRUE(*chosen);
    EXPECT_EQ(frame->document().backgroundColor(), 0x00563412u);
    EXPECT_EQ(Settings::ReadColors().background, 0x00563412u);
    EXPECT_EQ(frame->modelViewPlace()->palette().color(QPalette::Window), QColor(0x12, 0x34, 0x56));
    EXPECT_FALSE(frame->document().IsModified());
    EXPECT_FALSE(frame->action(ID_EDIT_UNDO)->isEnabled());

    // A new document takes its colours from the settings.
    Settings::WriteBackgroundColor(0x000000FFu);
    frame->document().NewDocument();
    EXPECT_EQ(frame->document().backgroundColor(), 0x000000FFu);
}

// A dance that fails on its worker is reported in the status bar, not by ending the
// program. The chart gets past the readers and commands only by the core's own calls.
TEST_F(MainFrameTest, ADanceThatFailsIsShownInTheStatusBar)
{
    CScore& score = *frame->document().currentScore();
    score.AppendNote(std::make_unique<CNote>(CNote{2'000'000'000, 0, 0}));
    score.UpdateLength(0);
    const QString message = LoadQString(IDS_ERROR_WORKER);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->statusBar()->currentMessage() == message; }));
    EXPECT_TRUE(frame->statusDetail().contains(QStringLiteral("two hours")))
        << frame->statusDetail().toStdString();
}

} // namespace
} // namespace zelvane
