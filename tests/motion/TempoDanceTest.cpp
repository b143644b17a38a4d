// Dances of songs whose tempo changes, stops, waits and skips: the feet land when the song
// plays each note, the body stands still while the chart does, and a new tempo map rebuilds
// the dance of a full run.
#include "FeetOnTime.h"
#include "LongDoubleChart.h"
#include "MotionTestSupport.h"

#include "TestData.h"
#include "chart/Player.h"
#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "dwi/DwiImport.h"
#include "motion/BoneIds.h"
#include "motion/MotionDocument.h"
#include "motion/StepGeometry.h"
#include "text/FileIo.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zelvane {
namespace {

using test::Chart;
using test::ExpectFeetLandOnTime;
using test::FileFrame;
using test::FootOnPanel;
using test::FrameAt;
using test::FullRun;
using test::KeyAt;
using test::kStill;
using test::MakeInput;
using test::PoseAt;
using test::SameRun;

// Eighth notes round the SINGLE pad, each on another panel than the one before.
std::vector<CNote> Eighths(std::int32_t from, std::int32_t count)
{
    static constexpr std::int32_t kRound[] = {1, 3, 2, 0};
    std::vector<CNote> notes;
    for (std::int32_t i = 0; i < count; ++i)
        notes.push_back({from + i * 24, kRound[i % 4], 0});
    return notes;
}

CTempoMap MapOf(float bpm, std::vector<CTempoEvent> events)
{
    CTempoMap map(bpm);
    EXPECT_TRUE(map.Add(events).empty());
    return map;
}

// The motion file a document makes of the chart, read back from its bytes.
CMotionDocument WrittenAndReadBack(const Chart& chart)
{
    CStepDocument document;
    document.NewDocument();
    document.SetTempoMap(chart.tempo);
    document.SetDescription(
        {document.description().title, document.description().artist, chart.gap});
    CScore& score = *document.scores().FindOrCreate(Style::SINGLE, "BASIC");
    for (const CNote& note : chart.notes)
        score.InsertNote(std::make_unique<CNote>(note));
    score.UpdateLength(0);
    const std::vector<std::uint8_t> bytes = score.players()[0]->MakeMotion("dancer").Write();
    CMotionDocument read;
    read.Read(bytes);
    return read;
}

void ExpectStill(const Chart& chart, const CMotionDocument& motion, std::int32_t from,
                 std::int32_t to)
{
    ASSERT_LT(from + 5, to) << chart.name << ": too short a pause to see";
    for (const int bone : {kBoneCenter, kBoneLeftFootIk, kBoneRightFootIk}) {
        const BonePose held = PoseAt(motion, bone, from);
        for (std::int32_t frame = from + 1; frame <= to; ++frame) {
            const BonePose pose = PoseAt(motion, bone, frame);
            const float moved = std::fabs(pose.translation.x - held.translation.x)
                + std::fabs(pose.translation.y - held.translation.y)
                + std::fabs(pose.translation.z - held.translation.z)
                + std::fabs(pose.rotation.y - held.rotation.y);
            ASSERT_LT(moved, kStill) << chart.name << ": bone " << bone << " moves at file frame "
                                     << frame << " of " << from << " to " << to;
        }
    }
}

} // namespace

