#include "motion/DanceWorker.h"
#include "MotionTestSupport.h"
#include "motion/BoneIds.h"
#include "text/Errors.h"

#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <vector>

namespace zelvane {
namespace {

using test::FullRun;
using test::MakeInput;
using test::SameRun;
using test::Sixteenths;

constexpr int kBeats = 800;

// Edits come faster than the worker dances them: whether a request is stopped part-way,
// merged with a later one before it starts, or dropped by Stop, the worker ends with the
// dance of a full run of the last snapshot. Each request names the clock of its own edit.
TEST(DanceWorkerTest, EveryBurstOfEditsEndsInTheDanceOfTheLastSnapshot)
{
    CDanceWorker worker;
    worker.Request(Sixteenths(kBeats), 0, "SINGLE BASIC");
    // An early edit, then later ones: a worker that forgot the early start would leave the
    // notes between the edits danced as before.
    worker.Request(Sixteenths(kBeats, {480}), 480, "SINGLE BASIC");
    worker.Request(Sixteenths(kBeats, {480, 28800}), 28800, "SINGLE BASIC");
    worker.Request(Sixteenths(kBeats, {480, 28800, 33600}), 33600, "SINGLE BASIC");
    worker.Wait();
    EXPECT_EQ(worker.progress(), CMotionGenerator::kProgressIdle);
    EXPECT_TRUE(SameRun(worker.generator(), *FullRun(Sixteenths(kBeats, {480, 28800, 33600}))))
        << "merged edits";

    // An edit that is stopped, or dropped before it began, is still danced by the next.
    worker.Request(Sixteenths(kBeats, {480, 28800, 33600, 240}), 240, "SINGLE BASIC");
    worker.Stop();
    EXPECT_EQ(worker.progress(), CMotionGenerator::kProgressIdle);
    const MotionInput last = Sixteenths(kBeats, {480, 28800, 33600, 240, 36000});
    worker.Request(last, 36000, "SINGLE BASIC");
    worker.Wait();
    EXPECT_TRUE(SameRun(worker.generator(), *FullRun(last))) << "an edit stopped or dropped";

    // Stopped with a long dance running and another waiting: nobody waits for a pose any
    // more, and nothing counts as failed. The destructor then stops a running dance too (a
    // hang here fails the test by its timeout).
    worker.Request(Sixteenths(6000), 0, "SINGLE BASIC");
    worker.Request(Sixteenths(6000, {480}), 480, "SINGLE BASIC");
    worker.Stop();
    EXPECT_EQ(worker.progress(), CMotionGenerator::kProgressIdle);
    EXPECT_FALSE(worker.failed());
    worker.GetBonePose(kBoneCenter, 6000 * 15);
    worker.Request(Sixteenths(6000, {480, 960}), 960, "SINGLE BASIC");
}

// Edits that hand over only the notes from their own clock on, the worker keeping the
// ones before: merged, or dropped by Stop, the worker ends with the dance of all the latest
// notes. A request keeping more notes than the worker has is refused and changes nothing.
TEST(DanceWorkerTest, RequestsKeepingTheLeadingNotesEndInTheDanceOfTheWholeChart)
{
    CDanceWorker worker;
    worker.Request(Sixteenths(kBeats), 0, "SINGLE BASIC");
    auto edit = [&](std::initializer_list<std::int32_t> edits, std::int32_t clock) {
        MotionInput input = Sixteenths(kBeats, edits);
        const auto kept = static_cast<std::size_t>(clock / 12); // a note every 12 clocks
        input.notes.erase(input.notes.begin(), input.notes.begin() + clock / 12);
        worker.Request(std::move(input), clock, "SINGLE BASIC", kept);
    };
    edit({28800}, 28800);
    edit({28800, 480}, 480);
    edit({28800, 480, 33600}, 33600);
    worker.Stop();
    edit({28800, 480, 33600, 36000}, 36000);
    EXPECT_THROW(worker.Request(Sixteenths(1), 0, "SINGLE BASIC", 4 * kBeats + 1),
                 InvalidArgumentError);
    worker.Wait();
    EXPECT_TRUE(
        SameRun(worker.generator(), *FullRun(Sixteenths(kBeats, {28800, 480, 33600, 36000}))));
}

// A pose asked for right after a request is one of that request's dance, never of the
// dance it replaced, even while the replaced one is still running.
TEST(DanceWorkerTest, PosesAfterARequestComeFromItsOwnDance)
{
    MotionInput wide = Sixteenths(kBeats);
    wide.parameters.panelSize = 20.0f;
    const auto reference = FullRun(wide);
    CDanceWorker worker;
    for (int round = 0; round < 3; ++round) {
        worker.Request(Sixteenths(kBeats), 0, "SINGLE BASIC");
        worker.Request(wide, 0, "SINGLE BASIC");
        for (std::int32_t frame = 0; frame < kBeats * 15; frame += 997) {
            const BonePose pose = worker.GetBonePose(kBoneCenter, frame);
            const BonePose expected = reference->GetBonePose(kBoneCenter, frame);
            EXPECT_EQ(std::tie(pose.translation, pose.rotation),
                      std::tie(expected.translation, expected.rotation))
                << round << " " << frame;
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
    EXPECT_EQ(worker.GetBonePose(kBoneCenter, 100000).translation, Vector3{});
    worker.Wait();
    EXPECT_TRUE(worker.failed());
    EXPECT_EQ(worker.progress(), CMotionGenerator::kProgressIdle);
    EXPECT_EQ(worker.failure().rfind("the dance of the SINGLE X chart failed: ", 0), 0u)
        << worker.failure();
    {
        std::lock_guard lock(reportLock);
        EXPECT_EQ(reports, std::vector<std::string>{worker.failure()});
    }

    worker.Request(Sixteenths(8), 0, "SINGLE X");
    worker.Wait();
    EXPECT_FALSE(worker.failed());
    EXPECT_EQ(worker.failure(), "");
    EXPECT_TRUE(SameRun(worker.generator(), *FullRun(Sixteenths(8))));
    std::lock_guard lock(reportLock);
    EXPECT_EQ(reports.size(), 1u);
}

} // namespace
} // namespace zelvane
