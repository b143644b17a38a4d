#include "chart/ChartLimits.h"
#include "ChartTestSupport.h"
#include "TestData.h"
#include "chart/ZlvmFile.h"
#include "text/Errors.h"
#include "text/FileIo.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

TEST(ChartLimits, TheLastClockIsTwoHoursAtTheTempo)
{
    // Two hours at 120 BPM are 14 400 beats; one frame is 3.2 clocks, so the last clock of
    // frame 216 000 lies at most three clocks later.
    const std::int32_t at120 = MaxChartClock(120.0f);
    EXPECT_GE(at120, 14400 * kClocksPerBeat);
    EXPECT_LE(at120, 14400 * kClocksPerBeat + 3);
    for (const float bpm : {120.0f, 150.0f, 133.33f, 0.001f, 1e-30f, 9999.0f}) {
        const std::int32_t last = MaxChartClock(bpm);
        EXPECT_LE(ClockToFrame(last, bpm), kMaxChartFrames) << bpm;
        EXPECT_GT(ClockToFrame(last + 1, bpm), kMaxChartFrames) << bpm;
    }
    // So fast that no clock leaves the limit.
    EXPECT_EQ(MaxChartClock(1e30f), std::numeric_limits<std::int32_t>::max());
}

TEST(ChartLimits, NotesBeforeTheStartWithNegativeLengthsOrEndingLateBreakThem)
{
    const std::int32_t last = MaxChartClock(120.0f);
    EXPECT_EQ(ChartLimitBreach(CNote{0, 0, 0}, 120.0f), "");
    EXPECT_EQ(ChartLimitBreach(CNote{last - 96, 0, 96}, 120.0f), "");
    EXPECT_NE(ChartLimitBreach(CNote{last - 96, 0, 97}, 120.0f), "");
    EXPECT_NE(ChartLimitBreach(CNote{-1, 0, 0}, 120.0f), "");
    EXPECT_NE(ChartLimitBreach(CNote{48, 0, -1}, 120.0f), "");
    // The end is computed without wrapping.
    EXPECT_NE(ChartLimitBreach(CNote{std::numeric_limits<std::int32_t>::max(), 0,
                                     std::numeric_limits<std::int32_t>::max()},
                               1e30f),
              "");
    const std::vector<CNote> notes{{0, 0, 0}, {2'000'000'000, 1, 0}};
    EXPECT_NE(ChartLimitBreach(notes, 120.0f).find("two hours"), std::string::npos);
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