TEST(TempoDanceTest, WrittenMotionLandsEveryNoteWhenTheSongPlaysIt)
{
    // A stop of 1.5 s on the note at clock 96; the next note comes an eighth after it.
    Chart stop{"stop", MapOf(120.0f, {CStop{96, 1500.0}}), Eighths(0, 16), 1000};
    // From the second measure the same eighths take half the time.
    Chart doubling{"doubling", MapOf(120.0f, {CTempoChange{192, 240.0f}}), Eighths(0, 24), 250};
    // The note at clock 144 plays after a wait of 0.8 s at its clock.
    Chart delay{"delay", MapOf(120.0f, {CDelay{144, 800.0}}), Eighths(0, 16), 0};
    // The four eighths from clock 96 are skipped with their clocks; the note at the warp's
    // end follows the one before it by an eighth.
    Chart warp{"warp", MapOf(120.0f, {CWarp{96, 96}}), Eighths(0, 16), 500};
    // A hundred small changes, one on every eighth, speeding the song up from 150 to 200 BPM.
    Chart drifting{"hundred changes", CTempoMap(150.0f), Eighths(0, 104), 2000};
    for (std::int32_t i = 1; i <= 100; ++i)
        EXPECT_TRUE(drifting.tempo.Add(CTempoChange{i * 24, 150.0f + static_cast<float>(i) * 0.5f})
                        .empty());

    for (const Chart* chart : {&stop, &doubling, &delay, &warp, &drifting}) {
        SCOPED_TRACE(chart->name);
        ExpectFeetLandOnTime(*chart, WrittenAndReadBack(*chart));
    }

    // The dancer stands on the note at the stop's clock until the song moves on.
    const CMotionDocument stopped = WrittenAndReadBack(stop);
    ExpectStill(stop, stopped, FileFrame(stop, stop.tempo.ClockToFrame(96)),
                FileFrame(stop, stop.tempo.DepartureFrame(96)));
    // Before a delay the pose of the note before it is held as long as the delay lasts; the
    // step after it takes the eighth's time and lands when the note plays.
    const CMotionDocument delayed = WrittenAndReadBack(delay);
    const std::int32_t before = delay.tempo.ClockToFrame(120);
    const std::int32_t wait = delay.tempo.ClockToFrame(144) - delay.tempo.ArrivalFrame(144);
    ExpectStill(delay, delayed, before, before + wait);
    // The note at clock 144 is on panel 2, which no foot stands on before it.
    EXPECT_FALSE(FootOnPanel(delayed, before + wait + 3, 2)); // on the way to the note
}

// The beats bounce by the tempo at their clock, warped notes are not danced, and clocks that
// meet on one frame are danced together.
TEST(TempoDanceTest, StepFramesFollowTheMap)
{
    // No notes: only the beat frames, the feet side by side (8 apart, 0.4 down) dipping by
    // h/8 x the beat's length in seconds, at most a second.
    MotionInput beats = MakeInput(Style::SINGLE, {}, 480);
    beats.parameters.tempo = MapOf(120.0f, {CTempoChange{192, 60.0f}, CStop{96, 2000.0}});
    const auto bounced = FullRun(beats);
    for (const auto& [clock, dip] : std::vector<std::pair<std::int32_t, float>>{
             {0, 0.75f}, {96, 0.75f}, {144, 0.75f}, {192, 1.5f}, {240, 1.5f}}) {
        const std::int32_t frame = beats.parameters.tempo.ClockToFrame(clock);
        const CBoneFrame* key = KeyAt(*bounced, kBoneCenter, frame);
        ASSERT_NE(key, nullptr) << clock;
        EXPECT_FLOAT_EQ(key->translation.y, -0.4f - dip) << clock;
    }
    // The stop holds the dip of the beat at its clock.
    const CStepFrame* held = FrameAt(*bounced, beats.parameters.tempo.DepartureFrame(96));
    ASSERT_NE(held, nullptr);
    EXPECT_TRUE(held->holdsPose && held->onBeat);
    EXPECT_FLOAT_EQ(KeyAt(*bounced, kBoneCenter, held->frame)->translation.y, -1.15f);

    // A stop that ends a frame before the next note: the in-between keys of that note would
    // land on a hold at the stop's end, so it holds a frame earlier.
    MotionInput tight = MakeInput(Style::SINGLE, {{96, 1, 0}, {100, 2, 0}}, 192);
    tight.parameters.tempo = MapOf(120.0f, {CStop{96, 1000.0}});
    const auto tightRun = FullRun(tight);
    ASSERT_EQ(tight.parameters.tempo.ClockToFrame(100), 61);
    const CStepFrame* early = FrameAt(*tightRun, 59);
    ASSERT_NE(early, nullptr);
    EXPECT_TRUE(early->holdsPose);
    EXPECT_EQ(FrameAt(*tightRun, 60), nullptr);
    for (const int bone : {kBoneCenter, kBoneLeftFootIk, kBoneRightFootIk}) {
        const CBoneFrame& note = *KeyAt(*tightRun, bone, 30);
        const CBoneFrame& hold = *KeyAt(*tightRun, bone, 59);
        EXPECT_EQ(std::tie(note.translation, note.rotation),
                  std::tie(hold.translation, hold.rotation))
            << bone;
    }

    // Notes at clocks 96 to 168 lie inside the warp: not one of them is a status, and the
    // freeze from 120 holds no foot. From clock 288 on, at 100000 BPM, the last four notes
    // and the beats at 288 and 336 all meet on frame 60.
    std::vector<CNote> notes = Eighths(0, 16);
    notes[5].length = 96;
    MotionInput warped = MakeInput(Style::SINGLE, notes, 384);
    warped.parameters.tempo = MapOf(120.0f, {CWarp{96, 96}, CTempoChange{288, 100000.0f}});
    const auto skipped = FullRun(warped);
    int statuses = 0;
    for (const CStepFrame* frame : skipped->stepFrames()) {
        for (const CStepFrame::NOTE_STATUS status : frame->statuses)
            statuses += status != CStepFrame::NONE;
        EXPECT_FALSE(frame->left.holding || frame->right.holding) << frame->frame;
    }
    EXPECT_EQ(statuses, 16 - 4);
    EXPECT_EQ(FrameAt(*skipped, 30)->statuses[1], CStepFrame::TAP); // clock 192, after the warp
    const CStepFrame* met = FrameAt(*skipped, 60);
    ASSERT_NE(met, nullptr);
    for (const std::int32_t panel : {0, 1, 2, 3})
        EXPECT_EQ(met->statuses[static_cast<std::size_t>(panel)], CStepFrame::TAP) << panel;
    EXPECT_TRUE(met->onBeat && met->left.stepped && met->right.stepped);
    const auto& frames = skipped->stepFrames();
    for (std::size_t i = 1; i < frames.size(); ++i)
        ASSERT_LT(frames[i - 1]->frame, frames[i]->frame);
    for (const auto& [nameID, sequence] : skipped->boneSequences()) {
        for (std::size_t i = 1; i < sequence->keys().size(); ++i)
            ASSERT_LT(sequence->keys()[i - 1].frame, sequence->keys()[i].frame) << nameID;
    }
}

