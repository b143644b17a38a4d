#include "ChartTestSupport.h"
#include "base/ChartLimits.h"
#include "base/TimeUnits.h"

#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

TEST(Score, PlayersSplitThePanelsByStyle)
{
    CStepDocument document;
    const struct {
        Style style;
        int panels;
        std::vector<std::pair<int, int>> players; // first panel, panel count
    } cases[] = {{Style::SINGLE, 4, {{0, 4}}},
                 {Style::DOUBLE, 8, {{0, 8}}},
                 {Style::COUPLE, 8, {{0, 4}, {4, 4}}}};
    for (const auto& entry : cases) {
        CScore score(&document, entry.style, "BASIC");
        std::vector<std::pair<int, int>> players;
        for (const auto& player : score.players())
            players.emplace_back(player->firstPanel(), player->panelCount());
        EXPECT_EQ(players, entry.players) << StyleName(entry.style);
        EXPECT_EQ(score.panelCount(), entry.panels) << StyleName(entry.style);
    }
}

TEST(Score, InsertKeepsClockOrderAfterEqualClocksAndFindTakesTheFirst)
{
    CStepDocument document;
    CScore score(&document, Style::SINGLE, "BASIC");
    EXPECT_EQ(score.InsertNote(MakeNote(96, 1)), 0u);
    EXPECT_EQ(score.InsertNote(MakeNote(48, 2)), 0u);
    EXPECT_EQ(score.InsertNote(MakeNote(96, 3)), 2u);
    EXPECT_EQ(score.InsertNote(MakeNote(96, 1, 24)), 3u); // after every note at 96
    EXPECT_EQ(score.InsertNote(MakeNote(200, 0)), 4u);
    EXPECT_EQ(NotesOf(score),
              (std::vector<CNote>{{48, 2, 0}, {96, 1, 0}, {96, 3, 0}, {96, 1, 24}, {200, 0, 0}}));

    // Two notes on the same clock and panel: the first one is found.
    EXPECT_EQ(score.FindNote(96, 1), score.notes()[1].get());
    EXPECT_EQ(score.FindNote(96, 2), nullptr);
    EXPECT_EQ(score.FindNote(48, 1), nullptr);
}

TEST(Score, LengthIsTheLastNoteEndOrTheAudioWhicheverIsLonger)
{
    // Without a song a positive gap makes the audio's length negative; the score's stays 0.
    CStepDocument document;
    document.SetGap(500);
    EXPECT_LT(document.AudioLengthClocks(), 0);
    CScore score(&document, Style::SINGLE, "BASIC");
    EXPECT_EQ(score.length(), 0);
    score.UpdateLength(0);
    EXPECT_EQ(score.length(), 0);
    score.InsertNote(MakeNote(0, 0));
    score.InsertNote(MakeNote(384, 2, 96));
    score.InsertNote(MakeNote(400, 1));
    score.UpdateLength(0);
    EXPECT_EQ(score.length(), 480);

    // A note whose end does not fit 32 bits does not wrap around.
    score.InsertNote(MakeNote(2147483600, 0, 1000));
    score.UpdateLength(0);
    EXPECT_EQ(score.length(), 2147483647);
}

TEST(Score, CopyRangeTakesTheNotesInsideTheHalfOpenRange)
{
    CStepDocument document;
    CScore score(&document, Style::SINGLE, "BASIC");
    for (std::int32_t clock : {48, 96, 150, 192})
        score.InsertNote(MakeNote(clock, clock % 4, clock == 150 ? 12 : 0));
    const ClockRange range = score.CopyRange(96, 96);
    EXPECT_EQ(range.start, 96);
    EXPECT_EQ(range.length, 96);
    EXPECT_EQ(range.notes, (std::vector<CNote>{{96, 0, 0}, {150, 2, 12}}));
    EXPECT_EQ(score.notes().size(), 4u);
}

TEST(TimeUnits, ConversionsTruncateAsTheFilesExpect)
{
    EXPECT_EQ(ClockToFrame(48, 120.0f), 15);
    EXPECT_EQ(FrameToClock(15, 120.0f), 48);
    EXPECT_EQ(ClockToFrame(192, 120.0f), 60);
    EXPECT_EQ(ClockToFrame(48, 150.0f), 12);
    EXPECT_EQ(ClockToFrame(50, 150.0f), 12);   // 1875 / 150 = 12.5
    EXPECT_EQ(ClockToFrame(-50, 150.0f), -12); // toward zero, not down
    EXPECT_EQ(FrameToAudioTime(15, 0), 500);
    EXPECT_EQ(FrameToAudioTime(1, 100), 133);
    EXPECT_EQ(AudioTimeToFrame(600, 100), 15);
    EXPECT_EQ(AudioTimeToFrame(50, 100), -1);
    EXPECT_EQ(AudioLengthClocks(10000, 0, 120.0f), 960);
    // Single precision: 133.33 BPM is not exact, and the float product decides.
    EXPECT_EQ(FrameToClock(1000, 133.33f),
              static_cast<std::int32_t>(48000.0f * 133.33f / 60.0f / 30.0f));
}

TEST(TimeUnits, LargeValuesDoNotOverflowThirtyTwoBits)
{
    // clock x 1800 exceeds 32 bits here; the 64-bit product keeps the exact frame.
    EXPECT_EQ(ClockToFrame(2000000, 120.0f), 625000);
    // 4.8e9 clocks before the tempo step; the single-precision steps then round, as they do
    // for every chart (worked out step by step in float32).
    EXPECT_EQ(FrameToClock(100000000, 120.0f), 319999968);
    EXPECT_EQ(FrameToAudioTime(2147483647, 0), 2147483647);
    EXPECT_EQ(ClockToFrame(2147483647, 0.001f), 2147483647); // saturates
}

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
