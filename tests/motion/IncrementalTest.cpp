#include "MotionTestSupport.h"
#include "model/NameIds.h"
#include "motion/BoneIds.h"

#include <gtest/gtest.h>
#include <thread>

namespace zelvane {
namespace {

using test::ExpectSameKeys;
using test::FrameAt;
using test::KeyAt;
using test::MakeInput;

// Runs `before`, then restarts from `fromClock` on `after`, and compares with a fresh full
// run of `after`.
void ExpectIncrementalMatchesFull(const MotionInput& before, const MotionInput& after,
                                  std::int32_t fromClock)
{
    CMotionGenerator incremental;
    incremental.Generate(before, 0);
    incremental.Generate(after, fromClock);
    CMotionGenerator full;
    full.Generate(after, 0);
    ExpectSameKeys(incremental, full);
    ASSERT_EQ(incremental.stepFrames().size(), full.stepFrames().size());
}

// Steps, a jump back to the side-by-side stance, then beats: the stance before an edit
// after clock 240 faces the screen, where limiting the facing changes nothing.
std::vector<CNote> Chart()
{
    return {{48, 1, 0}, {96, 2, 0}, {144, 0, 0}, {144, 3, 0}, {336, 1, 0}, {384, 2, 0}};
}

TEST(IncrementalTest, EditAfterTheStartGivesTheKeysOfAFullRun)
{
    std::vector<CNote> edited = Chart();
    edited.insert(edited.begin() + 4, CNote{288, 3, 0});
    ExpectIncrementalMatchesFull(MakeInput(Style::SINGLE, Chart(), 480),
                                 MakeInput(Style::SINGLE, edited, 480), 288);
}

TEST(IncrementalTest, FreezeReachingTheStartStillEnds)
{
    std::vector<CNote> before = {{96, 0, 288}, {192, 3, 0}, {480, 1, 0}};
    std::vector<CNote> after = before;
    after[1].panel = 2; // edited inside the freeze
    ExpectIncrementalMatchesFull(MakeInput(Style::SINGLE, before, 576),
                                 MakeInput(Style::SINGLE, after, 576), 192);

    CMotionGenerator generator;
    generator.Generate(MakeInput(Style::SINGLE, before, 576), 0);
    generator.Generate(MakeInput(Style::SINGLE, after, 576), 192);
    ASSERT_NE(FrameAt(generator, 120), nullptr); // clock 384: the freeze ends
    EXPECT_FALSE(FrameAt(generator, 120)->left.holding);
    EXPECT_EQ(FrameAt(generator, 120)->statuses[0], CStepFrame::FREEZE_END);
}

TEST(IncrementalTest, RestartFromClockZeroLaysTheBasePoseAgain)
{
    // With no gap the base pose sits on frame 0, after the kept initial stance.
    std::vector<CNote> after = Chart();
    after[0].panel = 2;
    ExpectIncrementalMatchesFull(MakeInput(Style::SINGLE, Chart(), 480),
                                 MakeInput(Style::SINGLE, after, 480), 0);
    CMotionGenerator generator;
    generator.Generate(MakeInput(Style::SINGLE, Chart(), 480), 0);
    generator.Generate(MakeInput(Style::SINGLE, after, 480), 0);
    EXPECT_NE(KeyAt(generator, NameToID("左腕"), 0), nullptr);
}

TEST(IncrementalTest, RestartNextToAnAdjacentStepFrameDoesNotAddTwice)
{
    // Frames 15 and 16: the in-between keys of 16 lie on 15, which the restart keeps.
    const std::vector<CNote> before = {{48, 1, 0}, {52, 2, 0}, {144, 3, 0}};
    std::vector<CNote> after = before;
    after[1].panel = 0;
    ExpectIncrementalMatchesFull(MakeInput(Style::SINGLE, before, 192),
                                 MakeInput(Style::SINGLE, after, 192), 52);
}

TEST(IncrementalTest, NoteSharingTheStartFrameIsNotLost)
{
    // Clocks 48 and 49 share frame 15; an edit at 49 rebuilds that frame with both notes.
    const std::vector<CNote> before = {{48, 1, 0}, {49, 2, 0}, {144, 3, 0}};
    std::vector<CNote> after = before;
    after[1].panel = 3;
    ExpectIncrementalMatchesFull(MakeInput(Style::SINGLE, before, 192),
                                 MakeInput(Style::SINGLE, after, 192), 49);
}

TEST(IncrementalTest, ParameterChangeRebuildsEverything)
{
    MotionInput before = MakeInput(Style::SINGLE, Chart(), 480);
    MotionInput after = before;
    after.parameters.panelSize = 15.0f;
    after.parameters.gap = 700;
    ExpectIncrementalMatchesFull(before, after, 0);
    ExpectIncrementalMatchesFull(before, after, 300);
}

// Sixteenth notes round the pad with a freeze every other beat; from `shiftFrom` on the
// panels are turned one further.
std::vector<CNote> LongChart(int beats, int shiftFrom = 1 << 30)
{
    std::vector<CNote> notes;
    for (int clock = 0; clock < 48 * beats; clock += 12) {
        const int shift = clock >= shiftFrom ? 1 : 0;
        notes.push_back({clock, (clock / 12 + shift) % 4, clock % 96 == 0 ? 24 : 0});
    }
    return notes;
}

TEST(IncrementalTest, StoppedRunIsResumedFromItsStart)
{
    const int beats = 1500;
    const MotionInput before = MakeInput(Style::SINGLE, LongChart(beats), 48 * beats);
    const MotionInput after = MakeInput(Style::SINGLE, LongChart(beats, 480), 48 * beats);
    CMotionGenerator generator;
    bool stopped = false;
    // Stop the rebuild from clock 480 part-way through writing keys. The worker is far from
    // done when it is stopped; should the machine stall the test thread that long, try again.
    for (int attempt = 0; attempt < 5 && !stopped; ++attempt) {
        generator.Generate(before, 0);
        std::atomic<bool> stop{false};
        std::atomic<std::int32_t> progress{CMotionGenerator::kProgressStarting};
        GenerationControl control{&stop, &progress, nullptr};
        std::thread worker([&] { generator.Generate(after, 480, control); });
        while (progress.load() < 600)
            std::this_thread::yield();
        stop = true;
        worker.join();
        EXPECT_EQ(progress.load(), CMotionGenerator::kProgressIdle);
        stopped = generator.boneSequences().Find(kBoneCenter)->keys().back().frame < 10000;
    }
    ASSERT_TRUE(stopped);

    // A later edit restarts later, but the part the stopped run left unfinished is rebuilt.
    generator.Generate(after, 48 * 300);
    CMotionGenerator full;
    full.Generate(after, 0);
    ExpectSameKeys(generator, full);
}

TEST(IncrementalTest, PosesUpToTheProgressAreFinalWhileTheWorkerRuns)
{
    const MotionInput input = MakeInput(Style::SINGLE, LongChart(400), 48 * 400);
    CMotionGenerator reference;
    reference.Generate(input, 0);

    CMotionGenerator generator;
    std::mutex lock;
    std::atomic<std::int32_t> progress{CMotionGenerator::kProgressStarting};
    GenerationControl control;
    control.progress = &progress;
    control.keyLock = &lock;
    std::vector<std::pair<std::int32_t, BonePose>> seen;
    std::thread worker([&] { generator.Generate(input, 0, control); });
    for (std::int32_t frame = 0; frame < 6000; frame += 7) {
        while (progress.load() < frame)
            std::this_thread::yield();
        const std::lock_guard guard(lock);
        seen.emplace_back(frame, generator.GetBonePose(kBoneCenter, frame));
    }
    worker.join();
    for (const auto& [frame, pose] : seen) {
        const BonePose final = reference.GetBonePose(kBoneCenter, frame);
        EXPECT_EQ(pose.translation, final.translation) << frame;
        EXPECT_EQ(pose.rotation, final.rotation) << frame;
    }
}

} // namespace
} // namespace zelvane
