// Chains solved side by side against the same chains solved one after the other: the same
// pose to the bit, with the chains that depend on each other kept in their order.
#include "TestData.h"
#include "model/ModelInstance.h"
#include "model/PmdReader.h"
#include "motion/MotionDocument.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace zelvane {
namespace {

// Whether every bone of the two instances has the same matrix, bit for bit.
bool SamePose(const CModelInstance& a, const CModelInstance& b)
{
    for (std::size_t i = 0; i < a.boneInstances.size(); ++i) {
        if (std::memcmp(&a.boneInstances[i].world, &b.boneInstances[i].world, sizeof(Matrix)) != 0)
            return false;
    }
    return true;
}

TEST(PmdIKSolver, TheLegsOfTheSharedModelAreSolvedSideBySideToTheSamePose)
{
    const auto modelPath = test::SharedTestData("models/mei/mei.pmd");
    const auto motionPath = test::SharedTestData("motions/mei_greeting.vmd");
    ZELVANE_REQUIRE_SHARED(modelPath);
    ZELVANE_REQUIRE_SHARED(motionPath);
    const auto model = LoadModelDocument(modelPath);
    CMotionDocument motion;
    motion.Load(motionPath);
    CModelInstance together(*model);
    CModelInstance apart(*model);
    apart.ikSideBySide = false;
    // The two legs, then the two toes, each of which follows its leg.
    ASSERT_EQ(model->iks.size(), 4u);
    EXPECT_EQ(together.pmdIK()->rounds(), 2u);
    for (std::int32_t frame = 0; frame <= 60; frame += 3) {
        SCOPED_TRACE(frame);
        for (CModelInstance* instance : {&together, &apart}) {
            instance->SampleBones([&](int nameID) -> BonePose {
                const CBoneFrameSequence* sequence = motion.boneSequences.Find(nameID);
                return sequence ? sequence->Sample(frame) : BonePose{};
            });
            instance->Update();
        }
        EXPECT_TRUE(SamePose(together, apart));
        EXPECT_EQ(together.ikLinkUpdates, apart.ikLinkUpdates);
    }
}

// Two legs of hip, knee, ankle and toe, two arms, and a chain for each leg, toe and hand, in
// an order that makes chains wait for others: the left hand reaches for the left toe before
// the toe's chain moves it, the right hand for the right toe after both right chains moved
// it; the left toe turns before its leg, the right one after.
enum Bone : std::uint8_t {
    kRoot,
    kLeftHip,
    kLeftKnee,
    kLeftAnkle,
    kLeftToe,
    kRightHip,
    kRightKnee,
    kRightAnkle,
    kRightToe,
    kLeftFootGoal,
    kRightFootGoal,
    kLeftToeGoal,
    kRightToeGoal,
    kLeftShoulder,
    kLeftHand,
    kRightShoulder,
    kRightHand,
    kBoneCount
};

CModelDocument TwoLegsAndAnArm()
{
    CModelDocument model;
    const auto add = [&](int parent, Vector3 position, bool knee = false) {
        CModelBone bone;
        bone.parent = parent;
        bone.position = position;
        bone.isKnee = knee;
        model.bones.push_back(bone);
    };
    add(-1, {0, 10, 0});
    for (const float side : {1.0f, -1.0f}) {
        const int hip = static_cast<int>(model.bones.size());
        add(kRoot, {side, 9, 0});
        add(hip, {side, 5, 0}, true);
        add(hip + 1, {side, 1, 0});
        add(hip + 2, {side, 0, -1});
    }
    add(kRoot, {1, 1, 0});
    add(kRoot, {-1, 1, 0});
    add(kLeftFootGoal, {1, 0, -1});
    add(kRightFootGoal, {-1, 0, -1});
    add(kRoot, {2, 14, 0});
    add(kLeftShoulder, {5, 14, 0});
    add(kRoot, {-2, 14, 0});
    add(kRightShoulder, {-5, 14, 0});
    const auto chain = [&](int goal, int effector, std::vector<std::uint16_t> links) {
        model.iks.push_back(CModelIK{goal, effector, 40, 0.5f, std::move(links)});
    };
    chain(kLeftToe, kLeftHand, {kLeftShoulder});
    chain(kLeftToeGoal, kLeftToe, {kLeftAnkle});
    chain(kLeftFootGoal, kLeftAnkle, {kLeftKnee, kLeftHip});
    chain(kRightFootGoal, kRightAnkle, {kRightKnee, kRightHip});
    chain(kRightToeGoal, kRightToe, {kRightAnkle});
    chain(kRightToe, kRightHand, {kRightShoulder});
    return model;
}

TEST(PmdIKSolver, ChainsThatReadWhatOthersMoveKeepTheirOrder)
{
    const CModelDocument model = TwoLegsAndAnArm();
    ASSERT_EQ(model.bones.size(), std::size_t{kBoneCount});
    CModelInstance together(model);
    CModelInstance apart(model);
    apart.ikSideBySide = false;
    // The left hand beside the right leg; the left toe and the right toe; the left leg and
    // the right hand.
    EXPECT_EQ(together.pmdIK()->rounds(), 3u);
    // Within reach and out of it.
    const Vector3 goals[][4] = {{{0.5f, 2, -1}, {-0.5f, 3, -2}, {0, 0.5f, 1}, {0.5f, 1, 0}},
                                {{-0.5f, 1, 0.5f}, {1, 2, -1}, {0.5f, 0, -1}, {0, -0.5f, 1}},
                                {{3, -4, 2}, {-2, 5, 0}, {1, 1, 1}, {-1, -1, 0}}};
    for (const auto& set : goals) {
        for (CModelInstance* instance : {&together, &apart}) {
            instance->boneInstances[kLeftFootGoal].translation = set[0];
            instance->boneInstances[kRightFootGoal].translation = set[1];
            instance->boneInstances[kLeftToeGoal].translation = set[2];
            instance->boneInstances[kRightToeGoal].translation = set[3];
            instance->boneInstances[kRoot].rotation = QuaternionRotationAxis({0, 1, 0}, set[0].x);
            instance->Update();
        }
        EXPECT_TRUE(SamePose(together, apart));
        EXPECT_EQ(together.ikLinkUpdates, apart.ikLinkUpdates);
        // The chains did turn: each leg's knee left its rest.
        EXPECT_NE(together.boneInstances[kLeftKnee].currentRotation, Quaternion{});
    }
}

} // namespace
} // namespace zelvane
