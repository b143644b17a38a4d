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
        score = document.scores().current();
    }
    void AddNotes(std::initializer_list<CNote> notes, IStepDocumentView* sender = nullptr)
    {
        auto command = std::make_unique<CAddNoteCommand>(score, "追加");
        for (const CNote& note : notes)
            command->AddNote(std::make_unique<CNote>(note));
        document.Execute(std::move(command), sender);
    }
    std::vector<const CNote*> Objects() const
    {
        std::vector<const CNote*> objects;
        for (const auto& note : score->notes())
            objects.push_back(note.get());
        return objects;
    }
    // Does a note command, then undoes and redoes it: the undo must bring back the very notes
    // that were there (the same objects, in order), the redo the edited score.
    void DoUndoRedo(std::unique_ptr<CScoreCommand> command, std::int32_t minClock,
                    std::int32_t length, const std::vector<CNote>& after)
    {
        const std::vector<CNote> before = NotesOf(*score);
        const std::int32_t lengthBefore = score->length();
        const std::vector<const CNote*> objects = Objects();
        EXPECT_EQ(command->minClock(), minClock);
        document.Execute(std::move(command), nullptr);
        EXPECT_EQ(NotesOf(*score), after);
        EXPECT_EQ(score->length(), length);
        document.Undo();
        EXPECT_EQ(NotesOf(*score), before);
        EXPECT_EQ(score->length(), lengthBefore);
        EXPECT_EQ(Objects(), objects);
        document.Redo();
        EXPECT_EQ(NotesOf(*score), after);
    }

    CStepDocument document;
    RecordingView view;
    CScore* score = nullptr;
};

} // namespace

// The view that made an edit is not told of it; an undo is nobody's. A command executed
// after undos drops the redo tail. (The menu texts are the main window's suite's.)
TEST_F(CommandTest, TheSenderIsNotToldAndANewCommandDropsTheRedoTail)
{
    RecordingView sender;
    document.AddView(&sender);
    AddNotes({{96, 2, 0}}, &sender);
    EXPECT_TRUE(sender.updates.empty());
    ASSERT_EQ(view.updates.size(), 1u);
    EXPECT_EQ(view.updates[0].hint, UpdateHint::NotesAddedOrDeleted);
    EXPECT_EQ(view.updates[0].sender, &sender);
    EXPECT_TRUE(document.IsModified());
    document.Undo();
    EXPECT_EQ(view.updates.back().sender, nullptr);
    EXPECT_FALSE(document.CanUndo());
    document.Redo();

    AddNotes({{0, 0, 0}});
    AddNotes({{48, 1, 0}});
    document.Undo();
    document.Undo();
    AddNotes({{144, 3, 0}});
    EXPECT_EQ(document.historyCount(), 2u);
    EXPECT_FALSE(document.CanRedo());
    EXPECT_EQ(NotesOf(*score), (std::vector<CNote>{{96, 2, 0}, {144, 3, 0}}));

    document.Undo();
    EXPECT_TRUE(document.CanUndo() && document.CanRedo());
    document.NewDocument();
    EXPECT_EQ(document.historyCount(), 0u);
}

