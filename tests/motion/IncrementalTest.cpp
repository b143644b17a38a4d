#include "MotionTestSupport.h"
#include "motion/BoneIds.h"

#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace zelvane {
namespace {

using test::ExpectSameRun;
using test::MakeInput;

// Steps, a jump back to the side-by-side stance, then beats: the stance before an edit
// after clock 240 faces the screen, where limiting the facing changes nothing.
const std::vector<CNote> kChart
    = {{48, 1, 0}, {96, 2, 0}, {144, 0, 0}, {144, 3, 0}, {336, 1, 0}, {384, 2, 0}};

std::vector<CNote> WithPanel(std::vector<CNote> notes, std::size_t index, std::int32_t panel)
{
    notes[index].panel = panel;
    return notes;
}

// A run of `before`, restarted from `fromClock` on `after`, must equal a full run of `after`.
TEST(IncrementalTest, RestartGivesTheDanceOfAFullRun)
{
    std::vector<CNote> inserted = kChart;
    inserted.insert(inserted.begin() + 4, CNote{288, 3, 0});
    const std::vector<CNote> freeze = {{96, 0, 288}, {192, 3, 0}, {480, 1, 0}},
                             adjacent = {{48, 1, 0}, {52, 2, 0}, {144, 3, 0}},
                             sharing = {{48, 1, 0}, {49, 2, 0}, {144, 3, 0}};
    std::vector<CNote> appended = kChart;
    appended.push_back({2400, 1, 0});
    MotionInput changed = MakeInput(Style::SINGLE, kChart, 480);
    changed.parameters.panelSize = 15.0f;
    changed.parameters.gap = 700;
    const struct {
        const char* name;
        MotionInput before, after;
        std::int32_t fromClock;
    } cases[] = {
        {"note inserted after the start", MakeInput(Style::SINGLE, kChart, 480),
         MakeInput(Style::SINGLE, inserted, 480), 288},
        // The freeze from clock 96 to 384 is still held at the restart and must still end.
        {"freeze reaching the start", MakeInput(Style::SINGLE, freeze, 576),
         MakeInput(Style::SINGLE, WithPanel(freeze, 1, 2), 576), 192},
        // With no gap the base pose sits on frame 0 and must be laid again after the trim.
        {"restart from clock 0", MakeInput(Style::SINGLE, kChart, 480),
         MakeInput(Style::SINGLE, WithPanel(kChart, 0, 2), 480), 0},
        // Frames 15 and 16: the in-between keys of 16 lie on 15, which the restart keeps.
        {"adjacent step frame", MakeInput(Style::SINGLE, adjacent, 192),
         MakeInput(Style::SINGLE, WithPanel(adjacent, 1, 0), 192), 52},
        // Clocks 48 and 49 share frame 15; an edit at 49 rebuilds it with both notes.
        {"note sharing the start frame", MakeInput(Style::SINGLE, sharing, 192),
         MakeInput(Style::SINGLE, WithPanel(sharing, 1, 3), 192), 49},
        // The beats between the old end of the song and the new note were never placed.
        {"note far after the old end", MakeInput(Style::SINGLE, kChart, 480),
         MakeInput(Style::SINGLE, appended, 2400), 2400},
        {"song cut short after its last note", MakeInput(Style::SINGLE, kChart, 2400),
         MakeInput(Style::SINGLE, WithPanel(kChart, 5, 0), 400), 384},
        {"parameter change, from 0", MakeInput(Style::SINGLE, kChart, 480), changed, 0},
        {"parameter change, from 300", MakeInput(Style::SINGLE, kChart, 480), changed, 300},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CMotionGenerator incremental;
        incremental.Generate(c.before, 0);
        incremental.Generate(c.after, c.fromClock);
        CMotionGenerator full;
        full.Generate(c.after, 0);
        ExpectSameRun(incremental, full);
    }
}

// Sixteenth notes round the pad with a freeze every other beat; from `shiftFrom` on the
// panels are turned one further.
std::vector<CNote> LongChart(int beats, int shiftFrom = 1 << 30)
{
    std::vector<CNote> notes;
    for (int clock = 0; clock < 48 * beats; clock += 12)
        notes.push_back({clock, (clock / 12 + (clock >= shiftFrom)) % 4, clock % 96 ? 0 : 24});
    return notes;
}

TEST(IncrementalTest, StoppedRunIsResumedFromItsStart)
{
    // Long enough that the worker is still busy when the test thread gets to stop it, on a
    // loaded machine too: it stops within the first 45 % of the chart.
    const int beats = 6000;
    const MotionInput before = MakeInput(Style::SINGLE, LongChart(beats), 48 * beats);
    const MotionInput after = MakeInput(Style::SINGLE, LongChart(beats, 480), 48 * beats);
    CMotionGenerator generator;
    bool stopped = false;
    // Stop the rebuild from clock 480 part-way through writing keys. Taking the key lock
    // holds the worker at its next step frame, so it is stopped close to where it was seen;
    // should the machine stall the test thread before it takes the lock, try again.
    for (int attempt = 0; attempt < 5 && !stopped; ++attempt) {
        generator.Generate(before, 0);
        std::atomic<bool> stop{false};
        std::atomic<std::int32_t> progress{CMotionGenerator::kProgressStarting};
        std::mutex keyLock;
        std::thread worker([&] { generator.Generate(after, 480, {&stop, &progress, &keyLock}); });
        while (progress.load() < 600)
            std::this_thread::yield();
        {
            std::lock_guard hold(keyLock);
            stop = true;
        }
        worker.join();
        EXPECT_EQ(progress.load(), CMotionGenerator::kProgressIdle);
        stopped = generator.boneSequences().Find(kBoneCenter)->keys().back().frame
            < beats * 15 * 45 / 100;
    }
    ASSERT_TRUE(stopped);

    // A later edit restarts later, but the part the stopped run left unfinished is rebuilt.
    generator.Generate(after, 48 * 300);
    CMotionGenerator full;
    full.Generate(after, 0);
    ExpectSameRun(generator, full);
}

TEST(IncrementalTest, PosesUpToTheProgressAreFinalWhileTheWorkerRuns)
{
    const MotionInput input = MakeInput(Style::SINGLE, LongChart(400), 48 * 400);
    CMotionGenerator reference;
    reference.Generate(input, 0);

    CMotionGenerator generator;
    std::mutex lock;
    std::atomic<std::int32_t> progress{CMotionGenerator::kProgressStarting};
    std::vector<std::pair<std::int32_t, BonePose>> seen;
    std::thread worker([&] { generator.Generate(input, 0, {nullptr, &progress, &lock}); });
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
