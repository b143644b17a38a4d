#include "model/ModelInstance.h"
#include "TestData.h"
#include "model/NameIds.h"
#include "model/PmdReader.h"
#include "text/Errors.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using namespace zelvane;

namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2;

void ExpectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

CModelBone Bone(const char* name, int parent, Vector3 position)
{
    CModelBone bone;
    bone.nameID = NameToID(name);
    bone.parent = parent;
    bone.position = position;
    bone.isKnee = std::string_view(name) == "左ひざ";
    return bone;
}

enum LegBone { kCenter, kLeg, kKnee, kAnkle, kFootIK, kToe };

// A left leg standing straight: hip 10 units up, knee at 5, ankle on the floor, a toe in
// front (models face -z), and a foot IK bone at the ankle.
CModelDocument Leg(float kneeZ = -0.1f)
{
    CModelDocument model;
    model.bones = {
        Bone("センター", -1, {0, 11, 0}),    Bone("左足", kCenter, {0, 10, 0}),
        Bone("左ひざ", kLeg, {0, 5, kneeZ}), Bone("左足首", kKnee, {0, 0, 0}),
        Bone("左足ＩＫ", -1, {0, 0, 0}),     Bone("左つま先", kAnkle, {0, 0, -2}),
    };
    CModelIK ik;
    ik.ikBone = kFootIK;
    ik.effector = kAnkle;
    ik.iterations = 40;
    ik.limitAngle = 0.1f;
    ik.chain = {kKnee, kLeg};
    model.iks.push_back(ik);
    return model;
}

// The knee's own rotation is about its X axis, bending the shin backwards only.
void ExpectKneeBendsForwards(const CBoneInstance& knee)
{
    EXPECT_NEAR(knee.currentRotation.y, 0.0f, 1e-6f);
    EXPECT_NEAR(knee.currentRotation.z, 0.0f, 1e-6f);
    const Matrix m = MatrixRotationQuaternion(knee.currentRotation);
    EXPECT_GE(std::atan2(m.m[2][1], m.m[2][2]), 0.0f);
}

} // namespace

TEST(ModelInstance, HierarchyTurnsAboutTheRestHeadThenMoves)
{
    CModelDocument model;
    model.bones = {Bone("親", -1, {1, 0, 0}), Bone("子", 0, {1, 0, 2})};
    CModelInstance instance(model);
    CBoneInstance& parent = instance.boneInstances[0];
    parent.rotation = QuaternionRotationAxis({0, 1, 0}, kHalfPi);
    parent.translation = {0, 3, 0};
    instance.boneInstances[1].translation = {0, 0, 1};
    instance.UpdateBones();
    // The parent's head stays put and moves up; the child, 2 units along +z from it, first
    // moves by its own translation, then swings with the parent to +x.
    ExpectNear(parent.WorldPosition(), {1, 3, 0});
    ExpectNear(instance.boneInstances[1].WorldPosition(), {4, 3, 0});
    EXPECT_EQ(instance.boneInstances[1].currentRotation, Quaternion{});
    EXPECT_EQ(instance.boneInstances[1].parent, &parent);
    EXPECT_EQ(parent.children, (std::vector<CBoneInstance*>{&instance.boneInstances[1]}));
}

TEST(ModelInstance, IKReachesAReachableGoalWithTheKneeForwards)
{
    const CModelDocument model = Leg();
    CModelInstance instance(model);
    for (const Vector3 goal : {Vector3{0, 2, -1}, Vector3{0.5f, 3, 2}, Vector3{-1, 1, -3}}) {
        SCOPED_TRACE(goal.z);
        instance.boneInstances[kFootIK].translation = goal;
        instance.Update();
        // Single-precision acos cannot resolve turns below about 3e-4 rad, which is 3e-3 at
        // the end of a 10-unit leg.
        ExpectNear(instance.boneInstances[kAnkle].WorldPosition(), goal, 1e-2f);
        ExpectKneeBendsForwards(instance.boneInstances[kKnee]);
        // The knee comes forwards (-z) of the line from hip to ankle.
        const Vector3 hip = instance.boneInstances[kLeg].WorldPosition();
        const Vector3 knee = instance.boneInstances[kKnee].WorldPosition();
        const float t = (hip.y - knee.y) / (hip.y - goal.y);
        EXPECT_LT(knee.z, hip.z + (goal.z - hip.z) * t);
        // The toe, below the effector, follows it.
        const Vector3 ankle = instance.boneInstances[kAnkle].WorldPosition();
        EXPECT_NEAR(Length(instance.boneInstances[kToe].WorldPosition() - ankle), 2.0f, 1e-4f);
    }
}

