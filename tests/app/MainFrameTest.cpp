#include "app/AppTestSupport.h"
#include "app/SongDialog.h"

#include <QColorDialog>
#include <QMenu>
#include <QMenuBar>

namespace zelvane {
namespace {

using MainFrameTest = test::FrameTest;

// Eats the shortcut events keys send to commands, noting which command got one, so every
// key can be pressed without running anything.
class ShortcutCatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Shortcut)
            return false;
        caught.append(qobject_cast<QAction*>(watched));
        return true;
    }

    QList<QAction*> caught;
};

// The menus and keys come from the program's tables; rather than repeat them, this checks
// what must hold of them. Every command but the pane keys has one menu entry. Menu titles
// and entries have mnemonics, none twice in one menu (the recent-files heading and the redo
// entry, relabelled with what it redoes, have none). An entry shows the first of its keys.
// Every key reaches its one command from the window, and Delete is left to the score view.
TEST_F(MainFrameTest, MenusAndKeysAreConsistent)
{
    const auto mnemonic = [](const QString& text) {
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        return at < 0 ? QString() : text.mid(at + 1, 1).toUpper();
    };
    const auto expectUnique = [](const QStringList& keys, const QString& where) {
        for (const QString& key : keys)
            EXPECT_TRUE(!key.isEmpty() && keys.count(key) == 1)
                << where.toStdString() << ": " << key.toStdString();
    };
    QList<QAction*> inMenus{frame->action(ID_NEXT_PANE), frame->action(ID_PREV_PANE)};
    QStringList titleKeys;
    const QList<QAction*> titles = frame->menuBar()->actions();
    for (int index = 0; index < titles.size(); ++index) {
        titleKeys << mnemonic(titles[index]->text());
        QStringList entryKeys;
        for (QAction* action : frame->menu(index)->actions()) {
            if (action->isSeparator() || !frame->actions().contains(action))
                continue; // the recent files
            inMenus << action;
            const QString text = action->text();
            if (action != frame->action(ID_FILE_MRU_FIRST) && action != frame->action(ID_EDIT_REDO))
                entryKeys << mnemonic(text);
            // "Ctrl +" is written with a space where a second '+' would be hard to read.
            const QString shown = text.section(QLatin1Char('\t'), 1).replace(' ', '+');
            if (!shown.isEmpty() && action != frame->action(ID_EDIT_DELETE)) {
                EXPECT_EQ(shown, action->shortcut().toString(QKeySequence::PortableText))
                    << text.toStdString();
            }
        }
        expectUnique(entryKeys, titles[index]->text());
    }
    expectUnique(titleKeys, QStringLiteral("menu bar"));
    for (QAction* action : frame->actions())
        EXPECT_EQ(inMenus.count(action), 1) << action->text().toStdString();

    ShortcutCatcher catcher;
    QList<QKeySequence> keys;
    for (QAction* action : frame->actions()) {
        action->setEnabled(true);
        action->installEventFilter(&catcher);
        keys += action->shortcuts();
    }
    EXPECT_FALSE(keys.contains(QKeySequence(Qt::Key_Delete)));
    for (QAction* action : frame->actions()) {
        for (const QKeySequence& key : action->shortcuts()) {
            catcher.caught.clear();
            // Sent without text: some keys (Break) have no character QTest knows.
            QTest::sendKeyEvent(QTest::Click, frame.get(), key[0].key(), QString(),
                                key[0].keyboardModifiers());
            EXPECT_EQ(catcher.caught, QList<QAction*>{action}) << key.toString().toStdString();
            EXPECT_EQ(keys.count(key), 1) << key.toString().toStdString();
        }
    }
}

