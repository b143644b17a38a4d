#include "ChartTestSupport.h"
#include "base/ChartLimits.h"
#include "chart/commands/AddNoteCommand.h"
#include "chart/commands/DeleteClockCommand.h"
#include "chart/commands/InsertClockCommand.h"
#include "chart/commands/SongPropertyCommand.h"
#include "chart/commands/TempoEventCommand.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

namespace {

using Events = std::vector<CTempoEvent>;

CTempoMap MapOf(float bpm, const Events& events)
{
    CTempoMap tempo(bpm);
    EXPECT_TRUE(tempo.Add(events).empty());
    return tempo;
}

class TempoEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        document.NewDocument();
        document.AddView(&view);
        score = document.scores().current();
    }
    Events EventsNow() const { return document.tempoMap().events(); }
    // Runs the command, then checks that undo gives back the map and the notes exactly and
    // redo the edited ones.
    void DoUndoRedo(std::unique_ptr<CCommand> command)
    {
        const CTempoMap before = document.tempoMap();
        const std::vector<CNote> notes = NotesOf(*score);
        document.Execute(std::move(command), nullptr);
        const CTempoMap after = document.tempoMap();
        const std::vector<CNote> edited = NotesOf(*score);
        document.Undo();
        EXPECT_EQ(document.tempoMap(), before);
        EXPECT_EQ(NotesOf(*score), notes);
        document.Redo();
        EXPECT_EQ(document.tempoMap(), after);
        EXPECT_EQ(NotesOf(*score), edited);
    }
    // Expects `make` to be refused as beyond the limits with the document untouched.
    template<class Make> void ExpectRefused(Make make)
    {
        const CTempoMap before = document.tempoMap();
        const std::vector<CNote> notes = NotesOf(*score);
        const std::size_t history = document.historyCount();
        view.updates.clear();
        EXPECT_THROW(document.Execute(make(), nullptr), ChartLimitError);
        EXPECT_EQ(document.tempoMap(), before);
        EXPECT_EQ(NotesOf(*score), notes);
        EXPECT_EQ(document.historyCount(), history);
        EXPECT_TRUE(view.updates.empty());
    }

    CStepDocument document;
    RecordingView view;
    CScore* score = nullptr;
};

} // namespace

TEST_F(TempoEdit, EventsAreInsertedChangedAndDeletedThroughTheHistory)
{
    Add(*score, {{0, 0, 0}, {384, 1, 0}});
    document.SetModifiedFlag(false);
    auto insert = CTempoEventCommand::Insert(&document, CTempoChange{192, 150.0f});
    EXPECT_EQ(insert->name(), "テンポ変更の挿入");
    DoUndoRedo(std::move(insert));
    EXPECT_EQ(EventsNow(), (Events{CTempoChange{0, 120.0f}, CTempoChange{192, 150.0f}}));
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(view.updates.back().hint, UpdateHint::Song);
    // At 150 BPM from the second measure its second beat comes after 2 s + 0.4 s.
    EXPECT_EQ(document.tempoMap().ClockToFrame(240), 72);

    DoUndoRedo(CTempoEventCommand::Insert(&document, CStop{192, 250.0}));
    DoUndoRedo(CTempoEventCommand::Insert(&document, CDelay{96, 100.0}));
    EXPECT_EQ(EventsNow(),
              (Events{CTempoChange{0, 120.0f}, CDelay{96, 100.0}, CTempoChange{192, 150.0f},
                      CStop{192, 250.0}}));
    auto change = CTempoEventCommand::Change(&document, 3, CStop{192, 500.0});
    EXPECT_EQ(change->name(), "停止の編集");
    DoUndoRedo(std::move(change));
    EXPECT_EQ(std::get<CStop>(EventsNow()[3]).milliseconds, 500.0);
    // Deleting names events by index; the song's tempo is only ever changed.
    const std::size_t both[] = {2, 3};
    DoUndoRedo(CTempoEventCommand::Remove(&document, both));
    EXPECT_EQ(EventsNow(), (Events{CTempoChange{0, 120.0f}, CDelay{96, 100.0}}));
    DoUndoRedo(CTempoEventCommand::Change(&document, 0, CTempoChange{0, 90.0f}));
    EXPECT_EQ(document.tempoMap().songBpm(), 90.0f);
}

