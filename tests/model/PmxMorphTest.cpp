// PMX bone and group morphs keyed by a motion: a bone morph moves and turns its bone before
// the bones are posed, a group hands its weight times each ratio to its members.
#include "PmxTestWriter.h"
#include "PoseTestSupport.h"
#include "model/ModelLoader.h"
#include "text/Errors.h"

#include <cmath>
#include <numbers>

using namespace zelvane;
using namespace zelvane::test;

namespace {

const float kHalf = std::sqrt(0.5f);
constexpr float kQuarter = std::numbers::pi_v<float> / 2;

PmxVertex VertexOn(int bone, Vector3 position)
{
    PmxVertex v;
    v.position = position;
    v.bones = {bone, -1, -1, -1};
    v.weights = {1, 0, 0, 0};
    return v;
}

PmxMorph Morph(const char* name, PmxMorphKind kind)
{
    PmxMorph morph;
    morph.name = name;
    morph.panel = 4;
    morph.kind = kind;
    return morph;
}

// A root at the origin, an arm one unit up with a hand one unit beside it, and a twist bone
// at the hand that copies the arm's turn. Vertex 0 sits on the hand, vertex 1 on the root.
// 骨 moves the arm a unit along Z and turns it a quarter about Z; 頂 lifts vertex 1 by two;
// 組 gives both half its weight, and names itself and another group, which it must not
// follow.
PmxFile MorphModel()
{
    PmxFile f;
    f.header.version = 2.0f;
    f.header.encoding = 0;
    f.vertices = {VertexOn(2, {1, 1, 0}), VertexOn(0, {0, 0, 0}), VertexOn(0, {0, 0, 0})};
    f.indices = {0, 1, 2};
    PmxMaterial material;
    material.indexCount = 3;
    f.materials = {material};
    PmxBone twist = PmxBoneAt("捩", -1, {1, 1, 0}, PmxBone::kTranslatable);
    twist.flags |= PmxBone::kInheritRotation;
    twist.inheritParent = 1;
    twist.inheritRatio = 1.0f;
    twist.layer = 1;
    f.bones = {PmxBoneAt("根", -1, {0, 0, 0}, PmxBone::kTranslatable),
               PmxBoneAt("腕", 0, {0, 1, 0}, PmxBone::kTranslatable),
               PmxBoneAt("手", 1, {1, 1, 0}, PmxBone::kTranslatable), twist};
    PmxMorph bone = Morph("骨", PmxMorphKind::Bone);
    // A quarter turn about Z, stored at twice unit length.
    bone.bones = {{1, {0, 0, 1}, {0, 0, 2 * kHalf, 2 * kHalf}}};
    PmxMorph vertex = Morph("頂", PmxMorphKind::Vertex);
    vertex.vertices = {{1, {0, 2, 0, 0}}};
    PmxMorph group = Morph("組", PmxMorphKind::Group);
    group.weights = {{1, 0.5f}, {0, 0.5f}, {2, 1.0f}, {3, 1.0f}};
    PmxMorph other = Morph("他", PmxMorphKind::Group);
    other.weights = {{2, 1.0f}, {3, 1.0f}};
    f.morphs = {bone, vertex, group, other};
    return f;
}

// The motion as a VMD file would bring it: written out and read back.
CMotionDocument Motion(const std::vector<std::pair<const char*, CMorphFrame>>& keys)
{
    CMotionDocument written;
    for (const auto& [name, key] : keys)
        written.GetMorphSequence(NameToID(name)).Insert(key);
    CMotionDocument read;
    read.Read(written.Write());
    return read;
}

void Pose(CModelInstance& instance, const CMotionDocument& motion, std::int32_t frame)
{
    instance.SampleBones([](int) { return BonePose{}; });
    instance.SampleMorphs([&](int nameID) {
        const CMorphFrameSequence* sequence = motion.morphSequences.Find(nameID);
        return sequence ? sequence->Sample(frame) : 0.0f;
    });
    instance.Update();
}

class PmxMorphs : public ::testing::Test {
protected:
    std::unique_ptr<CModelDocument> model
        = ReadModelFile(PmxTestWriter(MorphModel()).Write(), "/m/");
};

TEST_F(PmxMorphs, ABoneMorphMovesAndTurnsItsBoneBeforeTheHierarchyAndInheritance)
{
    CModelInstance instance(*model);
    Pose(instance, Motion({{"骨", {0, 1.0f}}}), 0);
    // The arm's head moves to (0, 1, 1); the hand, a unit along X from it, turns to a unit
    // along Y.
    ExpectNear(Head(instance, 1), {0, 1, 1});
    ExpectNear(Head(instance, 2), {0, 2, 1});
    ExpectNear(instance.skinnedVertices[0].position, {0, 2, 1});
    ExpectNear(Head(instance, 0), {0, 0, 0});
    // The twist bone inherits the arm's turn, the morph's included.
    const Matrix& twist = instance.boneInstances[3].world;
    ExpectNear(TransformCoord({2, 1, 0}, twist), {1, 2, 0});
    // The sampled pose is the motion's again, so a second update comes out the same.
    EXPECT_EQ(instance.boneInstances[1].translation, (Vector3{}));
    EXPECT_EQ(instance.boneInstances[1].rotation, Quaternion{});
    instance.Update();
    ExpectNear(Head(instance, 2), {0, 2, 1});
    // The morph's turn comes before the motion's: a quarter about Z takes the hand to +Y,
    // then the motion's quarter about X takes it on to +Z.
    instance.SampleBones([](int id) {
        return id == NameToID("腕") ? BonePose{{}, QuaternionRotationAxis({1, 0, 0}, kQuarter)}
                                    : BonePose{};
    });
    instance.Update();
    ExpectNear(Head(instance, 2), {0, 1, 2});
}

TEST_F(PmxMorphs, AGroupGivesItsMembersItsWeightTimesTheirRatios)
{
    CModelInstance instance(*model);
    // Halfway between keys at frames 10 and 30: the group at 0.5, so each member at 0.25.
    Pose(instance, Motion({{"組", {10, 0.0f}}, {"組", {30, 1.0f}}}), 20);
    // The arm moves a quarter unit and turns an eighth of a half turn.
    const float c = std::cos(std::numbers::pi_v<float> / 8);
    const float s = std::sin(std::numbers::pi_v<float> / 8);
    ExpectNear(Head(instance, 1), {0, 1, 0.25f});
    ExpectNear(Head(instance, 2), {c, 1 + s, 0.25f});
    ExpectNear(instance.skinnedVertices[1].position, {0, 0.5f, 0});
    // A group keyed beside its member adds to the member's own weight.
    Pose(instance, Motion({{"組", {0, 1.0f}}, {"頂", {0, 0.5f}}}), 0);
    ExpectNear(instance.skinnedVertices[1].position, {0, 2, 0});
    ExpectNear(Head(instance, 2), {kHalf, 1 + kHalf, 0.5f});
    // The other group only names groups: it moves nothing.
    Pose(instance, Motion({{"他", {0, 1.0f}}}), 0);
    ExpectNear(instance.skinnedVertices[1].position, {0, 0, 0});
    ExpectNear(Head(instance, 2), {1, 1, 0});
}

TEST_F(PmxMorphs, UnweightedMorphsLeaveThePoseExactlyAsWithoutThem)
{
    PmxFile bare = MorphModel();
    bare.morphs.clear();
    const auto plain = ReadModelFile(PmxTestWriter(bare).Write(), "/m/");
    CModelInstance with(*model);
    CModelInstance without(*plain);
    const auto sample = [](int id) {
        return id == NameToID("腕")
            ? BonePose{{0.25f, 0, 0}, QuaternionRotationAxis({1, 2, 3}, 0.7f)}
            : BonePose{};
    };
    with.SampleBones(sample);
    without.SampleBones(sample);
    with.Update();
    without.Update();
    for (std::size_t b = 0; b < with.boneInstances.size(); ++b)
        EXPECT_EQ(with.boneInstances[b].world, without.boneInstances[b].world) << b;
    for (std::size_t v = 0; v < with.skinnedVertices.size(); ++v)
        EXPECT_EQ(with.skinnedVertices[v].position, without.skinnedVertices[v].position) << v;
}

TEST(PmxMorphCheck, MorphsNamingMissingBonesOrMorphsAreRefused)
{
    auto model = ReadModelFile(PmxTestWriter(MorphModel()).Write(), "/m/");
    model->morphs[0].bones[0].bone = 4;
    EXPECT_THROW(CModelInstance{*model}, InvalidArgumentError);
    model->morphs[0].bones[0].bone = 3;
    model->morphs[2].members[0].morph = -1;
    EXPECT_THROW(CModelInstance{*model}, InvalidArgumentError);
}

TEST(MorphKeys, WeightsRiseFromNothingAreLinearBetweenKeysAndHoldAfterTheLast)
{
    CMorphFrameSequence keys;
    keys.Insert({10, 0.5f});
    keys.Insert({20, 1.0f});
    keys.Insert({40, 0.0f});
    for (const auto& [frame, weight] :
         {std::pair{0, 0.0f}, {4, 0.2f}, {10, 0.5f}, {15, 0.75f}, {35, 0.25f}, {100, 0.0f}})
        EXPECT_FLOAT_EQ(keys.Sample(frame), weight) << frame;
    EXPECT_FLOAT_EQ(CMorphFrameSequence{}.Sample(5), 0.0f);
}

} // namespace
