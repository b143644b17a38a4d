#include "base/TempoMap.h"
#include "base/TimeUnits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace zelvane;

namespace {

// Awkward floats among them: 150.3 and 133.33 are not exact in binary, 99999 and 0.5 are far
// from the usual tempos.
const float kTempos[] = {120.0f, 150.3f, 99999.0f, 0.5f, 133.33f, 1.0f, 100000.0f, 97.5f};

// A map of one tempo must give TimeUnits' very results: the dance of every existing file
// depends on them.
void ExpectSameAsTimeUnits(const CTempoMap& map, float bpm)
{
    ASSERT_TRUE(map.IsSingleTempo());
    for (std::int32_t clock = -3000; clock <= 300000; ++clock)
        ASSERT_EQ(map.ClockToFrame(clock), ClockToFrame(clock, bpm)) << bpm << " " << clock;
    for (std::int32_t frame = -3000; frame <= 300000; ++frame)
        ASSERT_EQ(map.FrameToClock(frame), FrameToClock(frame, bpm)) << bpm << " " << frame;
    for (const std::int32_t gap : {-1500, 0, 123, 5000})
        for (std::int32_t length = 0; length <= 1200000; length += 37)
            ASSERT_EQ(map.AudioLengthClocks(length, gap), AudioLengthClocks(length, gap, bpm))
                << bpm << " " << length << " " << gap;
    for (const std::int32_t far : {std::numeric_limits<std::int32_t>::max(),
                                   std::numeric_limits<std::int32_t>::min(), 123456789})
        ASSERT_EQ(map.ClockToFrame(far), ClockToFrame(far, bpm)) << bpm << " " << far;
}

} // namespace

TEST(TempoMap, OneTempoConvertsBitForBitAsTimeUnits)
{
    for (const float bpm : kTempos) {
        ExpectSameAsTimeUnits(CTempoMap(bpm), bpm);
        // Back to one tempo after an edit, the map is exact again.
        CTempoMap edited(bpm);
        ASSERT_TRUE(edited.Add(CStop{960, 250.0}).empty());
        ASSERT_TRUE(edited.Remove(1).empty());
        ExpectSameAsTimeUnits(edited, bpm);
        CTempoMap changed(60.0f);
        ASSERT_TRUE(changed.Change(0, CTempoChange{0, bpm}).empty());
        ExpectSameAsTimeUnits(changed, bpm);
    }
}

TEST(TempoMap, TempoDoublingHalvesTheTimeOfLaterBeats)
{
    CTempoMap map(120.0f);
    ASSERT_TRUE(map.Add(CTempoChange{192, 240.0f}).empty());
    EXPECT_FALSE(map.IsSingleTempo());
    EXPECT_DOUBLE_EQ(map.ClockToSeconds(192), 2.0);
    EXPECT_DOUBLE_EQ(map.ClockToSeconds(288), 2.5);
    EXPECT_DOUBLE_EQ(map.ClockToSeconds(384), 3.0);
    EXPECT_EQ(map.ClockToFrame(384), 90);
    EXPECT_EQ(map.ClockToFrame(200), 61);  // 60 + 8 x 37.5 / 240 = 61.25
    EXPECT_EQ(map.ClockToFrame(-50), -15); // before clock 0 at the song's tempo, toward zero
    EXPECT_EQ(map.FrameToClock(75), 288);
    EXPECT_EQ(map.FrameToClock(59), 188); // 59 x 120 / 37.5 = 188.8
    EXPECT_EQ(map.FrameToClock(-1), -3);
    EXPECT_EQ(map.SecondsToClock(2.5), 288);
    EXPECT_EQ(map.TempoAt(-5), 120.0f);
    EXPECT_EQ(map.TempoAt(191), 120.0f);
    EXPECT_EQ(map.TempoAt(192), 240.0f);
    EXPECT_EQ(map.AudioLengthClocks(10000, 0), 1728);    // 192 + 8 s x 4 beats x 48
    EXPECT_EQ(map.AudioLengthClocks(10000, 1000), 1536); // 270 frames
    // At 120 BPM every clock's frame is exact in either arithmetic, so before the change the
    // frames are those of the song's tempo alone.
    for (std::int32_t clock = 0; clock < 192; ++clock)
        ASSERT_EQ(map.ClockToFrame(clock), ClockToFrame(clock, 120.0f)) << clock;
}

