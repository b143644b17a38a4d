#include "ChartTestSupport.h"
#include "base/ChartLimits.h"
#include "base/TimeUnits.h"
#include "chart/BackgroundVideo.h"
#include "text/Errors.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

// A style and difficulty name one score; deleting the current one makes the first current,
// deleting one of another document changes nothing, and deleting all leaves none current.
TEST(ScoreList, FindsCreatesAndDeletesScoresKeepingACurrentOne)
{
    CStepDocument document;
    CStepDocument other;
    CScoreList& scores = document.scores();
    CScore* basic = scores.FindOrCreate(Style::SINGLE, "BASIC");
    CScore* maniac = scores.FindOrCreate(Style::DOUBLE, "MANIAC");
    EXPECT_EQ(scores.FindOrCreate(Style::SINGLE, "BASIC"), basic);
    EXPECT_EQ(scores.Find(Style::DOUBLE, "MANIAC"), maniac);
    EXPECT_EQ(scores.Find(Style::SINGLE, "MANIAC"), nullptr);
    EXPECT_EQ(scores.Find(Style::DOUBLE, "maniac"), nullptr); // the exact difficulty
    ASSERT_EQ(scores.size(), 2u);
    EXPECT_EQ(maniac->document(), &document);

    scores.SetCurrent(maniac);
    CScore* stranger = other.scores().FindOrCreate(Style::DOUBLE, "MANIAC");
    EXPECT_THROW(scores.Delete(stranger), InvalidArgumentError);
    EXPECT_EQ(scores.size(), 2u);
    EXPECT_EQ(scores.current(), maniac);

    scores.Delete(maniac);
    ASSERT_EQ(scores.size(), 1u);
    EXPECT_EQ(scores.current(), basic);
    EXPECT_EQ(scores[0].get(), basic);

    scores.DeleteAll();
    EXPECT_TRUE(scores.empty());
    EXPECT_EQ(scores.current(), nullptr);
}

TEST(Score, PlayersSplitThePanelsByStyle)
{
    CStepDocument document;
    const std::pair<Style, std::vector<std::pair<int, int>>> cases[] // first panel, count
        = {{Style::SINGLE, {{0, 4}}}, {Style::DOUBLE, {{0, 8}}}, {Style::COUPLE, {{0, 4}, {4, 4}}}};
    for (const auto& [style, expected] : cases) {
        CScore score(&document, style, "BASIC");
        std::vector<std::pair<int, int>> players;
        for (const auto& player : score.players())
            players.emplace_back(player->firstPanel(), player->panelCount());
        EXPECT_EQ(players, expected) << StyleName(style);
    }
}

// A note goes after every note of its clock, and the first of a clock and panel is found.
// The length is the last note's end, or the song's when that is longer (without a song a
// positive gap makes the song's length negative; the score's stays 0), and never wraps.
TEST(Score, NotesKeepClockOrderAndTheLengthIsTheirLastEndOrTheSongs)
{
    CStepDocument document;
    document.SetDescription({document.description().title, document.description().artist, 500});
    EXPECT_LT(document.tempoMap().AudioLengthClocks(document.audio().lengthMs,
                                                    document.description().gap),
              0);
    CScore score(&document, Style::SINGLE, "BASIC");
    score.UpdateLength(0);
    EXPECT_EQ(score.length(), 0);
    EXPECT_EQ(score.InsertNote(MakeNote(96, 1)), 0u);
    EXPECT_EQ(score.InsertNote(MakeNote(48, 2)), 0u);
    EXPECT_EQ(score.InsertNote(MakeNote(96, 3)), 2u);
    EXPECT_EQ(score.InsertNote(MakeNote(96, 1, 120)), 3u);
    EXPECT_EQ(score.InsertNote(MakeNote(200, 0)), 4u);
    EXPECT_EQ(NotesOf(score),
              (std::vector<CNote>{{48, 2, 0}, {96, 1, 0}, {96, 3, 0}, {96, 1, 120}, {200, 0, 0}}));
    EXPECT_EQ(score.FindNote(96, 1), score.notes()[1].get());
    EXPECT_EQ(score.FindNote(96, 2), nullptr);
    EXPECT_EQ(score.FindNote(48, 1), nullptr);
    score.UpdateLength(0);
    EXPECT_EQ(score.length(), 216);

    score.InsertNote(MakeNote(2147483600, 0, 1000));
    score.UpdateLength(0);
    EXPECT_EQ(score.length(), 2147483647);
}

