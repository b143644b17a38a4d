#include "PoseTestSupport.h"
#include "model/ModelMeasurements.h"
#include "text/Errors.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

using namespace zelvane;
using namespace zelvane::test;

namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2;

enum LegBone { kCenter, kLeg, kKnee, kAnkle, kFootIK, kToe };

// A left leg standing straight: hip 10 units up, knee at 5, ankle on the floor, a toe in
// front (models face -z), and a foot IK bone at the ankle.
CModelDocument Leg()
{
    CModelDocument model;
    model.bones = {ModelBone("センター", -1, {0, 11, 0}),
                   ModelBone("左足", kCenter, {0, 10, 0}),
                   ModelBone("左ひざ", kLeg, {0, 5, -0.1f}),
                   ModelBone("左足首", kKnee),
                   ModelBone("左足ＩＫ"),
                   ModelBone("左つま先", kAnkle, {0, 0, -2})};
    model.bones[kKnee].isKnee = true;
    model.iks = {{kFootIK, kAnkle, 40, 0.1f, {kKnee, kLeg}}};
    return model;
}

// One link hanging a unit below its parent, and a goal bone.
CModelDocument OneLink(int iterations, float limitAngle)
{
    CModelDocument model;
    model.bones
        = {ModelBone("腰"), ModelBone("足", 0), ModelBone("先", 1, {0, -1, 0}), ModelBone("目標")};
    model.iks = {{3, 2, iterations, limitAngle, {1}}};
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
    model.bones = {ModelBone("親", -1, {1, 0, 0}), ModelBone("子", 0, {1, 0, 2})};
    CModelInstance instance(model);
    CBoneInstance& parent = instance.boneInstances[0];
    CBoneInstance& child = instance.boneInstances[1];
    parent.rotation = QuaternionRotationAxis({0, 1, 0}, kHalfPi);
    parent.translation = {0, 3, 0};
    child.translation = {0, 0, 1};
    instance.UpdateBones();
    // The parent's head stays put and moves up; the child, 2 units along +z from it, first
    // moves by its own translation, then swings with the parent to +x.
    ExpectNear(parent.WorldPosition(), {1, 3, 0});
    ExpectNear(child.WorldPosition(), {4, 3, 0});
}

TEST(ModelInstance, IKReachesGoalsAndTheKneeNeverBendsBackwards)
{
    const CModelDocument model = Leg();
    CModelInstance instance(model);
    const auto& bones = instance.boneInstances;
    for (const Vector3 goal : {Vector3{0, 2, -1}, Vector3{0.5f, 3, 2}, Vector3{-1, 1, -3}}) {
        SCOPED_TRACE(goal.z);
        instance.boneInstances[kFootIK].translation = goal;
        instance.Update();
        // Single-precision acos cannot resolve turns below about 3e-4 rad, which is 3e-3 at
        // the end of a 10-unit leg.
        ExpectNear(bones[kAnkle].WorldPosition(), goal, 1e-2f);
        // The knee comes forwards (-z) of the line from hip to ankle.
        const Vector3 hip = bones[kLeg].WorldPosition();
        const Vector3 knee = bones[kKnee].WorldPosition();
        EXPECT_LT(knee.z, hip.z + (goal.z - hip.z) * (hip.y - knee.y) / (hip.y - goal.y));
        // The toe, below the effector, follows it.
        EXPECT_NEAR(Length(bones[kToe].WorldPosition() - bones[kAnkle].WorldPosition()), 2.0f,
                    1e-4f);
    }
    // Goals all around, including behind and out of reach: the knee hinges only one way.
    for (float z = -12; z <= 12; z += 3) {
        for (float y = -4; y <= 12; y += 4) {
            instance.boneInstances[kFootIK].translation = {0.3f, y, z};
            instance.Update();
            ExpectKneeBendsForwards(bones[kKnee]);
        }
    }
}