TEST(TempoMap, StopWaitsAfterItsNotesAndDelayBeforeThem)
{
    CTempoMap stopped(120.0f);
    ASSERT_TRUE(stopped.Add(CStop{96, 500.0}).empty());
    EXPECT_DOUBLE_EQ(stopped.ClockToSeconds(96), 1.0);
    EXPECT_DOUBLE_EQ(stopped.ClockToSeconds(97), 1.5 + 1.0 / 96.0);
    EXPECT_DOUBLE_EQ(stopped.ClockToSeconds(192), 2.5);
    EXPECT_EQ(stopped.ClockToFrame(96), 30);
    EXPECT_EQ(stopped.SecondsToClock(0.999), 95);
    EXPECT_EQ(stopped.SecondsToClock(1.25), 96); // the chart stands
    EXPECT_EQ(stopped.SecondsToClock(1.5), 96);
    EXPECT_EQ(stopped.FrameToClock(44), 96);
    EXPECT_EQ(stopped.FrameToClock(75), 192);

    CTempoMap delayed(120.0f);
    ASSERT_TRUE(delayed.Add(CDelay{96, 500.0}).empty());
    EXPECT_DOUBLE_EQ(delayed.ClockToSeconds(95), 95.0 / 96.0);
    EXPECT_DOUBLE_EQ(delayed.ClockToSeconds(96), 1.5);
    EXPECT_DOUBLE_EQ(delayed.ClockToSeconds(192), 2.5);
    EXPECT_EQ(delayed.ClockToFrame(96), 45);
    EXPECT_EQ(delayed.SecondsToClock(0.999), 95);
    EXPECT_EQ(delayed.SecondsToClock(1.0), 96); // the chart stands before the note
    EXPECT_EQ(delayed.SecondsToClock(1.49), 96);
    EXPECT_EQ(delayed.SecondsToClock(1.5), 96);
    EXPECT_EQ(delayed.AudioLengthClocks(2500, 0), 192);
}

TEST(TempoMap, WarpedClocksTakeNoTimeButTheirStopsDo)
{
    CTempoMap map(120.0f);
    ASSERT_TRUE(map.Add(CWarp{96, 96}).empty());
    EXPECT_FALSE(map.IsInsideWarp(95));
    EXPECT_TRUE(map.IsInsideWarp(96));
    EXPECT_TRUE(map.IsInsideWarp(191));
    EXPECT_FALSE(map.IsInsideWarp(192));
    for (const std::int32_t clock : {96, 150, 192})
        EXPECT_DOUBLE_EQ(map.ClockToSeconds(clock), 1.0) << clock;
    EXPECT_DOUBLE_EQ(map.ClockToSeconds(288), 2.0);
    EXPECT_EQ(map.SecondsToClock(0.999), 95);
    EXPECT_EQ(map.SecondsToClock(1.0), 192); // jumps over the warp
    EXPECT_EQ(map.FrameToClock(30), 192);
    EXPECT_EQ(map.AudioLengthClocks(2000, 0), 288); // two seconds of beats and the warp

    ASSERT_TRUE(map.Add(CStop{144, 500.0}).empty());
    // Overlapping warps join: 96 to 220, the one inside changing nothing.
    ASSERT_TRUE(map.Add(std::vector<CTempoEvent>{CWarp{120, 20}, CWarp{180, 40}}).empty());
    EXPECT_TRUE(map.IsInsideWarp(150));
    EXPECT_TRUE(map.IsInsideWarp(219));
    EXPECT_FALSE(map.IsInsideWarp(220));
    EXPECT_DOUBLE_EQ(map.ClockToSeconds(144), 1.0);
    EXPECT_DOUBLE_EQ(map.ClockToSeconds(220), 1.5);
    EXPECT_EQ(map.SecondsToClock(1.2), 144);
    EXPECT_EQ(map.SecondsToClock(1.5), 220);
}