// The right pane is the 3D view where the display has OpenGL (Xvfb), and otherwise a pane
// that says why, with the same line in the status bar. The 3D view starts by itself once the
// main window is on the screen.
TEST_F(MainFrameTest, TheRightPaneIsThe3DViewOrSaysWhyAndPaneKeysMoveFocus)
{
    CModelView* view = frame->modelView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(frame->splitter()->widget(1), view);
    if (view->window()) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        // A display whose driver turns out to have no OpenGL 3.3 loses the window meanwhile.
        EXPECT_TRUE(QTest::qWaitFor([view] { return !view->window() || view->window()->ready(); }));
    }
    if (view->window()) {
        EXPECT_TRUE(view->window()->isVisible());
    } else {
        EXPECT_FALSE(view->unavailableReason().isEmpty());
        EXPECT_EQ(frame->statusBar()->currentMessage(), view->unavailableReason());
    }

    frame->scorePane()->setFocus();
    ASSERT_TRUE(frame->scorePane()->scoreView()->hasFocus());
    QTest::keyClick(frame.get(), Qt::Key_F6);
    EXPECT_TRUE(frame->modelViewPlace()->hasFocus());
    QTest::keyClick(frame.get(), Qt::Key_F6);
    EXPECT_TRUE(frame->scorePane()->scoreView()->hasFocus());
    QTest::keyClick(frame.get(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_TRUE(frame->modelViewPlace()->hasFocus());
}

// The undo and redo entries name what they undo and redo, as the document words them. While
// playing undo is off, and an undo key pressed anyway does nothing; Alt+Backspace undoes too.
TEST_F(MainFrameTest, UndoAndRedoNameTheirCommandAndRestWhilePlaying)
{
    auto retitled = test::Prompts().Answer<CSongDialog>([](CSongDialog& dialog) {
        dialog.titleEdit()->selectAll();
        QTest::keyClicks(dialog.titleEdit(), QStringLiteral("Song"));
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    });
    frame->action(ID_FILE_SONG_SETTINGS)->trigger();
    ASSERT_TRUE(*retitled);
    ASSERT_TRUE(test::Activate(frame.get()));
    CStepDocument& document = frame->document();
    EXPECT_EQ(document.description().title, "Song");
    emit frame->menu(1)->aboutToShow();
    QAction* undo = frame->action(ID_EDIT_UNDO);
    QAction* redo = frame->action(ID_EDIT_REDO);
    EXPECT_EQ(undo->text(), QStringLiteral("元に戻す(&U) - 曲の設定\tCtrl+Z"));
    EXPECT_FALSE(redo->isEnabled());
    QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(document.description().title, "");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->text(), QStringLiteral("やり直し - 曲の設定\tCtrl+Y"));
    QTest::keyClick(frame.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(document.description().title, "Song");

    frame->viewState().SetPlaying(true);
    emit frame->menu(1)->aboutToShow();
    EXPECT_FALSE(undo->isEnabled());
    QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(document.description().title, "Song");
    frame->viewState().SetPlaying(false);
    emit frame->menu(1)->aboutToShow();
    ASSERT_TRUE(undo->isEnabled());
    QTest::keyClick(frame.get(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(document.description().title, "");
}

TEST_F(MainFrameTest, ColoursAreStoredAsBlueGreenRedAndNotAsEdits)
{
    auto chosen = test::Prompts().Answer<QColorDialog>([](QColorDialog& dialog) {
        dialog.setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog.accept();
    });
    frame->action(ID_VIEW_BACKGROUND_COLOR)->trigger();
    ASSERT_TRUE(*chosen);
    EXPECT_EQ(frame->document().colors().background, 0x00563412u);
    EXPECT_EQ(Settings::ReadColors().background, 0x00563412u);
    EXPECT_EQ(frame->modelViewPlace()->palette().color(QPalette::Window), QColor(0x12, 0x34, 0x56));
    EXPECT_FALSE(frame->document().IsModified());
    EXPECT_FALSE(frame->action(ID_EDIT_UNDO)->isEnabled());

    // A new document takes its colours from the settings.
    Settings::WriteBackgroundColor(0x000000FFu);
    frame->document().NewDocument();
    EXPECT_EQ(frame->document().colors().background, 0x000000FFu);
}

// A dance that fails on its worker is reported in the status bar, not by ending the
// program. The chart gets past the readers and commands only by the core's own calls.
TEST_F(MainFrameTest, ADanceThatFailsIsShownInTheStatusBar)
{
    CScore& score = *frame->document().scores().current();
    score.AppendNote(std::make_unique<CNote>(CNote{2'000'000'000, 0, 0}));
    score.UpdateLength(0);
    const QString message = LoadQString(IDS_ERROR_WORKER);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->statusBar()->currentMessage() == message; }));
    // The detail names the chart, in Japanese like the message.
    EXPECT_TRUE(frame->statusDetail().startsWith(QStringLiteral("SINGLE BASIC の譜面のダンスを")))
        << frame->statusDetail().toStdString();
    EXPECT_FALSE(test::HasEnglish(frame->statusDetail())) << frame->statusDetail().toStdString();
}

// A tempo the dialog shows must read back to the same float, or pressing OK would change
// the song's timing without the user touching it. Tempo and gap stay within the chart limits.
TEST(AppSongDialog, OkNeedsATempoAndAGapWithinTheLimitsAndKeepsTheTempoBits)
{
    const float oddTempo = 123.4567f;
    CSongDialog dialog(SongProperties{"", "", oddTempo, 25});
    dialog.show();
    // Japanese text comes from an input method, not key by key.
    dialog.titleEdit()->setText(QStringLiteral("曲名"));
    test::Retype(dialog.gapEdit(), QStringLiteral("x1"));
    auto warned = test::AnswerMessage();
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_TRUE(*warned);
    EXPECT_TRUE(dialog.isVisible());
    for (const char* gap : {"600001", "-600001", "2147483647"}) {
        test::Retype(dialog.gapEdit(), QString::fromLatin1(gap));
        QString message;
        warned = test::AnswerMessage({}, &message);
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        EXPECT_TRUE(*warned) << gap;
        EXPECT_EQ(message, ToQString(FormatString(IDS_SONG_GAP_RANGE, {"600000", "600000"})));
        EXPECT_TRUE(dialog.isVisible()) << gap;
        EXPECT_EQ(dialog.gapEdit()->selectedText(), QString::fromLatin1(gap));
    }
    test::Retype(dialog.gapEdit(), QStringLiteral("-600000"));
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values().title, "曲名");
    EXPECT_EQ(dialog.values().bpm, oddTempo);
    EXPECT_EQ(dialog.values().gap, -600000);

    dialog.show();
    const std::pair<const char*, bool> tempos[] = {
        {"0", false},    {"-5", false},    {"0.5", true},    {"", false},         {"abc", false},
        {"1e40", false}, {"150.25", true}, {"100000", true}, {"100000.1", false}, {"1e30", false}};
    for (const auto& [text, enabled] : tempos) {
        test::Retype(dialog.bpmEdit(), QString::fromLatin1(text));
        EXPECT_EQ(dialog.okButton()->isEnabled(), enabled) << text;
    }
    // Accepted anyway (not through the disabled button), the dialog says the tempo's range.
    QString said;
    auto refused = test::AnswerMessage({}, &said);
    dialog.accept();
    EXPECT_TRUE(*refused);
    EXPECT_EQ(said, ToQString(FormatString(IDS_SONG_BPM_RANGE, {"100000"})));
    EXPECT_TRUE(dialog.isVisible());
    test::Retype(dialog.bpmEdit(), QStringLiteral("100000"));
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values().bpm, 100000.0f);
}

} // namespace
} // namespace zelvane