TEST(ModelInstance, KneeNeverBendsBackwards)
{
    // Goals all around, including behind and out of reach: the knee hinges only one way.
    const CModelDocument model = Leg();
    CModelInstance instance(model);
    for (float z = -12; z <= 12; z += 3) {
        for (float y = -4; y <= 12; y += 4) {
            instance.boneInstances[kFootIK].translation = {0.3f, y, z};
            instance.Update();
            ExpectKneeBendsForwards(instance.boneInstances[kKnee]);
        }
    }
}

TEST(ModelInstance, ALinkOnTheEffectorEndsThePass)
{
    CModelDocument model = Leg();
    // The knee sits exactly on the ankle, so no turn of it can move the ankle; the pass over
    // the chain ends there, and the hip after it is not turned either.
    model.bones[kKnee].position = model.bones[kAnkle].position;
    CModelInstance instance(model);
    instance.boneInstances[kFootIK].translation = {0, 3, -3};
    instance.Update();
    EXPECT_EQ(instance.boneInstances[kKnee].currentRotation, Quaternion{});
    EXPECT_EQ(instance.boneInstances[kLeg].currentRotation, Quaternion{});
    ExpectNear(instance.boneInstances[kAnkle].WorldPosition(), {0, 0, 0});
}

// A link already twisted about the vertical must still swing the effector towards the goal:
// the step is about an axis of the parent's frame, so it follows the link's own rotation.
TEST(ModelInstance, ATwistedLinkStepsTowardsTheGoal)
{
    CModelDocument model;
    model.bones = {Bone("腰", -1, {0, 0, 0}), Bone("足", 0, {0, 0, 0}), Bone("先", 1, {0, -1, 0}),
                   Bone("目標", -1, {0, 0, 0})};
    CModelIK ik;
    ik.ikBone = 3;
    ik.effector = 2;
    ik.iterations = 1;
    ik.limitAngle = 0.1f; // one doubled step of 0.8 rad
    ik.chain = {1};
    model.iks.push_back(ik);
    CModelInstance instance(model);
    const Vector3 goal{0, -std::cos(0.8f), -std::sin(0.8f)};
    instance.boneInstances[1].rotation = QuaternionRotationAxis({0, 1, 0}, kHalfPi);
    instance.boneInstances[3].translation = goal;
    instance.Update();
    ExpectNear(instance.boneInstances[2].WorldPosition(), goal, 1e-5f);
}

// With the goal on the line through link and effector there is no axis to turn about; the
// link keeps its rotation, which stays a unit quaternion however many passes run.
TEST(ModelInstance, ADegenerateAxisLeavesAUnitRotation)
{
    CModelDocument model;
    model.bones = {Bone("腰", -1, {0, 0, 0}), Bone("足", 0, {0, 0, 0}), Bone("先", 1, {0, -1, 0}),
                   Bone("目標", -1, {0, 0, 0})};
    CModelIK ik;
    ik.ikBone = 3;
    ik.effector = 2;
    ik.iterations = 10;
    ik.limitAngle = 0.5f;
    ik.chain = {1};
    model.iks.push_back(ik);
    CModelInstance instance(model);
    const Quaternion twist = QuaternionRotationAxis({0, 1, 0}, 0.5f);
    instance.boneInstances[1].rotation = twist;
    instance.boneInstances[3].translation = {0, 2, 0}; // straight above, opposite the effector
    instance.Update();
    const Quaternion q = instance.boneInstances[1].currentRotation;
    EXPECT_NEAR(QuaternionLength(q), 1.0f, 1e-6f);
    EXPECT_NEAR(q.y, twist.y, 1e-6f);
    ExpectNear(instance.boneInstances[2].WorldPosition(), {0, -1, 0});
}

TEST(ModelInstance, SkinsByWeightAndPushesTheOutline)
{
    CModelDocument model;
    model.bones = {Bone("甲", -1, {0, 0, 0}), Bone("乙", -1, {0, 0, 0})};
    auto vertex = [](int weight, bool noEdge) {
        CModelVertex v;
        v.position = {0, 1, 0};
        v.normal = {1, 0, 0};
        v.uv = {0.5f, 0.25f};
        v.bone0 = 0;
        v.bone1 = 1;
        v.weight = weight;
        v.noEdge = noEdge;
        return v;
    };
    model.vertices = {vertex(100, false), vertex(0, false), vertex(50, false), vertex(100, true)};
    CModelMorph base;
    base.vertices = {{0, {0, 1, 0}}};
    CModelMorph raise;
    raise.type = 1;
    raise.vertices = {{3, {0, 2, 0}}};
    model.morphs = {base, raise};

    CModelInstance instance(model);
    // At creation the mesh is at rest.
    ExpectNear(instance.skinnedVertices[1].position, {0, 1, 0});
    instance.SampleBones([](int nameID) {
        if (nameID == NameToID("甲"))
            return BonePose{{2, 0, 0}, {}};
        return BonePose{{0, 0, 4}, QuaternionRotationAxis({0, 1, 0}, kHalfPi)};
    });
    instance.morphWeights[1] = 0.5f;
    instance.Update();

    const auto& out = instance.skinnedVertices;
    ExpectNear(out[0].position, {2, 1, 0});
    ExpectNear(out[0].normal, {1, 0, 0});
    ExpectNear(out[1].position, {0, 1, 4});
    ExpectNear(out[1].normal, {0, 0, -1});
    // Half of each matrix: the translations average, the normal is renormalised.
    ExpectNear(out[2].position, {1, 1, 2});
    ExpectNear(out[2].normal, Normalize({0.5f, 0, -0.5f}));
    EXPECT_EQ(out[2].uv, (Vector2{0.5f, 0.25f}));
    // The morph raised vertex 3 by half its offset; the base morph is never applied.
    ExpectNear(out[3].position, {2, 2, 0});

    ExpectNear(instance.edgePositions[0], {2.015f, 1, 0});
    ExpectNear(instance.edgePositions[1], {0, 1, 4 - 0.015f});
    ExpectNear(instance.edgePositions[3], out[3].position);
}