TEST(TempoMap, EventsAtOneClockActInAFixedOrder)
{
    CTempoMap map(120.0f);
    ASSERT_TRUE(map.Add(std::vector<CTempoEvent>{CWarp{96, 48}, CStop{96, 200.0}, CStop{96, 50.0},
                                                 CDelay{96, 500.0}, CTempoChange{96, 240.0f},
                                                 CStop{48, 1.0}})
                    .empty());
    const std::vector<CTempoEvent> expected{CTempoChange{0, 120.0f},
                                            CStop{48, 1.0},
                                            CTempoChange{96, 240.0f},
                                            CDelay{96, 500.0},
                                            CStop{96, 200.0},
                                            CStop{96, 50.0},
                                            CWarp{96, 48}};
    EXPECT_EQ(map.events(), expected);
    // The tempo holds from clock 96, the delay comes before its note, the stops after it,
    // then the warp skips to 144.
    EXPECT_NEAR(map.ClockToSeconds(96), 1.001 + 0.5, 1e-12);
    EXPECT_NEAR(map.ClockToSeconds(144), 1.001 + 0.75, 1e-12);
    EXPECT_NEAR(map.ClockToSeconds(168), 1.001 + 0.75 + 0.125, 1e-12);

    // A changed event goes after those of its kind at its new clock.
    ASSERT_TRUE(map.Change(4, CStop{96, 300.0}).empty());
    EXPECT_EQ(map.events()[4], CTempoEvent(CStop{96, 50.0}));
    EXPECT_EQ(map.events()[5], CTempoEvent(CStop{96, 300.0}));
}

TEST(TempoMap, HundredSmallChangesAddUpAndInvert)
{
    CTempoMap map(120.0f);
    std::vector<CTempoEvent> changes;
    for (int i = 1; i <= 100; ++i)
        changes.push_back(CTempoChange{48 * i, 120.0f + 0.5f * static_cast<float>(i)});
    ASSERT_TRUE(map.Add(changes).empty());
    // Each beat lasts 60 / bpm seconds at its own tempo.
    double beatStart = 0.0;
    for (int beat = 0; beat <= 101; ++beat) {
        const double bpm = 120.0 + 0.5 * std::min(beat, 100);
        EXPECT_NEAR(map.ClockToSeconds(48 * beat), beatStart, 1e-9) << beat;
        EXPECT_NEAR(map.ClockToSeconds(48 * beat + 12), beatStart + 15.0 / bpm, 1e-9) << beat;
        EXPECT_EQ(map.TempoAt(48 * beat + 47), static_cast<float>(bpm)) << beat;
        beatStart += 60.0 / bpm;
    }
    std::int32_t previousFrame = 0;
    for (std::int32_t clock = 0; clock <= 48 * 110; ++clock) {
        // A note's own time reaches its clock; the time just before it does not.
        const double seconds = map.ClockToSeconds(clock);
        ASSERT_EQ(map.SecondsToClock(seconds), clock);
        if (clock > 0) {
            ASSERT_EQ(map.SecondsToClock(std::nextafter(seconds, -1.0)), clock - 1);
        }
        const std::int32_t frame = map.ClockToFrame(clock);
        ASSERT_GE(frame, previousFrame) << clock;
        previousFrame = frame;
        // The clock reached at the start of a frame has its note by then, the next one not.
        const std::int32_t reached = map.FrameToClock(frame);
        ASSERT_LE(reached, clock);
        ASSERT_LE(map.ClockToFrame(reached), frame) << clock;
        ASSERT_GE(map.ClockToFrame(reached + 1), frame) << clock;
    }
}