TEST(ModelInstance, IKWithoutAnAxisKeepsTheRotationAndATwistedLinkStillSteps)
{
    // The knee exactly on the ankle: no turn of it moves the ankle, so the pass over the
    // chain ends there and the hip after it is not turned either.
    CModelDocument leg = Leg();
    leg.bones[kKnee].position = leg.bones[kAnkle].position;
    CModelInstance bent(leg);
    bent.boneInstances[kFootIK].translation = {0, 3, -3};
    bent.Update();
    EXPECT_EQ(bent.boneInstances[kKnee].currentRotation, Quaternion{});
    EXPECT_EQ(bent.boneInstances[kLeg].currentRotation, Quaternion{});
    ExpectNear(bent.boneInstances[kAnkle].WorldPosition(), {0, 0, 0});

    // The goal straight above, on the line through link and effector: no axis to turn about;
    // the link keeps its twist, a unit quaternion however many passes run.
    const CModelDocument tenPasses = OneLink(10, 0.5f);
    CModelInstance straight(tenPasses);
    const Quaternion twist = QuaternionRotationAxis({0, 1, 0}, 0.5f);
    straight.boneInstances[1].rotation = twist;
    straight.boneInstances[3].translation = {0, 2, 0};
    straight.Update();
    const Quaternion q = straight.boneInstances[1].currentRotation;
    EXPECT_NEAR(QuaternionLength(q), 1.0f, 1e-6f);
    EXPECT_NEAR(q.y, twist.y, 1e-6f);
    ExpectNear(straight.boneInstances[2].WorldPosition(), {0, -1, 0});

    // A link twisted a quarter turn still swings the effector onto the goal in one doubled
    // step of 0.8 rad: the step is about an axis of the parent's frame.
    const CModelDocument onePass = OneLink(1, 0.1f);
    CModelInstance twisted(onePass);
    const Vector3 goal{0, -std::cos(0.8f), -std::sin(0.8f)};
    twisted.boneInstances[1].rotation = QuaternionRotationAxis({0, 1, 0}, kHalfPi);
    twisted.boneInstances[3].translation = goal;
    twisted.Update();
    ExpectNear(twisted.boneInstances[2].WorldPosition(), goal);
}

TEST(ModelInstance, SkinsByWeightAndPushesTheOutline)
{
    CModelDocument model;
    model.bones = {ModelBone("甲"), ModelBone("乙")};
    for (const auto& [weight, noEdge] :
         {std::pair{100, false}, {0, false}, {50, false}, {100, true}})
        model.vertices.push_back({{0, 1, 0}, {1, 0, 0}, {0.5f, 0.25f}, 0, 1, weight, noEdge});
    // The base morph holds rest positions; the other raises vertex 3.
    model.morphs = {{0, "", 0, {{0, {0, 1, 0}}}}, {0, "", 1, {{3, {0, 2, 0}}}}};
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
    // The outline is pushed out along the normal, except where the vertex has none.
    ExpectNear(instance.skinnedVertices.Edge(0), {2.015f, 1, 0});
    ExpectNear(instance.skinnedVertices.Edge(1), {0, 1, 4 - 0.015f});
    ExpectNear(instance.skinnedVertices.Edge(3), out[3].position);
}

TEST(ModelInstance, NormalsComeOutOfUnitLengthFromAnyNormalAndAnyTurn)
{
    // Normals of the file of any length but zero, a vertex on one bone, one between two, and
    // a turn that is not of unit length (a motion may hold one): each normal comes out of
    // unit length, lanes and scalar path alike; a zero normal stays zero.
    CModelDocument model;
    model.bones = {ModelBone("甲"), ModelBone("乙")};
    for (const auto& [normal, weight] : {std::pair{Vector3{0, 3, 0}, 100},
                                         {{0.2f, 0, 0.1f}, 100},
                                         {{0, 0, 2}, 40},
                                         {{0, 0, 0}, 100}})
        model.vertices.push_back({{1, 1, 0}, normal, {}, 0, 1, weight, false});
    CModelInstance instance(model);
    for (const float scale : {1.0f, 1.5f}) {
        SCOPED_TRACE(scale);
        const Quaternion turn = QuaternionRotationAxis(Normalize({1, 2, 3}), 0.9f);
        instance.SampleBones([&](int) {
            return BonePose{{}, {turn.x * scale, turn.y * scale, turn.z * scale, turn.w * scale}};
        });
        for (const bool lanes : {true, false}) {
            instance.UpdateBones();
            lanes ? instance.UpdateSkin() : instance.UpdateSkinScalar();
            for (std::size_t i = 0; i < 3; ++i)
                EXPECT_NEAR(Length(instance.skinnedVertices[i].normal), 1.0f, 1e-5f) << i;
            EXPECT_EQ(instance.skinnedVertices[3].normal, Vector3{});
        }
    }
}