TEST_F(TempoEdit, RefusedEditsChangeNothing)
{
    ASSERT_TRUE(document.tempoMap().Breach().empty());
    document.Execute(CTempoEventCommand::Insert(&document, CTempoChange{192, 150.0f}), nullptr);
    // The map's own refusals (each kind is the map's suite's) are the commands'.
    ExpectRefused([&] { return CTempoEventCommand::Insert(&document, CTempoChange{48, 0.0f}); });
    const std::size_t songTempo[] = {0};
    ExpectRefused([&] { return CTempoEventCommand::Remove(&document, songTempo); });

    // A chart that would end past two hours: a stop of a second before a note at the limit.
    const std::int32_t last = MaxChartClock(document.tempoMap());
    Add(*score, {{last, 2, 0}});
    ExpectRefused([&] { return CTempoEventCommand::Insert(&document, CStop{96, 1000.0}); });
    try {
        CTempoEventCommand::Insert(&document, CDelay{96, 1000.0});
        ADD_FAILURE() << "a delay before the last note is refused";
    } catch (const ChartLimitError& error) {
        ASSERT_TRUE(error.reason());
        EXPECT_EQ(error.reason()->id(), IDS_REASON_THROUGH_TEMPO_MAP_IN_CHART);
    }
    // Slowing the tempo after the first change is refused too; speeding it up is not.
    ExpectRefused([&] {
        return CTempoEventCommand::Change(&document, 1, CTempoChange{192, 149.0f});
    });
    document.Execute(CTempoEventCommand::Change(&document, 1, CTempoChange{192, 151.0f}), nullptr);
}

TEST_F(TempoEdit, RowsInsertedAndDeletedMoveTheEventsWithTheNotes)
{
    Add(*score, {{0, 0, 0}, {96, 1, 0}, {288, 2, 0}});
    ASSERT_NO_THROW(
        document.SetTempoMap(MapOf(120.0f,
                                   {CStop{0, 100.0}, CDelay{48, 50.0}, CTempoChange{96, 180.0f},
                                    CWarp{144, 96}, CStop{288, 200.0}})));
    const Events original = EventsNow();

    // Rows at 96: the change there and everything later go 48 clocks down, with the notes;
    // the warp across nothing at 144 simply moves.
    auto insert = std::make_unique<CInsertClockCommand>(score, "行挿入", 96, 48);
    DoUndoRedo(std::move(insert));
    EXPECT_EQ(EventsNow(),
              (Events{CTempoChange{0, 120.0f}, CStop{0, 100.0}, CDelay{48, 50.0},
                      CTempoChange{144, 180.0f}, CWarp{192, 96}, CStop{336, 200.0}}));
    EXPECT_EQ(NotesOf(*score), (std::vector<CNote>{{0, 0, 0}, {144, 1, 0}, {336, 2, 0}}));
    document.Undo();
    EXPECT_EQ(EventsNow(), original);

    // Rows inside a warp: it takes them in, so the same clocks stay skipped; rows where it
    // ends are not skipped.
    document.Execute(std::make_unique<CInsertClockCommand>(score, "行挿入", 192, 24), nullptr);
    EXPECT_EQ(std::get<CWarp>(EventsNow()[4]), (CWarp{144, 120}));
    document.Undo();
    document.Execute(std::make_unique<CInsertClockCommand>(score, "行挿入", 240, 24), nullptr);
    EXPECT_EQ(std::get<CWarp>(EventsNow()[4]), (CWarp{144, 96}));
    document.Undo();

    // Rows 48 to 191 deleted: the delay and the tempo change in them go, the warp keeps its
    // part beyond them, later events move up; the stop at clock 0 stays.
    DoUndoRedo(std::make_unique<CDeleteClockCommand>(score, "削除", 48, 144));
    EXPECT_EQ(EventsNow(),
              (Events{CTempoChange{0, 120.0f}, CStop{0, 100.0}, CWarp{48, 48}, CStop{144, 200.0}}));
    EXPECT_EQ(NotesOf(*score), (std::vector<CNote>{{0, 0, 0}, {144, 2, 0}}));
    document.Undo();
    EXPECT_EQ(EventsNow(), original);
    // The first rows gone, what followed them starts the song at the tempo it had.
    DoUndoRedo(std::make_unique<CDeleteClockCommand>(score, "削除", 0, 96));
    EXPECT_EQ(EventsNow(), (Events{CTempoChange{0, 180.0f}, CWarp{48, 96}, CStop{192, 200.0}}));
    EXPECT_EQ(document.tempoMap().songBpm(), 180.0f);
    document.Undo();
    // Rows of the song's start without a tempo change after them keep the song's tempo.
    document.Execute(std::make_unique<CDeleteClockCommand>(score, "削除", 0, 48), nullptr);
    EXPECT_EQ(EventsNow().front(), (CTempoEvent{CTempoChange{0, 120.0f}}));
    EXPECT_EQ(EventsNow()[1], (CTempoEvent{CDelay{0, 50.0}}));
}