TEST(TempoMap, TimesThatAreWholeFramesComeOutWhole)
{
    // A clock spans 37.5 / 130 frames at 130 BPM, not exact in binary; 52 clocks are exactly
    // 15 frames and must not fall a hair short of them.
    CTempoMap map(130.0f);
    ASSERT_TRUE(map.Add(CTempoChange{200000, 125.0f}).empty());
    for (std::int32_t clock = 0; clock < 200000; clock += 52) {
        ASSERT_EQ(map.ClockToFrame(clock), clock / 52 * 15) << clock;
        ASSERT_EQ(map.FrameToClock(clock / 52 * 15), clock) << clock;
    }
}

TEST(TempoMap, EditsOutsideTheLimitsAreRefusedAndChangeNothing)
{
    CTempoMap map(120.0f);
    ASSERT_TRUE(map.Add(CTempoChange{192, 100000.0f}).empty());
    ASSERT_TRUE(map.Add(CDelay{10, 0.0}).empty());
    const std::vector<CTempoEvent> before = map.events();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<CTempoEvent> refused{
        CTempoChange{384, 100000.01f},
        CTempoChange{384, 0.0f},
        CTempoChange{384, nan},
        CTempoChange{192, 130.0f},
        CTempoChange{0, 130.0f},
        CTempoChange{-1, 130.0f},
        CStop{96, -1.0},
        CDelay{96, nan},
        CWarp{96, 0},
        CWarp{std::numeric_limits<std::int32_t>::max() - 10, 11}};
    for (const CTempoEvent& event : refused) {
        EXPECT_FALSE(map.Add(event).empty()) << event.index() << " at " << EventClock(event);
        EXPECT_FALSE(map.Change(1, event).empty()) << event.index() << " at " << EventClock(event);
    }
    // One bad event among good ones keeps them all out.
    EXPECT_FALSE(map.Add(std::vector<CTempoEvent>{CStop{500, 10.0}, CWarp{600, -5}}).empty());
    EXPECT_FALSE(map.Remove(0).empty());
    EXPECT_FALSE(map.Change(0, CStop{0, 10.0}).empty());
    EXPECT_THROW((void)map.Remove(99), std::out_of_range);
    EXPECT_EQ(map.events(), before);

    // The stops and delays may last an hour together, not a millisecond more.
    ASSERT_TRUE(
        map.Add(std::vector<CTempoEvent>{CStop{100, 3000000.0}, CDelay{200, 600000.0}}).empty());
    EXPECT_FALSE(map.Add(CStop{300, 1.0}).empty());
    EXPECT_TRUE(map.Add(CWarp{std::numeric_limits<std::int32_t>::max() - 10, 10}).empty());

    // 65535 events at most, the song's tempo among them.
    CTempoMap full(120.0f);
    ASSERT_TRUE(full.Add(std::vector<CTempoEvent>(kMaxTempoEvents - 1, CStop{48, 0.0})).empty());
    EXPECT_FALSE(full.Add(CStop{48, 0.0}).empty());
    EXPECT_EQ(full.events().size(), kMaxTempoEvents);

    // A song's tempo outside the limits still converts, but takes no events.
    CTempoMap tooFast(250000.0f);
    EXPECT_TRUE(CTempoMap(120.0f).Breach().empty());
    EXPECT_FALSE(tooFast.Breach().empty());
    EXPECT_FALSE(tooFast.Add(CStop{48, 10.0}).empty());
    EXPECT_EQ(tooFast.ClockToFrame(480000), ClockToFrame(480000, 250000.0f));
}

