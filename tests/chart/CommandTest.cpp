#include "ChartTestSupport.h"
#include "base/ChartLimits.h"
#include "chart/commands/AddNoteCommand.h"
#include "chart/commands/DeleteClockCommand.h"
#include "chart/commands/DeleteNoteCommand.h"
#include "chart/commands/InsertClockCommand.h"
#include "chart/commands/MotionOptionCommand.h"
#include "chart/commands/MoveNoteCommand.h"
#include "chart/commands/SongPropertyCommand.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

namespace {

class CommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        document.NewDocument();
        document.AddView(&view);
        score = document.currentScore();
    }
    void Fill(std::initializer_list<CNote> notes)
    {
        for (const CNote& note : notes)
            score->InsertNote(std::make_unique<CNote>(note));
        score->UpdateLength(0);
    }
    void AddNotes(std::initializer_list<CNote> notes, IStepDocumentView* sender = nullptr)
    {
        auto command = std::make_unique<CAddNoteCommand>(score, "追加");
        for (const CNote& note : notes)
            command->AddNote(std::make_unique<CNote>(note));
        document.Execute(std::move(command), sender);
    }

    CStepDocument document;
    RecordingView view;
    CScore* score = nullptr;
};

} // namespace

TEST_F(CommandTest, AddUndoRedoAndTheEditMenuTexts)
{
    EXPECT_EQ(document.UndoMenuText(), "元に戻す(&U)\tCtrl+Z");
    EXPECT_FALSE(document.IsUndoEnabled());
    RecordingView sender;
    document.AddView(&sender);
    AddNotes({{96, 2, 0}}, &sender);
    EXPECT_TRUE(sender.updates.empty());
    ASSERT_EQ(view.updates.size(), 1u);
    EXPECT_EQ(view.updates[0].hint, UpdateHint::NotesAddedOrDeleted);
    EXPECT_EQ(view.updates[0].sender, &sender);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(score->length(), 96);
    EXPECT_EQ(document.UndoMenuText(), "元に戻す(&U) - 追加\tCtrl+Z");
    EXPECT_TRUE(document.IsUndoEnabled());

    document.Undo();
    EXPECT_TRUE(score->notes().empty());
    EXPECT_EQ(score->length(), 0);
    EXPECT_EQ(document.UndoMenuText(), "元に戻す(&U)\tCtrl+Z");
    EXPECT_FALSE(document.IsUndoEnabled());
    EXPECT_EQ(document.RedoMenuText(), "やり直し - 追加\tCtrl+Y");
    EXPECT_EQ(view.updates.back().sender, nullptr);

    document.Redo();
    EXPECT_EQ(NotesOf(*score), (std::vector<CNote>{{96, 2, 0}}));
    EXPECT_EQ(document.RedoMenuText(), "やり直し\tCtrl+Y");
    EXPECT_FALSE(document.IsRedoEnabled());
}

TEST_F(CommandTest, ExecutingAfterUndosDropsTheRedoTailAndPlayingOrANewDocumentStopsUndo)
{
    AddNotes({{0, 0, 0}});
    AddNotes({{48, 1, 0}});
    AddNotes({{96, 2, 0}});
    document.Undo();
    document.Undo();
    EXPECT_EQ(document.historyCount(), 3u);
    AddNotes({{144, 3, 0}});
    EXPECT_EQ(document.historyCount(), 2u);
    EXPECT_FALSE(document.IsRedoEnabled());
    EXPECT_EQ(ClocksOf(*score), (std::vector<std::int32_t>{0, 144}));

    document.Undo();
    document.SetPlaying(true);
    EXPECT_FALSE(document.IsUndoEnabled());
    EXPECT_FALSE(document.IsRedoEnabled());
    document.SetPlaying(false);
    EXPECT_TRUE(document.IsUndoEnabled() && document.IsRedoEnabled());
    document.NewDocument();
    EXPECT_EQ(document.historyCount(), 0u);
    EXPECT_EQ(document.historyPosition(), 0u);
}

TEST_F(CommandTest, UndoingAnAddRemovesExactlyItsOwnNotes)
{
    Fill({{48, 1, 0}, {48, 2, 0}});
    AddNotes({{48, 1, 0}, {0, 3, 0}, {48, 0, 0}});
    const CNote* older = score->notes()[1].get();
    document.Undo();
    ASSERT_EQ(score->notes().size(), 2u);
    EXPECT_EQ(score->notes()[0].get(), older);
    EXPECT_EQ(NotesOf(*score), (std::vector<CNote>{{48, 1, 0}, {48, 2, 0}}));
}

