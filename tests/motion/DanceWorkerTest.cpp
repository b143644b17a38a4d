#include "motion/DanceWorker.h"
#include "MotionTestSupport.h"
#include "motion/BoneIds.h"
#include "text/Errors.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

namespace zelvane {
namespace {

using test::ExpectSameRun;
using test::MakeInput;

// Sixteenth notes round the pad; every edit turns the panels from its clock on one further.
MotionInput Chart(int beats, std::initializer_list<std::int32_t> edits = {})
{
    std::vector<CNote> notes;
    for (int clock = 0; clock < 48 * beats; clock += 12) {
        const auto turned = std::count_if(edits.begin(), edits.end(),
                                          [clock](std::int32_t edit) { return edit <= clock; });
        notes.push_back({clock, static_cast<std::int32_t>((clock / 12 + turned) % 4), 0});
    }
    return MakeInput(Style::SINGLE, std::move(notes), 48 * beats);
}

// Edits come faster than the worker dances them: whether a request is stopped part-way,
// merged with a later one before it starts, or dropped by Stop, the worker ends with the
// dance of a full run of the last snapshot. Each request names the clock of its own edit.
TEST(DanceWorkerTest, EveryBurstOfEditsEndsInTheDanceOfTheLastSnapshot)
{
    const int beats = 800;
    CDanceWorker worker;
    worker.Request(Chart(beats), 0, "SINGLE BASIC");
    // An early edit, then later ones: a worker that forgot the early start would leave the
    // notes between the edits danced as before.
    worker.Request(Chart(beats, {480}), 480, "SINGLE BASIC");
    worker.Request(Chart(beats, {480, 28800}), 28800, "SINGLE BASIC");
    worker.Request(Chart(beats, {480, 28800, 33600}), 33600, "SINGLE BASIC");
    worker.Wait();
    EXPECT_EQ(worker.progress(), CMotionGenerator::kProgressIdle);
    CMotionGenerator full;
    full.Generate(Chart(beats, {480, 28800, 33600}), 0);
    {
        SCOPED_TRACE("merged edits");
        ExpectSameRun(worker.generator(), full);
    }

    // An edit that is stopped, or dropped before it began, is still danced by the next.
    worker.Request(Chart(beats, {480, 28800, 33600, 240}), 240, "SINGLE BASIC");
    worker.Stop();
    EXPECT_EQ(worker.progress(), CMotionGenerator::kProgressIdle);
    worker.Request(Chart(beats, {480, 28800, 33600, 240, 36000}), 36000, "SINGLE BASIC");
    worker.Wait();
    CMotionGenerator later;
    later.Generate(Chart(beats, {480, 28800, 33600, 240, 36000}), 0);
    SCOPED_TRACE("an edit stopped or dropped");
    ExpectSameRun(worker.generator(), later);
}

// Edits that hand over only the notes from their own clock on, the worker keeping the
// ones before: merged, or dropped by Stop, the worker ends with the dance of all the latest
// notes. A request keeping more notes than the worker has is refused and changes nothing.
TEST(DanceWorkerTest, RequestsKeepingTheLeadingNotesEndInTheDanceOfTheWholeChart)
{
    const int beats = 800;
    CDanceWorker worker;
    worker.Request(Chart(beats), 0, "SINGLE BASIC");
    auto edit = [&](std::initializer_list<std::int32_t> edits, std::int32_t clock) {
        MotionInput input = Chart(beats, edits);
        const auto kept = static_cast<std::size_t>(clock / 12); // a note every 12 clocks
        input.notes.erase(input.notes.begin(), input.notes.begin() + clock / 12);
        worker.Request(std::move(input), clock, "SINGLE BASIC", kept);
    };
    edit({28800}, 28800);
    edit({28800, 480}, 480);
    edit({28800, 480, 33600}, 33600);
    worker.Stop();
    edit({28800, 480, 33600, 36000}, 36000);
    EXPECT_THROW(worker.Request(Chart(1), 0, "SINGLE BASIC", 4 * beats + 1), InvalidArgumentError);
    worker.Wait();
    CMotionGenerator full;
    full.Generate(Chart(beats, {28800, 480, 33600, 36000}), 0);
    ExpectSameRun(worker.generator(), full);
}

// A pose asked for right after a request is one of that request's dance, never of the
// dance it replaced, even while the replaced one is still running.
TEST(DanceWorkerTest, PosesAfterARequestComeFromItsOwnDance)
{
    const int beats = 800;
    MotionInput wide = Chart(beats);
    wide.parameters.panelSize = 20.0f;
    CMotionGenerator reference;
    reference.Generate(wide, 0);

    CDanceWorker worker;
    for (int round = 0; round < 3; ++round) {
        worker.Request(Chart(beats), 0, "SINGLE BASIC");
        worker.Request(wide, 0, "SINGLE BASIC");
        for (std::int32_t frame = 0; frame < beats * 15; frame += 997) {
            const BonePose pose = worker.GetBonePose(kBoneCenter, frame);
            const BonePose expected = reference.GetBonePose(kBoneCenter, frame);
            EXPECT_EQ(pose.translation, expected.translation) << round << " " << frame;
            EXPECT_EQ(pose.rotation, expected.rotation) << round << " " << frame;
        }
    }
}

TEST(DanceWorkerTest, AFailedDanceReleasesWaitersReportsOnceAndTheNextRequestDancesAgain)
{
    CDanceWorker worker;
    std::mutex reportLock;
    std::vector<std::string> reports;
    worker.SetFailureHandler([&](const std::string& message) {
        std::lock_guard lock(reportLock);
        reports.push_back(message);
    });
    // Beyond two hours at 120 BPM: the generator refuses the chart.
    worker.Request(MakeInput(Style::SINGLE, {{0, 1, 0}, {2'000'000'000, 0, 0}}), 0, "SINGLE X");
    const BonePose pose = worker.GetBonePose(kBoneCenter, 100000);
    EXPECT_EQ(pose.translation, Vector3{});
    worker.Wait();
    EXPECT_TRUE(worker.failed());
    EXPECT_EQ(worker.progress(), CMotionGenerator::kProgressIdle);
    EXPECT_EQ(worker.failure().rfind("the dance of the SINGLE X chart failed: ", 0), 0u)
        << worker.failure();
    {
        std::lock_guard lock(reportLock);
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0], worker.failure());
    }

    worker.Request(Chart(8), 0, "SINGLE X");
    worker.Wait();
    EXPECT_FALSE(worker.failed());
    EXPECT_EQ(worker.failure(), "");
    CMotionGenerator full;
    full.Generate(Chart(8), 0);
    ExpectSameRun(worker.generator(), full);
    std::lock_guard lock(reportLock);
    EXPECT_EQ(reports.size(), 1u);
}

TEST(DanceWorkerTest, StopAndDestructionEndTheWorkAtOnce)
{
    CDanceWorker worker;
    worker.Stop();
    worker.Wait();
    EXPECT_EQ(worker.progress(), CMotionGenerator::kProgressIdle);

    // Stopped with a long dance running and another waiting: nobody waits for a pose any
    // more, and nothing counts as failed.
    worker.Request(Chart(6000), 0, "SINGLE BASIC");
    worker.Request(Chart(6000, {480}), 480, "SINGLE BASIC");
    worker.Stop();
    EXPECT_EQ(worker.progress(), CMotionGenerator::kProgressIdle);
    EXPECT_FALSE(worker.failed());
    worker.GetBonePose(kBoneCenter, 6000 * 15);

    // The destructor stops a running dance too (a hang here fails the test by its timeout).
    worker.Request(Chart(6000, {480, 960}), 960, "SINGLE BASIC");
}

} // namespace
} // namespace zelvane
