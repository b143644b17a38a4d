#include "MotionTestSupport.h"
#include "motion/BoneIds.h"

#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace zelvane {
namespace {

using test::ExpectRestartIsAFullRun;
using test::FullRun;
using test::MakeInput;
using test::Sixteenths;

MotionInput Single(std::vector<CNote> notes, std::int32_t length)
{
    return MakeInput(Style::SINGLE, std::move(notes), length);
}

std::vector<CNote> WithPanel(std::vector<CNote> notes, std::size_t index, std::int32_t panel)
{
    notes[index].panel = panel;
    return notes;
}

TEST(IncrementalTest, RestartGivesTheDanceOfAFullRun)
{
    // Steps, a jump back to the side-by-side stance, then beats: the stance before an edit
    // after clock 240 faces the screen, where limiting the facing changes nothing.
    const std::vector<CNote> chart
        = {{48, 1, 0}, {96, 2, 0}, {144, 0, 0}, {144, 3, 0}, {336, 1, 0}, {384, 2, 0}};
    std::vector<CNote> inserted = chart;
    inserted.insert(inserted.begin() + 4, CNote{288, 3, 0});
    ExpectRestartIsAFullRun("note inserted after the start", Single(chart, 480),
                            Single(inserted, 480), 288);
    // The freeze from clock 96 to 384 is still held at the restart and must still end.
    const std::vector<CNote> freeze = {{96, 0, 288}, {192, 3, 0}, {480, 1, 0}};
    ExpectRestartIsAFullRun("freeze reaching the start", Single(freeze, 576),
                            Single(WithPanel(freeze, 1, 2), 576), 192);
    // With no gap the base pose sits on frame 0 and must be laid again after the trim.
    ExpectRestartIsAFullRun("restart from clock 0", Single(chart, 480),
                            Single(WithPanel(chart, 0, 2), 480), 0);
    // Frames 15 and 16: the in-between keys of 16 lie on 15, which the restart keeps.
    const std::vector<CNote> adjacent = {{48, 1, 0}, {52, 2, 0}, {144, 3, 0}};
    ExpectRestartIsAFullRun("adjacent step frame", Single(adjacent, 192),
                            Single(WithPanel(adjacent, 1, 0), 192), 52);
    // Clocks 48 and 49 share frame 15; an edit at 49 rebuilds it with both notes.
    const std::vector<CNote> sharing = {{48, 1, 0}, {49, 2, 0}, {144, 3, 0}};
    ExpectRestartIsAFullRun("note sharing the start frame", Single(sharing, 192),
                            Single(WithPanel(sharing, 1, 3), 192), 49);
    // The beats between the old end of the song and the new note were never placed.
    std::vector<CNote> appended = chart;
    appended.push_back({2400, 1, 0});
    ExpectRestartIsAFullRun("note far after the old end", Single(chart, 480),
                            Single(appended, 2400), 2400);
    ExpectRestartIsAFullRun("song cut short after its last note", Single(chart, 2400),
                            Single(WithPanel(chart, 5, 0), 400), 384);
    MotionInput changed = Single(chart, 480);
    changed.parameters.panelSize = 15.0f;
    changed.parameters.gap = 700;
    ExpectRestartIsAFullRun("parameter change, from 0", Single(chart, 480), changed, 0);
    ExpectRestartIsAFullRun("parameter change, from 300", Single(chart, 480), changed, 300);
}

TEST(IncrementalTest, StoppedRunIsResumedFromItsStart)
{
    // Long enough that the worker is still busy when the test thread gets to stop it, on a
    // loaded machine too: it stops within the first 45 % of the chart.
    const int beats = 6000;
    const MotionInput after = Sixteenths(beats, {480});
    CMotionGenerator generator;
    bool stopped = false;
    // Stop the rebuild from clock 480 part-way through writing keys. Taking the key lock
    // holds the worker at its next step frame, so it is stopped close to where it was seen;
    // should the machine stall the test thread before it takes the lock, try again.
    for (int attempt = 0; attempt < 5 && !stopped; ++attempt) {
        generator.Generate(Sixteenths(beats), 0);
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
    EXPECT_TRUE(test::SameRun(generator, *FullRun(after)));
}

TEST(IncrementalTest, PosesUpToTheProgressAreFinalWhileTheWorkerRuns)
{
    const MotionInput input = Sixteenths(400);
    const auto reference = FullRun(input);
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
        const BonePose final = reference->GetBonePose(kBoneCenter, frame);
        EXPECT_EQ(std::tie(pose.translation, pose.rotation),
                  std::tie(final.translation, final.rotation))
            << frame;
    }
}

} // namespace
} // namespace zelvane
