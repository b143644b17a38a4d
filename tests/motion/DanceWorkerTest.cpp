#include "motion/DanceWorker.h"
#include "MotionTestSupport.h"
#include "motion/BoneIds.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

namespace zelvane {
namespace {

using test::FullRun;
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
    // A request keeping more of the notes before its clock than the worker has is refused.
    EXPECT_THROW(worker.Request(Sixteenths(1), 0, "SINGLE BASIC", 4 * 6000 + 1),
                 InvalidArgumentError);
    worker.Request(Sixteenths(6000, {480, 960}), 960, "SINGLE BASIC");
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

} // namespace
} // namespace zelvane
