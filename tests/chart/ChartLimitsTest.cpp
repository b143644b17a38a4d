#include "base/ChartLimits.h"
#include "ChartTestSupport.h"
#include "TestData.h"
#include "chart/ZlvmFile.h"
#include "chart/commands/AddNoteCommand.h"
#include "text/Errors.h"
#include "text/FileIo.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

TEST(ChartLimits, AChartEndsByTwoHoursAtItsTempoWithNothingNegative)
{
    // Two hours at 120 BPM are 14 400 beats, and one frame is 3.2 clocks.
    const std::int32_t last = MaxChartClock(120.0f);
    EXPECT_GE(last, 14400 * kClocksPerBeat);
    EXPECT_LE(last, 14400 * kClocksPerBeat + 3);
    for (const float bpm : {150.0f, 133.33f, 0.001f, 1e-30f}) {
        EXPECT_LE(ClockToFrame(MaxChartClock(bpm), bpm), kMaxChartFrames) << bpm;
        EXPECT_GT(ClockToFrame(MaxChartClock(bpm) + 1, bpm), kMaxChartFrames) << bpm;
    }
    EXPECT_EQ(ChartLimitBreach(CNote{last - 96, 0, 96}, 120.0f), "");
    for (const CNote& note : {CNote{last - 96, 0, 97}, CNote{-1, 0, 0}, CNote{48, 0, -1}})
        EXPECT_NE(ChartLimitBreach(note, 120.0f), "") << note.clock << " " << note.length;
    // So fast that every clock is within, and yet the end of a note is not wrapped.
    constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(MaxChartClock(1e30f), kLargest);
    EXPECT_NE(ChartLimitBreach(CNote{kLargest, 0, kLargest}, 1e30f), "");
}

// A tiny document holding one note at clock 2 000 000 000 once made the dance allocate step
// frames until memory ran out. It is refused whole now, and the open document stays.
TEST(ChartLimits, ADocumentBeyondThemIsRefusedAndTheOpenOneStays)
{
    ZlvmDocumentData data;
    data.scores.push_back({Style::SINGLE, "BASIC", {{2'000'000'000, 0, 0}}, "", {""}});
    const std::vector<std::uint8_t> bytes = WriteZlvm(data);
    EXPECT_THROW(ReadZlvm(bytes), FileFormatError);

    const auto path = UniqueTempPath("beyond-limits.zlvm");
    WriteFileAtomically(path, bytes);
    CStepDocument document;
    document.NewDocument();
    document.currentScore()->InsertNote(MakeNote(96, 1));
    EXPECT_THROW(document.OpenDocument(path), FileFormatError);
    EXPECT_THROW(document.Load(data), InvalidArgumentError);
    ASSERT_EQ(document.scores().size(), 1u);
    EXPECT_EQ(NotesOf(*document.currentScore()), (std::vector<CNote>{{96, 1, 0}}));
    std::filesystem::remove(path);

    // At a slower tempo a note that fits at 120 BPM does not.
    data.scores[0].notes = {{MaxChartClock(120.0f), 0, 0}};
    EXPECT_NO_THROW(ReadZlvm(WriteZlvm(data)));
    data.bpm = 119.0f;
    EXPECT_THROW(ReadZlvm(WriteZlvm(data)), FileFormatError);
}

// A chart the document file could not count is refused at the edit, with no undo entry.
TEST(ChartLimits, AnEditBeyondTheNoteCountIsRefused)
{
    CStepDocument document;
    document.NewDocument();
    document.SetBpm(1000.0f);
    CScore* score = document.currentScore();
    std::vector<std::unique_ptr<CNote>> notes;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(kMaxChartNotes); ++i)
        notes.push_back(MakeNote(i * 12, 0));
    score->AppendNotes(std::move(notes));
    CAddNoteCommand command(score, "add");
    EXPECT_THROW(command.AddNote(MakeNote(0, 1)), ChartLimitError);
    EXPECT_EQ(score->notes().size(), kMaxChartNotes);
    EXPECT_NE(ChartLimitBreach(std::vector<CNote>(kMaxChartNotes + 1), 120.0f), "");
}