// Edit, compare, undo, compare, redo: each kind of note command in turn, then the whole
// sequence undone back to the start and redone to its end.
TEST_F(CommandTest, NoteCommandsUndoToTheSameNotesAndRedoToTheEdit)
{
    const std::vector<CNote> start{{0, 0, 0}, {48, 1, 0}, {96, 2, 24}, {192, 3, 0}, {400, 2, 0}};
    Add(*score, start);
    {
        SCOPED_TRACE("add, one note equal to one there");
        auto add = std::make_unique<CAddNoteCommand>(score, "追加");
        for (const CNote& note : {CNote{48, 1, 0}, CNote{24, 3, 0}, CNote{48, 2, 0}})
            add->AddNote(std::make_unique<CNote>(note));
        const std::vector<CNote> after{{0, 0, 0},  {24, 3, 0},  {48, 1, 0},  {48, 1, 0},
                                       {48, 2, 0}, {96, 2, 24}, {192, 3, 0}, {400, 2, 0}};
        DoUndoRedo(std::move(add), 24, 400, after);
    }
    {
        SCOPED_TRACE("insert rows: later notes move down, freezes keep their length");
        const std::vector<CNote> after{{0, 0, 0},  {24, 3, 0},   {48, 1, 0},  {48, 1, 0},
                                       {48, 2, 0}, {192, 2, 24}, {288, 3, 0}, {496, 2, 0}};
        DoUndoRedo(std::make_unique<CInsertClockCommand>(score, "行挿入", 96, 96), 96, 496, after);
    }
    {
        SCOPED_TRACE("paste rows");
        auto paste = std::make_unique<CInsertClockCommand>(score, "貼り付け", 48, 48);
        paste->AddNote(MakeNote(48, 2));
        paste->AddNote(MakeNote(72, 3, 12));
        const std::vector<CNote> after{{0, 0, 0},   {24, 3, 0}, {48, 2, 0}, {72, 3, 12},
                                       {96, 1, 0},  {96, 1, 0}, {96, 2, 0}, {240, 2, 24},
                                       {336, 3, 0}, {544, 2, 0}};
        DoUndoRedo(std::move(paste), 48, 544, after);
    }
    {
        SCOPED_TRACE("delete rows: their notes go, later notes move up");
        const std::vector<CNote> after{{0, 0, 0},  {24, 3, 0}, {48, 2, 0},  {72, 3, 12}, {96, 1, 0},
                                       {96, 1, 0}, {96, 2, 0}, {236, 3, 0}, {444, 2, 0}};
        DoUndoRedo(std::make_unique<CDeleteClockCommand>(score, "削除", 200, 100), 200, 444, after);
    }
    {
        SCOPED_TRACE("delete notes");
        auto remove = std::make_unique<CDeleteNoteCommand>(score, "削除");
        remove->AddNote(score->notes()[8].get());
        remove->AddNote(score->notes()[6].get());
        const std::vector<CNote> after{{0, 0, 0},  {24, 3, 0}, {48, 2, 0}, {72, 3, 12},
                                       {96, 1, 0}, {96, 1, 0}, {236, 3, 0}};
        DoUndoRedo(std::move(remove), 96, 236, after);
    }
    {
        SCOPED_TRACE("move: re-sorted by clock less length, here 50");
        auto move = std::make_unique<CMoveNoteCommand>(score, "長さの変更");
        move->AddMove(score->notes()[6].get(), 300, 0, 250);
        const std::vector<CNote> after{{0, 0, 0},   {24, 3, 0}, {48, 2, 0}, {300, 0, 250},
                                       {72, 3, 12}, {96, 1, 0}, {96, 1, 0}};
        DoUndoRedo(std::move(move), 236, 550, after);
        EXPECT_EQ(view.updates.back().hint, UpdateHint::NotesMoved);
    }
    const std::vector<CNote> end = NotesOf(*score);
    while (document.CanUndo())
        document.Undo();
    EXPECT_EQ(NotesOf(*score), start);
    while (document.CanRedo())
        document.Redo();
    EXPECT_EQ(NotesOf(*score), end);
}

TEST_F(CommandTest, SongAndMotionSettingsChangeAndUndoTogether)
{
    document.Execute(
        std::make_unique<CSongPropertyCommand>(&document, SongProperties{"曲", "人", 150.0f, 40}),
        nullptr);
    EXPECT_EQ(view.updates.back().hint, UpdateHint::Song);
    document.Execute(
        std::make_unique<CMotionOptionCommand>(&document, MotionOptions{15.5f, false, true}),
        nullptr);
    EXPECT_EQ(view.updates.back().hint, UpdateHint::Model);
    const auto settings = [this] {
        return std::tuple(document.description().title, document.description().artist,
                          document.tempoMap().songBpm(), document.description().gap,
                          document.motionOptions().panelSize, document.motionOptions().twist,
                          document.motionOptions().turnEnabled);
    };
    EXPECT_EQ(settings(),
              std::tuple(std::string("曲"), std::string("人"), 150.0f, 40, 15.5f, false, true));
    document.Undo();
    document.Undo();
    EXPECT_EQ(settings(), std::tuple(std::string(), std::string(), 120.0f, 0, 12.0f, true, false));
    EXPECT_THROW(CSongPropertyCommand(&document, SongProperties{"", "", 0.0f, 0}),
                 InvalidArgumentError);
    EXPECT_THROW(CMotionOptionCommand(&document, MotionOptions{0.0f, true, false}),
                 InvalidArgumentError);
}