TEST_F(TempoEdit, RowEditsThatWouldTakeAnotherChartPastTheLimitAreRefused)
{
    // A fast stretch keeps the other chart's last note within two hours; deleting the rows
    // of its tempo change would slow every later clock down to the song's tempo.
    ASSERT_NO_THROW(document.SetTempoMap(MapOf(120.0f, {CTempoChange{96, 240.0f}})));
    CScore& other = *document.scores().FindOrCreate(Style::DOUBLE, "BASIC");
    const std::int32_t last = MaxChartClock(document.tempoMap());
    Add(other, {{last - 96, 5, 0}});
    ExpectRefused([&] { return std::make_unique<CDeleteClockCommand>(score, "削除", 48, 96); });
    EXPECT_EQ(NotesOf(other), (std::vector<CNote>{{last - 96, 5, 0}}));
    // Deleting rows before the change moves it earlier: the chart only gets shorter.
    document.Execute(std::make_unique<CDeleteClockCommand>(score, "削除", 0, 48), nullptr);
    EXPECT_EQ(EventsNow()[1], (CTempoEvent{CTempoChange{48, 240.0f}}));
    // Inserting slow rows on this chart moves the change later for the other one as well.
    document.Undo();
    ExpectRefused([&] { return std::make_unique<CInsertClockCommand>(score, "行挿入", 0, 960); });
    // Nor may an event be pushed past the last clock there is.
    document.Execute(CTempoEventCommand::Insert(&document, CStop{INT32_MAX - 10, 1.0}), nullptr);
    try {
        CInsertClockCommand(score, "行挿入", 0, 48);
        ADD_FAILURE() << "the stop would pass the last clock";
    } catch (const ChartLimitError& error) {
        ASSERT_TRUE(error.reason());
        EXPECT_EQ(error.reason()->id(), IDS_REASON_INSERT_MOVES_TEMPO_EVENT_PAST_END);
    }
    document.Undo();
    // The chart being edited is held to the limit through the moved map, too.
    Add(*score, {{last - 10, 0, 0}});
    try {
        CInsertClockCommand(score, "行挿入", 192, 11);
        ADD_FAILURE() << "the insert pushes the note past the limit";
    } catch (const ChartLimitError& error) {
        ASSERT_TRUE(error.reason());
        EXPECT_EQ(error.reason()->id(), IDS_REASON_INSERT_PAST_LIMIT_TEMPO_MAP);
    }
}

TEST_F(TempoEdit, TheSongsTempoChangesOnlyTheFirstTempoAndKeepsTheChartsInTheLimits)
{
    // A stop of ten minutes leaves the chart an hour and fifty minutes of clocks.
    const CStop stop{96, 600000.0};
    ASSERT_NO_THROW(document.SetTempoMap(MapOf(120.0f, {stop})));
    document.Execute(
        std::make_unique<CSongPropertyCommand>(&document, SongProperties{"曲", "", 150.0f, 0}),
        nullptr);
    EXPECT_EQ(EventsNow(), (Events{CTempoChange{0, 150.0f}, stop}));
    document.Undo();
    EXPECT_EQ(EventsNow(), (Events{CTempoChange{0, 120.0f}, stop}));

    // Through the map, the stop included: a note at its limit cannot take a slower tempo,
    // though two hours at that tempo alone would hold it.
    const std::int32_t last = MaxChartClock(document.tempoMap());
    Add(*score, {{last, 0, 0}});
    ASSERT_GT(MaxChartClock(115.0f), last);
    EXPECT_THROW(CSongPropertyCommand(&document, SongProperties{"", "", 115.0f, 0}),
                 ChartLimitError);
    EXPECT_NO_THROW(CSongPropertyCommand(&document, SongProperties{"", "", 121.0f, 0}));
}

// After a tempo edit every chart dances again from the first clock whose time changed; the
// dance must be the one a fresh document with the same notes and map makes from scratch.
TEST_F(TempoEdit, TempoEditsGiveTheSameDanceAsAFullRun)
{
    CScore& single = *score;
    CScore& couple = *document.scores().FindOrCreate(Style::COUPLE, "BASIC");
    for (std::int32_t i = 0; i < 64; ++i) {
        single.InsertNote(MakeNote(i * 24, i % 4, i % 7 == 0 ? 36 : 0));
        couple.InsertNote(MakeNote(i * 24 + 12, (i * 3) % 8));
    }
    single.UpdateLength(0);
    couple.UpdateLength(0);
    document.Execute(CTempoEventCommand::Insert(&document, CTempoChange{480, 180.0f}), nullptr);
    document.Execute(CTempoEventCommand::Insert(&document, CStop{720, 400.0}), nullptr);
    document.Execute(CTempoEventCommand::Insert(&document, CDelay{960, 300.0}), nullptr);
    ExpectDancesOfAFullRun({&single, &couple}, "tempo change, stop, delay");
    document.Execute(CTempoEventCommand::Change(&document, 1, CTempoChange{480, 90.0f}), nullptr);
    document.Undo();
    document.Undo();
    ExpectDancesOfAFullRun({&single, &couple}, "change, undo of it and the delay");
    document.Execute(std::make_unique<CInsertClockCommand>(&single, "行挿入", 600, 48), nullptr);
    ExpectDancesOfAFullRun({&single, &couple}, "rows inserted before the stop");
}