TEST(ModelInstance, IndicesOutOfRangeAreInvalidArguments)
{
    const auto vertex
        = [](int bone0, int bone1) { return CModelVertex{{}, {}, {}, bone0, bone1, 100}; };
    const std::function<void(CModelDocument&)> changes[] = {
        [](CModelDocument& m) { m.bones[2].parent = 6; },
        [](CModelDocument& m) { m.iks[0].ikBone = 6; },
        [](CModelDocument& m) { m.iks[0].effector = 6; },
        [](CModelDocument& m) { m.iks[0].chain.push_back(6); },
        [](CModelDocument& m) { m.bones[0].parent = 2; }, // 0 → 2 → 1 → 0
        [](CModelDocument& m) { m.bones[3].parent = 3; },
        [&](CModelDocument& m) { m.vertices.push_back(vertex(6, 0)); },
        // A morph of a vertex the model does not have.
        [](CModelDocument& m) {
            m.morphs.push_back({0, "", 1, {{0, {}}}});
        },
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        CModelDocument model = Leg();
        changes[i](model);
        EXPECT_THROW(CModelInstance{model}, InvalidArgumentError) << i;
    }
    // A bone a vertex does not follow is never looked up.
    CModelDocument model = Leg();
    model.vertices.push_back(vertex(1, 65535));
    EXPECT_NO_THROW(CModelInstance{model});
}

// The demo mannequin the project ships, read back whole (it is posed in PoseFastPathTest).
TEST(Mannequin, HasTheSkeletonTheDanceNeedsWholeAndSizedForTheDefaults)
{
    const auto model = LoadModelDocument(test::ProjectFile("resources/mannequin/mannequin.pmd"));
    // Every built-in bone name except the eyes and the non-bone texts.
    for (int id = 500; id <= 552; ++id)
        EXPECT_TRUE(id == 503 || id == 505 || id == 506 || (id >= 547 && id <= 549)
                    || model->FindBone(id))
            << IDToName(id);
    EXPECT_TRUE(model->FindBone(509)->isKnee && model->FindBone(527)->isKnee);

    // The foot chains end at the ankles and turn knee then hip; the toe chains turn the ankle.
    ASSERT_EQ(model->iks.size(), 4u);
    auto id = [&](int bone) { return model->bones[static_cast<std::size_t>(bone)].nameID; };
    const CModelIK& leftFoot = model->iks[0];
    EXPECT_EQ(std::tuple(id(leftFoot.ikBone), IDToName(id(leftFoot.effector)),
                         id(leftFoot.chain[0]), id(leftFoot.chain[1])),
              std::tuple(507, "左足首", 509, 501));
    EXPECT_EQ(std::tuple(id(model->iks[1].ikBone), id(model->iks[1].chain[0]),
                         id(model->iks[2].ikBone), id(model->iks[3].ikBone)),
              std::tuple(508, 527, 551, 552));

    const ModelMeasurements measured = MeasureModel(model.get());
    EXPECT_FLOAT_EQ(measured.panelSize, ModelMeasurements::kDefaultPanelSize);
    EXPECT_FLOAT_EQ(measured.leftFootRestX, ModelMeasurements::kDefaultLeftFootRestX);
    EXPECT_FLOAT_EQ(measured.rightFootRestX, ModelMeasurements::kDefaultRightFootRestX);
    EXPECT_FLOAT_EQ(measured.toeReach, ModelMeasurements::kDefaultToeReach);

    // The faces name vertices the model has.
    EXPECT_TRUE(std::ranges::all_of(model->indices,
                                    [&](std::uint32_t i) { return i < model->vertices.size(); }));
    // Joint vertices follow two bones half and half: the knee's box meets the thigh's, with
    // the near end of the shin box, four corners on three faces.
    int blended = 0;
    for (const CModelVertex& vertex : model->vertices)
        blended += vertex.weight == 50 && vertex.bone0 == model->FindBoneIndex(509);
    EXPECT_EQ(blended, 12);
}