TEST(TempoMap, BeatFramesFollowTheTempoAtTheClock)
{
    // One tempo: the whole frames of a beat the dance has always bounced by.
    for (const float bpm : kTempos) {
        const CTempoMap map(bpm);
        for (const std::int32_t clock : {-48, 0, 47, 96000})
            ASSERT_EQ(map.FramesPerBeatAt(clock), TruncateToInt32(1800.0f / bpm)) << bpm;
    }
    CTempoMap map(150.3f);
    ASSERT_TRUE(map.Add(std::vector<CTempoEvent>{CTempoChange{192, 97.5f}, CStop{96, 700.0},
                                                 CTempoChange{400, 0.5f}})
                    .empty());
    EXPECT_EQ(map.FramesPerBeatAt(-1), TruncateToInt32(1800.0f / 150.3f));
    EXPECT_EQ(map.FramesPerBeatAt(191), 11); // 11.976: stops do not lengthen a beat
    EXPECT_EQ(map.FramesPerBeatAt(192), 18); // 18.46
    EXPECT_EQ(map.FramesPerBeatAt(399), 18);
    EXPECT_EQ(map.FramesPerBeatAt(400), 3600);
}

TEST(TempoMap, ArrivalIsBeforeDelaysAndDepartureAfterStops)
{
    CTempoMap map(120.0f);
    ASSERT_TRUE(
        map.Add(std::vector<CTempoEvent>{CDelay{96, 500.0}, CStop{96, 1000.0}, CStop{192, 100.0}})
            .empty());
    EXPECT_EQ(map.ArrivalFrame(96), 30);
    EXPECT_EQ(map.ClockToFrame(96), 45);
    EXPECT_EQ(map.DepartureFrame(96), 75);
    EXPECT_EQ(map.ArrivalFrame(192), 105); // 75 + 30
    EXPECT_EQ(map.DepartureFrame(192), 108);
    // Clocks without a pause are reached, played and left at once.
    for (const std::int32_t clock : {-30, 0, 95, 97, 191, 193, 5000}) {
        EXPECT_EQ(map.ArrivalFrame(clock), map.ClockToFrame(clock)) << clock;
        EXPECT_EQ(map.DepartureFrame(clock), map.ClockToFrame(clock)) << clock;
    }
    const CTempoMap single(133.33f);
    for (const std::int32_t clock : {-30, 0, 97, 5000}) {
        EXPECT_EQ(single.ArrivalFrame(clock), ClockToFrame(clock, 133.33f));
        EXPECT_EQ(single.DepartureFrame(clock), ClockToFrame(clock, 133.33f));
    }
}

// Every clock before the first difference converts alike in both maps, and the first
// difference is where one of them changes.
TEST(TempoMap, FirstDifferenceIsWhereConversionsMayPart)
{
    CTempoMap base(150.3f);
    ASSERT_TRUE(base.Add(std::vector<CTempoEvent>{CTempoChange{960, 180.0f}, CStop{1440, 300.0},
                                                  CWarp{2000, 100}, CDelay{3000, 250.0}})
                    .empty());
    EXPECT_FALSE(base.FirstDifference(base).has_value());

    struct Case {
        const char* name;
        CTempoEvent added;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"tempo change", CTempoChange{1200, 90.0f}, 1200},
        {"stop between", CStop{1100, 50.0}, 1100},
        {"delay at a stop's clock", CDelay{1440, 80.0}, 1440},
        {"second stop at a stop's clock", CStop{1440, 80.0}, 1440},
        {"warp reaching past later events", CWarp{500, 3000}, 500},
        {"after everything", CStop{9000, 10.0}, 9000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTempoMap changed = base;
        ASSERT_TRUE(changed.Add(c.added).empty());
        ASSERT_EQ(base.FirstDifference(changed), c.expected);
        ASSERT_EQ(changed.FirstDifference(base), c.expected);
        for (std::int32_t clock = -100; clock < c.expected; ++clock) {
            ASSERT_EQ(changed.ClockToFrame(clock), base.ClockToFrame(clock)) << clock;
            ASSERT_EQ(changed.ClockToSeconds(clock), base.ClockToSeconds(clock)) << clock;
            ASSERT_EQ(changed.DepartureFrame(clock), base.DepartureFrame(clock)) << clock;
            ASSERT_EQ(changed.FramesPerBeatAt(clock), base.FramesPerBeatAt(clock)) << clock;
            ASSERT_EQ(changed.IsInsideWarp(clock), base.IsInsideWarp(clock)) << clock;
        }
        // The difference is real where it is said to be, or soon after it.
        bool parted = false;
        for (std::int32_t clock = c.expected; clock < 12000 && !parted; ++clock)
            parted = changed.ClockToSeconds(clock) != base.ClockToSeconds(clock)
                || changed.DepartureFrame(clock) != base.DepartureFrame(clock);
        EXPECT_TRUE(parted);
    }

    // An event changed in place or removed parts the maps at its clock.
    CTempoMap longer = base;
    ASSERT_TRUE(longer.Change(2, CStop{1440, 301.0}).empty());
    EXPECT_EQ(base.FirstDifference(longer), 1440);
    CTempoMap fewer = base;
    ASSERT_TRUE(fewer.Remove(4).empty());
    EXPECT_EQ(base.FirstDifference(fewer), 3000);
    // A new song tempo moves everything, and so does the first change of a one-tempo song,
    // which converts with other arithmetic.
    CTempoMap faster = base;
    ASSERT_TRUE(faster.Change(0, CTempoChange{0, 150.4f}).empty());
    EXPECT_EQ(base.FirstDifference(faster), 0);
    CTempoMap single(150.3f);
    CTempoMap one = single;
    ASSERT_TRUE(one.Add(CStop{4800, 10.0}).empty());
    EXPECT_EQ(single.FirstDifference(one), 0);
    EXPECT_EQ(one.FirstDifference(single), 0);
}