TEST(ModelInstance, IndicesOutOfRangeAreInvalidArguments)
{
    auto expectRejected = [](auto change) {
        CModelDocument model = Leg();
        change(model);
        EXPECT_THROW(CModelInstance{model}, InvalidArgumentError);
    };
    expectRejected([](CModelDocument& m) { m.bones[2].parent = 6; });
    expectRejected([](CModelDocument& m) { m.iks[0].ikBone = 6; });
    expectRejected([](CModelDocument& m) { m.iks[0].effector = 6; });
    expectRejected([](CModelDocument& m) { m.iks[0].chain.push_back(6); });
    expectRejected([](CModelDocument& m) { m.bones[0].parent = 2; }); // 0 → 2 → 1 → 0
    expectRejected([](CModelDocument& m) { m.bones[3].parent = 3; });
    expectRejected([](CModelDocument& m) {
        CModelVertex v;
        v.bone0 = 6;
        m.vertices.push_back(v);
    });
    expectRejected([](CModelDocument& m) {
        CModelMorph morph;
        morph.type = 1;
        morph.vertices = {{0, {}}}; // the leg has no vertices
        m.morphs.push_back(morph);
    });
    // A bone a vertex does not follow is never looked up.
    CModelDocument model = Leg();
    CModelVertex v;
    v.bone0 = 1;
    v.bone1 = 65535;
    v.weight = 100;
    model.vertices.push_back(v);
    EXPECT_NO_THROW(CModelInstance{model});
}

TEST(ModelInstance, PosesTheSharedModelsLegs)
{
    const auto path = test::SharedTestData("models/mei/mei.pmd");
    ZELVANE_REQUIRE_SHARED(path);
    const auto model = LoadModelDocument(path);
    CModelInstance instance(*model);
    const int footIK = model->FindBoneIndex(NameToID("左足ＩＫ"));
    const int ankle = model->FindBoneIndex(NameToID("左足首"));
    const int knee = model->FindBoneIndex(NameToID("左ひざ"));
    const int otherAnkle = model->FindBoneIndex(NameToID("右足首"));
    ASSERT_GE(footIK, 0);
    const Vector3 restKnee = model->bones[static_cast<std::size_t>(knee)].position;
    const Vector3 restOther = model->bones[static_cast<std::size_t>(otherAnkle)].position;

    // Lift the left foot forwards: the ankle follows its IK bone, the knee comes forwards
    // and up, and the right leg stays where it stood.
    instance.boneInstances[static_cast<std::size_t>(footIK)].translation = {0, 2, -2};
    instance.Update();
    const Vector3 target = instance.boneInstances[static_cast<std::size_t>(footIK)].WorldPosition();
    ExpectNear(instance.boneInstances[static_cast<std::size_t>(ankle)].WorldPosition(), target,
               0.01f);
    const Vector3 kneeNow = instance.boneInstances[static_cast<std::size_t>(knee)].WorldPosition();
    EXPECT_LT(kneeNow.z, restKnee.z - 0.5f);
    EXPECT_GT(kneeNow.y, restKnee.y);
    ExpectKneeBendsForwards(instance.boneInstances[static_cast<std::size_t>(knee)]);
    ExpectNear(instance.boneInstances[static_cast<std::size_t>(otherAnkle)].WorldPosition(),
               restOther, 1e-3f);

    // Every vertex stays finite and the skinned mesh moved.
    bool moved = false;
    for (std::size_t i = 0; i < model->vertices.size(); ++i) {
        ASSERT_TRUE(std::isfinite(instance.skinnedVertices[i].position.y));
        moved = moved
            || Length(instance.skinnedVertices[i].position - model->vertices[i].position) > 1;
    }
    EXPECT_TRUE(moved);
}
