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
    for (const CBoneInstance& bone : instance.boneInstances) {
        for (const Matrix* matrix : {&bone.world, &bone.worldRotation}) {
            for (const auto& row : matrix->m) {
                for (const float value : row)
                    hash.Add(value);
            }
        }
    }
    for (const CModelInstance::SkinnedVertex& vertex : instance.skinnedVertices) {
        for (const float value :
             {vertex.position.x, vertex.position.y, vertex.position.z, vertex.normal.x,
              vertex.normal.y, vertex.normal.z, vertex.uv.x, vertex.uv.y})
            hash.Add(value);
    }
    for (const Vector3& position : instance.edgePositions) {
        for (const float value : {position.x, position.y, position.z})
            hash.Add(value);
    }
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