// The chart's position with its fraction stands through stops and delays, jumps across
// warps, runs at each tempo in between, and agrees with FrameToClock once truncated.
TEST(TempoMap, PositionAtAFrameKeepsItsFractionAndStandsWhereTheChartDoes)
{
    // 120 BPM: 3.2 clocks a frame. A 1 s delay at 96 (frames 30 to 60), a doubling at 192
    // (frame 90), a 500 ms stop at 288 (frame 105 to 120) and a warp over 384 to 480 (frame
    // 135).
    CTempoMap map(120.0f);
    ASSERT_TRUE(map.Add(std::vector<CTempoEvent>{CDelay{96, 1000.0}, CTempoChange{192, 240.0f},
                                                 CStop{288, 500.0}, CWarp{384, 96}})
                    .empty());
    EXPECT_DOUBLE_EQ(map.ClockPositionAtFrame(-10.0), -32.0);
    EXPECT_DOUBLE_EQ(map.ClockPositionAtFrame(0.5), 1.6);
    EXPECT_DOUBLE_EQ(map.ClockPositionAtFrame(29.5), 94.4);
    for (const double standing : {30.0, 45.0, 60.0})
        EXPECT_DOUBLE_EQ(map.ClockPositionAtFrame(standing), 96.0) << standing;
    EXPECT_DOUBLE_EQ(map.ClockPositionAtFrame(61.0), 99.2);
    EXPECT_DOUBLE_EQ(map.ClockPositionAtFrame(91.0), 198.4) << "twice as fast";
    for (const double standing : {105.0, 112.5, 120.0})
        EXPECT_DOUBLE_EQ(map.ClockPositionAtFrame(standing), 288.0) << standing;
    EXPECT_DOUBLE_EQ(map.ClockPositionAtFrame(134.0), 377.6);
    EXPECT_DOUBLE_EQ(map.ClockPositionAtFrame(135.0), 480.0) << "past the warp at once";
    EXPECT_DOUBLE_EQ(map.ClockPositionAtFrame(136.0), 486.4);
    EXPECT_EQ(map.ClockPositionAtFrame(std::nan("")), 0.0);
    for (std::int32_t frame = -100; frame < 2000; ++frame)
        ASSERT_EQ(static_cast<std::int32_t>(std::floor(map.ClockPositionAtFrame(frame))),
                  frame < 0 ? map.FrameToClock(frame) - (frame * 16 % 5 != 0)
                            : map.FrameToClock(frame))
            << frame;
}