TEST_F(CommandTest, DeleteAndUndoRestoreTheSameNotes)
{
    Fill({{0, 0, 0}, {48, 1, 0}, {96, 2, 24}});
    CNote* middle = score->notes()[1].get();
    CNote* last = score->notes()[2].get();
    auto command = std::make_unique<CDeleteNoteCommand>(score, "削除");
    command->AddNote(middle);
    command->AddNote(last);
    EXPECT_EQ(command->minClock(), 48);
    document.Execute(std::move(command), nullptr);
    EXPECT_EQ(NotesOf(*score), (std::vector<CNote>{{0, 0, 0}}));
    EXPECT_EQ(score->length(), 0);
    document.Undo();
    ASSERT_EQ(score->notes().size(), 3u);
    EXPECT_EQ(score->notes()[1].get(), middle);
    EXPECT_EQ(score->notes()[2].get(), last);
    EXPECT_EQ(score->length(), 120);
}

TEST_F(CommandTest, DeletingRowsMovesLaterNotesUpAndUndoPutsThemBack)
{
    Fill({{100, 0, 0}, {200, 1, 0}, {400, 2, 0}});
    auto command = std::make_unique<CDeleteClockCommand>(score, "削除", 192, 192);
    EXPECT_EQ(command->minClock(), 192);
    document.Execute(std::move(command), nullptr);
    EXPECT_EQ(NotesOf(*score), (std::vector<CNote>{{100, 0, 0}, {208, 2, 0}}));
    document.Undo();
    EXPECT_EQ(NotesOf(*score), (std::vector<CNote>{{100, 0, 0}, {200, 1, 0}, {400, 2, 0}}));
    document.Redo();
    EXPECT_EQ(ClocksOf(*score), (std::vector<std::int32_t>{100, 208}));
}

TEST_F(CommandTest, InsertingRowsMovesLaterNotesDownAndKeepsFreezeLengths)
{
    Fill({{150, 3, 96}, {192, 0, 0}, {300, 1, 0}});
    document.Execute(std::make_unique<CInsertClockCommand>(score, "行挿入", 192, 96), nullptr);
    EXPECT_EQ(NotesOf(*score), (std::vector<CNote>{{150, 3, 96}, {288, 0, 0}, {396, 1, 0}}));
    document.Undo();
    EXPECT_EQ(NotesOf(*score), (std::vector<CNote>{{150, 3, 96}, {192, 0, 0}, {300, 1, 0}}));
}

TEST_F(CommandTest, PastedRowsComeBackAtTheSameClocksOnRedo)
{
    Fill({{0, 0, 0}, {96, 1, 0}});
    auto paste = std::make_unique<CInsertClockCommand>(score, "貼り付け", 48, 48);
    paste->AddNote(MakeNote(48, 2));
    paste->AddNote(MakeNote(72, 3, 12));
    document.Execute(std::move(paste), nullptr);
    const std::vector<CNote> pasted{{0, 0, 0}, {48, 2, 0}, {72, 3, 12}, {144, 1, 0}};
    EXPECT_EQ(NotesOf(*score), pasted);
    document.Undo();
    EXPECT_EQ(NotesOf(*score), (std::vector<CNote>{{0, 0, 0}, {96, 1, 0}}));
    document.Redo();
    EXPECT_EQ(NotesOf(*score), pasted);
}

TEST_F(CommandTest, MovingSortsByClockLessLengthAndUndoRestores)
{
    Fill({{48, 0, 0}, {96, 1, 0}, {192, 2, 0}});
    CNote* last = score->notes()[2].get();
    auto command = std::make_unique<CMoveNoteCommand>(score, "長さの変更");
    command->AddMove(last, 144, 2, 120); // a freeze whose clock - length is 24
    EXPECT_EQ(command->minClock(), 144);
    document.Execute(std::move(command), nullptr);
    EXPECT_EQ(score->notes()[0].get(), last);
    EXPECT_EQ(view.updates.back().hint, UpdateHint::NotesMoved);
    EXPECT_EQ(score->length(), 264);
    document.Undo();
    EXPECT_EQ(NotesOf(*score), (std::vector<CNote>{{48, 0, 0}, {96, 1, 0}, {192, 2, 0}}));
}