// A new tempo map for the same dancer rebuilds from where the maps part, and the result is
// the dance a fresh run of the new map makes.
TEST(TempoDanceTest, NewTempoMapRebuildsFromItsFirstDifference)
{
    MotionInput base = bench::LongDoubleChart();
    ASSERT_TRUE(base.parameters.tempo
                    .Add(std::vector<CTempoEvent>{CTempoChange{4800, 180.0f}, CStop{9600, 700.0},
                                                  CDelay{12000, 400.0}, CWarp{15000, 60}})
                    .empty());
    struct Case {
        const char* name;
        CTempoEvent event;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"stop added", CStop{14400, 900.0}, 14400},
        {"delay added at a note", CDelay{16800, 500.0}, 16800},
        {"tempo changed late", CTempoChange{19200, 120.0f}, 19200},
        {"warp added", CWarp{18000, 200}, 18000},
        {"delay added on the kept side of a hold", CDelay{12000, 100.0}, 12000},
    };
    for (const FootAssignment feet : {FootAssignment::GREEDY, FootAssignment::OPTIMAL}) {
        base.parameters.feet = feet;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            MotionInput changed = base;
            ASSERT_TRUE(changed.parameters.tempo.Add(c.event).empty());
            ASSERT_EQ(base.parameters.tempo.FirstDifference(changed.parameters.tempo), c.expected);

            CMotionGenerator generator;
            generator.Generate(base, 0);
            // The first frame whose keys are final comes after the part kept.
            std::atomic<std::int32_t> progress{0};
            std::int32_t firstProgress = CMotionGenerator::kProgressIdle;
            GenerationControl control;
            control.progress = &progress;
            control.progressChanged
                = [&] { firstProgress = std::min(firstProgress, progress.load()); };
            generator.Generate(changed, bench::kLongChartLength, control);
            EXPECT_TRUE(SameRun(generator, *FullRun(changed)));
            EXPECT_GE(firstProgress, base.parameters.tempo.ClockToFrame(c.expected) - 30);
            // And back again.
            generator.Generate(base, bench::kLongChartLength);
            EXPECT_TRUE(SameRun(generator, *FullRun(base)));
        }
    }
}

// A real chart of many tempo changes and a stop: its hardest SINGLE chart, imported from the
// DWI file, lands every note when the song plays it.
TEST(TempoDanceTest, TheHardestChartOfARealSongOfManyTemposLandsOnTime)
{
    const auto path = test::SharedTestData("dwi/INSERTiON.dwi");
    ZELVANE_REQUIRE_SHARED(path);
    CStepDocument document;
    ImportDwiBytes(document, path, ReadWholeFile(path, kMaxChartFileBytes));
    ASSERT_FALSE(document.tempoMap().IsSingleTempo());
    ASSERT_GT(document.scores().Find(Style::SINGLE, "MANIAC")->notes().size(), 300u);
    test::ExpectHardestSingleLandsOnTime(document, "INSERTiON");
}

} // namespace zelvane
