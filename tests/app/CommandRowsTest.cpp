#include "app/AppTestSupport.h"
#include "app/CommandTable.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

#include <set>

namespace zelvane {
namespace {

using CommandRowsTest = test::FrameTest;

// The commands every state enables, whatever the document holds or the song does.
const std::set<int> kAlwaysEnabled{
    ID_FILE_NEW,          ID_FILE_OPEN,     ID_FILE_SAVE, ID_FILE_SAVE_AS,
    ID_APP_EXIT,          ID_VIEW_WAVEFORM, ID_APP_ABOUT, ID_VIEW_BACKGROUND_COLOR,
    ID_VIEW_SCREEN_COLOR, ID_NEXT_PANE,     ID_PREV_PANE,
};

std::set<int> With(std::set<int> ids, std::initializer_list<int> more)
{
    ids.insert(more);
    return ids;
}

// Every row runs something (the recent-files heading, never enabled, only stands for the
// files below it), and the rows' rules give the states the window showed for three states of
// the document: a new one, one with a chart edited and zoomed in, and that one playing. The
// states are written out here, so a rule that drifts from them fails; the menus show what
// the rules say.
TEST_F(CommandRowsTest, EveryRowHasAHandlerAndItsRuleFitsTheDocumentsState)
{
    for (const CommandEntry& entry : CommandTable()) {
        EXPECT_TRUE(entry.enabled) << entry.id;
        EXPECT_EQ(static_cast<bool>(entry.run), entry.id != ID_FILE_MRU_FIRST) << entry.id;
    }
    // What the clipboard holds decides paste; nothing of another test's may be left on it.
    QGuiApplication::clipboard()->clear();
    const bool framed = frame->modelView()->window() != nullptr;
    const auto expectEnabled = [&](std::set<int> expected, const char* state) {
        SCOPED_TRACE(state);
        if (framed)
            expected.insert(ID_VIEW_FRAME_ALL);
        emit frame->menu(1)->aboutToShow();
        for (const CommandEntry& entry : CommandTable()) {
            EXPECT_EQ(entry.enabled(*frame), expected.contains(entry.id)) << entry.id;
            EXPECT_EQ(frame->action(entry.id)->isEnabled(), expected.contains(entry.id))
                << entry.id;
        }
    };
    const std::set<int> idle = With(kAlwaysEnabled,
                                    {ID_FILE_AUDIO, ID_FILE_SONG_SETTINGS, ID_FILE_IMPORT_DWI,
                                     ID_FILE_EXPORT_DWI, ID_FILE_MODEL, ID_FILE_MOTION_SETTINGS,
                                     ID_FILE_CREATE_MOTION, ID_PLAY_ASSIST_CLAP});
    // The new document's score is empty: nothing to play or film, nothing to undo; the rows
    // of the cursor are the view's, and the song's tempo is no event to delete.
    const std::set<int> editing
        = With(idle,
               {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_DELETE, ID_EDIT_INSERT_ROWS, ID_EDIT_ADD_MODE,
                ID_EDIT_SELECT_MODE, ID_EDIT_INSERT_TEMPO_CHANGE, ID_EDIT_INSERT_STOP,
                ID_EDIT_INSERT_DELAY});
    expectEnabled(With(editing, {ID_VIEW_ZOOM_IN}), "new");

    // A chart, an edit, a copied row, a stop at the cursor row, one step zoomed in.
    test::Retitle(frame->document(), "Song");
    AddNotes({CNote{0, 0, 0}, CNote{96, 1, 0}});
    CTempoMap tempo(CStepDocument::kDefaultBpm);
    ASSERT_TRUE(tempo.Add(CStop{0, 250.0}).empty());
    frame->document().SetTempoMap(tempo);
    frame->action(ID_EDIT_COPY)->trigger();
    frame->action(ID_VIEW_ZOOM_IN)->trigger();
    expectEnabled(
        With(editing,
             {ID_EDIT_UNDO, ID_EDIT_PASTE, ID_EDIT_DELETE_TEMPO_EVENTS, ID_VIEW_ZOOM_IN,
              ID_VIEW_ZOOM_OUT, ID_FILE_BACKGROUND_AVI, ID_PLAY_FROM_START, ID_PLAY_FROM_CURSOR}),
        "edited");

    // Playing: only stopping, the zoom and what never touches the chart (paste too, as it
    // always was: the score view itself is locked meanwhile).
    frame->viewState().SetPlaying(true);
    expectEnabled(
        With(kAlwaysEnabled, {ID_PLAY_STOP, ID_EDIT_PASTE, ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT}),
        "playing");
    frame->viewState().SetPlaying(false);

    // The mode entries are checked as the view's mode is, however it was switched.
    frame->scorePane()->scoreView()->SetSelectMode(true);
    emit frame->menu(1)->aboutToShow();
    EXPECT_TRUE(frame->action(ID_EDIT_SELECT_MODE)->isChecked());
    EXPECT_FALSE(frame->action(ID_EDIT_ADD_MODE)->isChecked());
}

} // namespace
} // namespace zelvane