// An edit that would take a chart past the chart limits is refused before it changes
// anything, and leaves no entry in the history.
TEST_F(CommandTest, EditsBeyondTheChartLimitsAreRefusedWithoutAnUndoEntry)
{
    const std::int32_t last = MaxChartClock(document.tempoMap().songBpm());
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
    // A tempo or gap beyond their own limits, whatever the charts.
    for (const SongProperties& song : {SongProperties{"", "", 2 * kMaxChartBpm, 0},
                                       SongProperties{"", "", 120.0f, kMaxChartGap + 1},
                                       SongProperties{"", "", 120.0f, -kMaxChartGap - 1}})
        EXPECT_THROW(CSongPropertyCommand(&document, song), ChartLimitError) << song.gap;

    EXPECT_EQ(NotesOf(*score), before);
    EXPECT_EQ(document.historyCount(), 2u);
    EXPECT_EQ(document.historyPosition(), 1u);
    EXPECT_EQ(document.tempoMap().songBpm(), 120.0f);

    // Nor may a chart hold more notes than the document file can count.
    NoteArray notes;
    while (notes.size() + 1 < kMaxChartNotes)
        notes.push_back(MakeNote(0, 0));
    score->AppendNotes(std::move(notes));
    EXPECT_THROW(add->AddNote(MakeNote(0, 1)), InvalidArgumentError);
    EXPECT_EQ(score->notes().size(), kMaxChartNotes);
}

// An undo finds its notes by identity: a move re-sorts by clock less length, so the index an
// add remembered may point elsewhere by the time it is undone. A Do or Undo that fails
// half-way must leave every note where it was: the notes it had already taken out would
// otherwise be deleted with the command while views still show them.
TEST_F(CommandTest, UndoFindsItsNotesByIdentityAndAFailureHalfWayChangesNothing)
{
    Add(*score, {{48, 1, 24}});
    AddNotes({{24, 3, 0}}); // clock order: 24, 48 (freeze from 48 back to key 24)
    auto move = std::make_unique<CMoveNoteCommand>(score, "移動");
    move->AddMove(score->notes()[1].get(), 48, 1, 24); // same values, but re-sorts
    document.Execute(std::move(move), nullptr);
    EXPECT_EQ(NotesOf(*score), (std::vector<CNote>{{48, 1, 24}, {24, 3, 0}}));
    document.Undo();
    document.Undo();
    EXPECT_EQ(NotesOf(*score), (std::vector<CNote>{{48, 1, 24}}));

    Add(*score, {{0, 0, 0}, {96, 2, 0}});
    const std::vector<const CNote*> objects = Objects();
    // Named twice: the second taking out fails after the first succeeded.
    auto remove = std::make_unique<CDeleteNoteCommand>(score, "削除");
    remove->AddNote(score->notes()[0].get());
    remove->AddNote(score->notes()[1].get());
    remove->AddNote(score->notes()[0].get());
    view.updates.clear();
    EXPECT_THROW(document.Execute(std::move(remove), nullptr), InvalidArgumentError);
    EXPECT_EQ(Objects(), objects);
    EXPECT_FALSE(document.CanUndo());
    EXPECT_TRUE(view.updates.empty());

    // An undo whose notes are no longer all in the score fails whole and stays undoable.
    AddNotes({{24, 3, 0}, {72, 3, 0}});
    // The note at 24 goes behind the command's back; the undo takes out 72 before it.
    const std::unique_ptr<CNote> gone = score->TakeNoteAt(1);
    EXPECT_THROW(document.Undo(), InvalidArgumentError);
    EXPECT_EQ(NotesOf(*score),
              (std::vector<CNote>{{0, 0, 0}, {48, 1, 24}, {72, 3, 0}, {96, 2, 0}}));
    EXPECT_EQ(document.historyPosition(), 1u);
    EXPECT_TRUE(document.CanUndo());
}
