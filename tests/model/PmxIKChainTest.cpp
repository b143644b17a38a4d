// PMX IK chains of unusual shape: links named in any order and more than once, links beside
// the effector's line, and chains of hundreds of thousands of links, which must cost the
// poser work in proportion to their length.
#include "PmxTestWriter.h"
#include "model/ModelInstance.h"
#include "model/ModelLoader.h"
#include "model/NameIds.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace zelvane;
using namespace zelvane::test;

namespace {

PmxBone Bone(const std::string& name, int parent, Vector3 position)
{
    PmxBone bone;
    bone.name = name;
    bone.parent = parent;
    bone.position = position;
    bone.flags = PmxBone::kRotatable;
    return bone;
}

PmxBone IKBone(int target, std::vector<PmxIKLink> links)
{
    PmxBone ik = Bone("目標", -1, {0, 0, 0});
    ik.flags |= PmxBone::kIK | PmxBone::kTranslatable;
    ik.ikTarget = target;
    ik.ikLoopCount = 200;
    ik.ikUnitAngle = 0.5f;
    ik.ikLinks = std::move(links);
    return ik;
}

PmxFile Model(std::vector<PmxBone> bones)
{
    PmxFile f;
    f.header.version = 2.0f;
    f.header.encoding = 1;
    f.header.boneIndexSize = 2;
    f.name = "鎖";
    f.bones = std::move(bones);
    return f;
}

std::unique_ptr<CModelInstance> Posed(const CModelDocument& model, Vector3 goal, Vector3 center)
{
    auto instance = std::make_unique<CModelInstance>(model);
    instance->SampleBones([&](int id) -> BonePose {
        if (id == NameToID("目標"))
            return {goal, {}};
        if (id == NameToID("センター"))
            return {center, {}};
        return {};
    });
    instance->Update();
    return instance;
}

Vector3 Head(const CModelInstance& instance, int bone)
{
    return instance.boneInstances[static_cast<std::size_t>(bone)].WorldPosition();
}

} // namespace

TEST(PmxIKChain, LinksInAnyOrderAndBesideTheEffectorLeaveEveryBoneWithItsParent)
{
    // センター - upper - lower - tip, with a branch off upper and a side bone (with its tip)
    // off the centre.
    // The chain names lower twice and side, which is not above the tip; the bones the chain
    // moved are upper's and side's subtrees, whichever order they are named in.
    enum { kCenter, kUpper, kLower, kTip, kBranch, kSide, kSideTip, kGoal };
    const auto model = ReadModelFile(
        PmxTestWriter(Model({Bone("センター", -1, {0, 0, 0}), Bone("上", kCenter, {0, -1, 0}),
                             Bone("下", kUpper, {0, -2, 0}), Bone("先", kLower, {0, -3, 0}),
                             Bone("枝", kUpper, {1, -1, 0}), Bone("脇", kCenter, {-1, 0, 0}),
                             Bone("脇先", kSide, {-2, 0, 0}),
                             IKBone(kTip, {{kLower}, {kUpper}, {kLower}, {kSide}})}))
            .Write(),
        "/m/");
    const Vector3 goal{1.0f, -2.5f, 0.0f};
    auto posed = Posed(*model, goal, {});
    EXPECT_GT(posed->ikLinkUpdates, 0u);
    EXPECT_LE(Length(Head(*posed, kTip) - goal), 5e-3f);
    // Recomputing each bone from its parent (bones are listed parents first) changes nothing:
    // no bone the chain moved was left where it was before.
    for (std::size_t i = 0; i < posed->boneInstances.size(); ++i) {
        CBoneInstance& bone = posed->boneInstances[i];
        const Vector3 before = bone.WorldPosition();
        bone.UpdateWorld();
        EXPECT_LE(Length(bone.WorldPosition() - before), 1e-5f) << "bone " << i;
    }
    // The branch swung with upper, and the side tip with the side bone, away from where
    // they rest.
    EXPECT_GT(Length(Head(*posed, kBranch) - Vector3{1, -1, 0}), 0.1f);
    EXPECT_GT(Length(Head(*posed, kSideTip) - Vector3{-2, 0, 0}), 0.1f);
}

TEST(PmxIKChain, AChainOfAMillionLinksPosesInProportionToItsLength)
{
    // Under センター hang a hundred side by side bones (one name for all: names this test
    // makes up stay in the process's name list) and an arm holding the effector. The IK names
    // the side bones again and again, and the arm every thousandth time: 1 000 000 links, no
    // one above another, so comparing every link with every other would take 1e12 steps. The
    // chain is too long for the frame's link budget: nothing turns and the bones keep their
    // sampled pose.
    constexpr int kSide = 100;
    constexpr std::size_t kLinks = 1000000;
    std::vector<PmxBone> bones{Bone("センター", -1, {0, 0, 0})};
    for (int i = 1; i <= kSide; ++i)
        bones.push_back(Bone("骨", 0, {static_cast<float>(i), 0, 0}));
    const int arm = kSide + 1;
    const int tip = kSide + 2;
    bones.push_back(Bone("腕", 0, {0, -1, 0}));
    bones.push_back(Bone("先", arm, {0, -2, 0}));
    std::vector<PmxIKLink> links(kLinks);
    for (std::size_t i = 0; i < kLinks; ++i)
        links[i].bone = i % 1000 == 0 ? arm : 1 + static_cast<std::int32_t>(i % kSide);
    bones.push_back(IKBone(tip, std::move(links)));
    const auto model = ReadModelFile(PmxTestWriter(Model(std::move(bones))).Write(), "/m/");
    ASSERT_EQ(model->iks.size(), 1u);
    ASSERT_EQ(model->iks[0].chain.size(), kLinks);

    auto posed = Posed(*model, {5, 0, 0}, {1, 2, 3});
    EXPECT_EQ(posed->ikLinkUpdates, 0u);
    EXPECT_LE(Length(Head(*posed, tip) - Vector3{1, 0, 3}), 1e-4f);
    EXPECT_LE(Length(Head(*posed, kSide) - Vector3{kSide + 1, 2, 3}), 1e-4f);
}