TEST_F(CommandTest, SongSettingsChangeTogetherAndRetimeEveryScore)
{
    document.SetGap(0);
    auto command
        = std::make_unique<CSongPropertyCommand>(&document, SongProperties{"曲", "人", 150.0f, 40});
    EXPECT_EQ(command->name(), LoadString(IDS_SONG_SETTINGS));
    document.Execute(std::move(command), nullptr);
    EXPECT_EQ(document.title(), "曲");
    EXPECT_EQ(document.bpm(), 150.0f);
    EXPECT_EQ(document.gap(), 40);
    EXPECT_EQ(view.updates.back().hint, UpdateHint::Song);
    document.Undo();
    EXPECT_EQ(document.title(), "");
    EXPECT_EQ(document.bpm(), 120.0f);
    EXPECT_EQ(document.gap(), 0);
    EXPECT_THROW(CSongPropertyCommand(&document, SongProperties{"", "", 0.0f, 0}),
                 InvalidArgumentError);
}

TEST_F(CommandTest, MotionOptionsDoAndUndo)
{
    document.Execute(
        std::make_unique<CMotionOptionCommand>(&document, MotionOptions{15.5f, false, true}),
        nullptr);
    EXPECT_EQ(document.panelSize(), 15.5f);
    EXPECT_FALSE(document.twist());
    EXPECT_TRUE(document.turnEnabled());
    EXPECT_EQ(view.updates.back().hint, UpdateHint::Model);
    EXPECT_EQ(document.UndoMenuText(), "元に戻す(&U) - モーション設定\tCtrl+Z");
    document.Undo();
    EXPECT_EQ(document.panelSize(), 12.0f);
    EXPECT_TRUE(document.twist());
    EXPECT_FALSE(document.turnEnabled());
    EXPECT_THROW(CMotionOptionCommand(&document, MotionOptions{0.0f, true, false}),
                 InvalidArgumentError);
}

// Edit, compare, undo everything, compare: a long mixed sequence leaves the score as it was.
TEST_F(CommandTest, AMixedSequenceUndoesBackToTheStart)
{
    Fill({{0, 0, 0}, {48, 1, 24}, {96, 2, 0}, {192, 3, 0}, {384, 0, 48}});
    const std::vector<CNote> start = NotesOf(*score);
    AddNotes({{24, 3, 0}, {200, 1, 0}});
    document.Execute(std::make_unique<CDeleteClockCommand>(score, "削除", 90, 100), nullptr);
    auto move = std::make_unique<CMoveNoteCommand>(score, "移動");
    move->AddMove(score->notes()[0].get(), 300, 2, 0);
    move->AddMove(score->notes()[1].get(), 12, 1, 0);
    document.Execute(std::move(move), nullptr);
    document.Execute(std::make_unique<CInsertClockCommand>(score, "行挿入", 0, 12), nullptr);
    auto remove = std::make_unique<CDeleteNoteCommand>(score, "削除");
    remove->AddNote(score->notes()[2].get());
    document.Execute(std::move(remove), nullptr);
    const std::vector<CNote> end = NotesOf(*score);
    EXPECT_NE(end, start);

    while (document.CanUndo())
        document.Undo();
    // Moves re-sort, so compare as sets of values.
    auto sorted = [](std::vector<CNote> notes) {
        std::sort(notes.begin(), notes.end(), [](const CNote& a, const CNote& b) {
            return std::tie(a.clock, a.panel, a.length) < std::tie(b.clock, b.panel, b.length);
        });
        return notes;
    };
    EXPECT_EQ(sorted(NotesOf(*score)), sorted(start));
    while (document.CanRedo())
        document.Redo();
    EXPECT_EQ(sorted(NotesOf(*score)), sorted(end));
}

// A move re-sorts by clock less length, so the index an add remembered may point elsewhere
// by the time it is undone; the undo must still take out the note it added and no other.
TEST_F(CommandTest, UndoingAnAddAfterAMoveReSortedTakesOutTheAddedNote)
{
    Fill({{48, 1, 24}});
    AddNotes({{24, 3, 0}}); // clock order: 24, 48 (freeze from 48 back to key 24)
    auto move = std::make_unique<CMoveNoteCommand>(score, "移動");
    move->AddMove(score->notes()[1].get(), 48, 1, 24); // same values, but re-sorts
    document.Execute(std::move(move), nullptr);
    EXPECT_EQ(NotesOf(*score), (std::vector<CNote>{{48, 1, 24}, {24, 3, 0}}));
    document.Undo();
    document.Undo();
    EXPECT_EQ(NotesOf(*score), (std::vector<CNote>{{48, 1, 24}}));
}

