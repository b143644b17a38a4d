// The shared test model posed by its greeting motion, pinned to references recorded from
// the posing code, so that work on its speed provably changes nothing it computes.
#include "BitHash.h"
#include "TestData.h"
#include "model/ModelInstance.h"
#include "model/PmdReader.h"
#include "motion/MotionDocument.h"

#include <gtest/gtest.h>
#include <map>

namespace zelvane {
namespace {

// Every bone's matrices and every vertex the preview would upload.
std::uint64_t PoseHash(const CModelInstance& instance)
{
    test::BitHash hash;
    const auto add = [&](std::initializer_list<float> values) {
        for (const float value : values)
            hash.Add(value);
    };
    for (const CBoneInstance& bone : instance.boneInstances) {
        for (const Matrix* matrix : {&bone.world, &bone.worldRotation}) {
            for (const auto& row : matrix->m)
                add({row[0], row[1], row[2], row[3]});
        }
    }
    for (const CModelInstance::SkinnedVertex& v : instance.skinnedVertices)
        add({v.position.x, v.position.y, v.position.z, v.normal.x, v.normal.y, v.normal.z, v.uv.x,
             v.uv.y});
    for (const Vector3& p : instance.edgePositions)
        add({p.x, p.y, p.z});
    return hash.value();
}

TEST(PoseReference, GreetingFramesGiveTheRecordedPoses)
{
    const auto modelPath = test::SharedTestData("models/mei/mei.pmd");
    const auto motionPath = test::SharedTestData("motions/mei_greeting.vmd");
    ZELVANE_REQUIRE_SHARED(modelPath);
    ZELVANE_REQUIRE_SHARED(motionPath);
    const auto model = LoadModelDocument(modelPath);
    CMotionDocument motion;
    motion.Load(motionPath);
    CModelInstance instance(*model);

    // Frames between keys, on keys and after the last key (frame 60, the greeting ends as
    // it began), posed in turn on one instance as the preview does.
    const std::map<std::int32_t, std::uint64_t> recorded = {
        {0, 6063287875063241528u},  {13, 8360816972217079987u},  {30, 13882374720195123077u},
        {47, 3147001746470882909u}, {52, 17912122022807308746u}, {75, 6063287875063241528u},
    };
    for (const auto& [frame, expected] : recorded) {
        instance.SampleBones([&](int nameID) -> BonePose {
            const CBoneFrameSequence* sequence = motion.boneSequences.Find(nameID);
            return sequence ? sequence->Sample(frame) : BonePose{};
        });
        instance.Update();
        EXPECT_EQ(PoseHash(instance), expected) << "frame " << frame;
    }
}

} // namespace
} // namespace zelvane