// The charts' files count in these units, truncated toward zero in single precision; the
// products are taken in 64 bits so that long charts do not overflow.
TEST(TimeUnits, ConversionsTruncateAsTheFilesExpectAndDoNotOverflow)
{
    EXPECT_EQ(ClockToFrame(48, 120.0f), 15);
    EXPECT_EQ(FrameToClock(15, 120.0f), 48);
    EXPECT_EQ(ClockToFrame(50, 150.0f), 12);   // 1875 / 150 = 12.5
    EXPECT_EQ(ClockToFrame(-50, 150.0f), -12); // toward zero, not down
    EXPECT_EQ(FrameToAudioTime(15, 0), 500);
    EXPECT_EQ(FrameToAudioTime(1, 100), 133);
    EXPECT_EQ(AudioTimeToFrame(600, 100), 15);
    EXPECT_EQ(AudioTimeToFrame(50, 100), -1);
    EXPECT_EQ(AudioLengthClocks(10000, 0, 120.0f), 960);
    EXPECT_EQ(FrameToClock(1000, 133.33f), 3555); // 133.33 BPM is not exact: 3555.47

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
    EXPECT_EQ(EnglishText(ChartLimitBreach(CNote{last - 96, 0, 96}, 120.0f)), "");
    for (const CNote& note : {CNote{last - 96, 0, 97}, CNote{-1, 0, 0}, CNote{48, 0, -1}})
        EXPECT_NE(EnglishText(ChartLimitBreach(note, 120.0f)), "")
            << note.clock << " " << note.length;
    // Above 728 BPM two hours hold more clocks than a chart may reach: the clock's own limit
    // holds there, and at tempos where two hours hold every clock, the end of a note is
    // still not wrapped.
    EXPECT_LT(MaxChartClock(728.0f), kMaxChartClock);
    EXPECT_EQ(MaxChartClock(728.0f), MaxClockWithinChartFrames(728.0f));
    constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();
    for (const float bpm : {729.0f, kMaxChartBpm, 1e30f}) {
        EXPECT_EQ(MaxChartClock(bpm), kMaxChartClock) << bpm;
        EXPECT_EQ(EnglishText(ChartLimitBreach(CNote{kMaxChartClock - 48, 0, 48}, bpm)), "") << bpm;
        EXPECT_NE(
            EnglishText(ChartLimitBreach(CNote{kMaxChartClock - 48, 0, 49}, bpm)).find("4194304"),
            std::string::npos)
            << bpm;
    }
    EXPECT_EQ(MaxClockWithinChartFrames(1e30f), kLargest);
    EXPECT_NE(EnglishText(ChartLimitBreach(CNote{kLargest, 0, kLargest}, 1e30f)), "");
    // The tempo and the gap have limits of their own.
    EXPECT_EQ(EnglishText(ChartTempoBreach(kMaxChartBpm)), "");
    EXPECT_NE(EnglishText(ChartTempoBreach(std::nextafter(kMaxChartBpm, 1e30f))), "");
    EXPECT_NE(EnglishText(ChartTempoBreach(std::numeric_limits<float>::infinity())), "");
    for (const std::int32_t gap : {-kMaxChartGap, 0, kMaxChartGap})
        EXPECT_EQ(EnglishText(ChartGapBreach(gap)), "") << gap;
    for (const std::int32_t gap : {-kMaxChartGap - 1, kMaxChartGap + 1, kLargest})
        EXPECT_NE(EnglishText(ChartGapBreach(gap)).find(std::to_string(gap)), std::string::npos)
            << gap;
    // Nor may a chart hold more notes than the document file can count.
    EXPECT_EQ(EnglishText(ChartLimitBreach(std::vector<CNote>(kMaxChartNotes), 120.0f)), "");
    EXPECT_NE(EnglishText(ChartLimitBreach(std::vector<CNote>(kMaxChartNotes + 1), 120.0f)), "");
}

TEST(BackgroundVideo, TheRangeRunsFromTheSongsStartToTheFrameAfterTheChart)
{
    CStepDocument document;
    document.NewDocument();
    CScore& score = *document.scores().current();
    score.InsertNote(MakeNote(1920 - 48, 0, 48));
    score.UpdateLength(0);
    // 1920 clocks at 120 BPM end at frame 600; that frame is written too, whatever the gap.
    const std::pair<std::int32_t, std::int32_t> cases[] // gap, first frame
        = {{0, 0}, {1000, -30}, {-500, 15}, {1, 0}, {-34, 1}};
    for (const auto& [gap, start] : cases) {
        document.SetDescription({document.description().title, document.description().artist, gap});
        const VideoFrameRange range = BackgroundVideoFrames(score);
        EXPECT_EQ(range.start, start) << gap;
        EXPECT_EQ(range.end, 601) << gap;
    }
    // A 2 s stop halfway and the second half at twice the tempo: 300 + 60 + 150 frames.
    CTempoMap tempo(120.0f);
    ASSERT_TRUE(
        tempo.Add(std::vector<CTempoEvent>{CStop{960, 2000.0}, CTempoChange{960, 240.0f}}).empty());
    document.SetTempoMap(tempo);
    EXPECT_EQ(BackgroundVideoFrames(score).end, 511);
}

// The video and the motions are proposed as "<document>_<STYLE>_<difficulty>[_<n>P]" until
// one is written; from then on its last path.
TEST(BackgroundVideo, ProposedNamesFollowTheDocumentStyleDifficultyAndDancerOrTheLastPath)
{
    CStepDocument document;
    document.NewDocument();
    EXPECT_EQ(ProposedAviPath(*document.scores().current()), "_SINGLE_BASIC.avi");
    document.SetPathName("/x/song.zlvm");
    EXPECT_EQ(document.scores().current()->ProposedMotionPath(0), "song_SINGLE_BASIC.vmd");
    CScore& couple = *document.scores().FindOrCreate(Style::COUPLE, "MANIAC");
    EXPECT_EQ(ProposedAviPath(couple), "song_COUPLE_MANIAC.avi");
    EXPECT_EQ(couple.ProposedMotionPath(1), "song_COUPLE_MANIAC_2P.vmd");
    couple.SetAviPath("/videos/first.avi");
    EXPECT_EQ(ProposedAviPath(couple), "/videos/first.avi");
}