// An edit that would take a chart past the chart limits is refused before it changes
// anything, and leaves no entry in the history.
TEST_F(CommandTest, EditsBeyondTheChartLimitsAreRefusedWithoutAnUndoEntry)
{
    const std::int32_t last = MaxChartClock(document.bpm());
    AddNotes({{last - 10, 1, 0}});
    const std::vector<CNote> before = NotesOf(*score);

    auto add = std::make_unique<CAddNoteCommand>(score, "追加");
    EXPECT_THROW(add->AddNote(MakeNote(last + 1, 0)), InvalidArgumentError);
    EXPECT_THROW(add->AddNote(MakeNote(0, 0, -1)), InvalidArgumentError);
    EXPECT_THROW(add->AddNote(MakeNote(0, 4)), InvalidArgumentError); // SINGLE has 0-3
    EXPECT_TRUE(add->elements().empty());

    auto move = std::make_unique<CMoveNoteCommand>(score, "長さの変更");
    EXPECT_THROW(move->AddMove(score->notes()[0].get(), last - 10, 1, 11), InvalidArgumentError);
    CNote stranger{0, 0, 0};
    EXPECT_THROW(move->AddMove(&stranger, 0, 0, 0), InvalidArgumentError);

    // Inserting rows would push the note past the limit; once the shift was held at the
    // largest clock and undoing it could not bring the note back.
    EXPECT_THROW(CInsertClockCommand(score, "行挿入", 0, 11), InvalidArgumentError);
    EXPECT_THROW(CDeleteClockCommand(score, "削除", -48, 48), InvalidArgumentError);
    document.Execute(std::make_unique<CInsertClockCommand>(score, "行挿入", 0, 10), nullptr);
    document.Undo();

    // A slower tempo would stretch the chart past two hours.
    EXPECT_THROW(CSongPropertyCommand(&document, SongProperties{"", "", 119.0f, 0}),
                 InvalidArgumentError);

    EXPECT_EQ(NotesOf(*score), before);
    EXPECT_EQ(document.historyCount(), 2u);
    EXPECT_EQ(document.historyPosition(), 1u);
    EXPECT_EQ(document.bpm(), 120.0f);
}

// A Do or Undo that fails half-way must leave every note where it was: the notes it had
// already taken out would otherwise be deleted with the command while views still show them.
TEST_F(CommandTest, ACommandThatFailsHalfWayLeavesTheScoreAsItWas)
{
    Fill({{0, 0, 0}, {48, 1, 0}, {96, 2, 0}});
    const std::vector<const CNote*> identities{score->notes()[0].get(), score->notes()[1].get(),
                                               score->notes()[2].get()};
    // Named twice: the second taking out fails after the first succeeded.
    auto remove = std::make_unique<CDeleteNoteCommand>(score, "削除");
    remove->AddNote(score->notes()[0].get());
    remove->AddNote(score->notes()[1].get());
    remove->AddNote(score->notes()[0].get());
    view.updates.clear();
    EXPECT_THROW(document.Execute(std::move(remove), nullptr), InvalidArgumentError);
    EXPECT_EQ(score->notes().size(), 3u);
    for (std::size_t i = 0; i < identities.size() && i < score->notes().size(); ++i)
        EXPECT_EQ(score->notes()[i].get(), identities[i]);
    EXPECT_EQ(document.historyCount(), 0u);
    EXPECT_TRUE(view.updates.empty());

    // An undo whose notes are no longer all in the score fails whole and stays undoable.
    AddNotes({{24, 3, 0}, {72, 3, 0}});
    // The note at 24 goes behind the command's back; the undo takes out 72 before it.
    const std::unique_ptr<CNote> gone = score->TakeNoteAt(1);
    EXPECT_THROW(document.Undo(), InvalidArgumentError);
    EXPECT_EQ(ClocksOf(*score), (std::vector<std::int32_t>{0, 48, 72, 96}));
    EXPECT_EQ(document.historyPosition(), 1u);
    EXPECT_TRUE(document.CanUndo());
}
