// PMX skinning: four-bone linear blends, spherical (SDEF) and dual-quaternion (QDEF) blends
// against the linear one where a joint bends, and the lane path against the scalar one; and
// the shared PMD model converted to PMX posing and measuring as the PMD does.
#include "PmxFromModel.h"
#include "PmxTestWriter.h"
#include "PoseTestSupport.h"
#include "model/ModelLoader.h"
#include "model/ModelMeasurements.h"
#include "model/NameIds.h"
#include "model/SkinBlends.h"

#include <cmath>
#include <numbers>

using namespace zelvane;
using namespace zelvane::test;

namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2;

// An arm along +x: the upper arm from the origin, the forearm from the elbow at (4, 0, 0),
// and vertices set up by the test.
CModelDocument Arm()
{
    CModelDocument model;
    model.format = CModelDocument::Format::Pmx20;
    model.bones = {ModelBone("腕"), ModelBone("ひじ", 0, {4, 0, 0})};
    return model;
}

void AddVertex(CModelDocument& model, Vector3 position, VertexSkinning skinning,
               std::array<int, 4> bones, std::array<float, 4> weights)
{
    CModelVertex vertex;
    vertex.position = position;
    vertex.normal = {0, 1, 0};
    model.vertices.push_back(vertex);
    CVertexWeights w;
    w.skinning = skinning;
    w.bones = bones;
    w.weights = weights;
    w.sdefC = {4, 0, 0};
    w.sdefR0 = {4, 0, 0};
    w.sdefR1 = {4, 0, 0};
    model.vertexWeights.push_back(w);
}

// Bends the elbow a quarter turn about Z.
void BendElbow(CModelInstance& instance, float angle = kHalfPi)
{
    instance.SampleBones([&](int id) -> BonePose {
        return id == NameToID("ひじ") ? BonePose{{}, QuaternionRotationAxis({0, 0, 1}, angle)}
                                      : BonePose{};
    });
    instance.Update();
}

TEST(PmxSkinning, FourBoneBlendsWeighTheirBonesScaledToAddUpToOne)
{
    CModelDocument model = Arm();
    model.bones.insert(model.bones.end(), {ModelBone("三"), ModelBone("四")});
    // Weights adding up to two: each counts for half its value.
    AddVertex(model, {0, 0, 0}, VertexSkinning::Bdef4, {0, 1, 2, 3}, {0.2f, 0.4f, 0.6f, 0.8f});
    // The same bone twice counts once with both weights; a bone of weight 0 is not read.
    AddVertex(model, {0, 0, 0}, VertexSkinning::Bdef4, {2, 2, 3, -1}, {0.5f, 0.25f, 0.25f, 0});
    CModelInstance instance(model);
    instance.SampleBones([](int id) -> BonePose {
        if (id == NameToID("腕"))
            return {{1, 0, 0}, {}};
        if (id == NameToID("三"))
            return {{0, 1, 0}, {}};
        if (id == NameToID("四"))
            return {{0, 0, 1}, {}};
        return {};
    });
    instance.Update();
    // ひじ follows 腕's move.
    ExpectNear(instance.skinnedVertices[0].position, {0.1f + 0.2f, 0.3f, 0.4f});
    ExpectNear(instance.skinnedVertices[1].position, {0, 0.75f, 0.25f});
}

TEST(PmxSkinning, SphericalAndDualQuaternionBlendsKeepABentJointsVolumeWhereTheLinearOneShrinks)
{
    CModelDocument model = Arm();
    // Above the elbow, half on each bone, once per kind.
    for (VertexSkinning kind : {VertexSkinning::Bdef2, VertexSkinning::Sdef, VertexSkinning::Qdef})
        AddVertex(model, {4, 1, 0}, kind, {0, 1, -1, -1}, {0.5f, 0.5f, 0, 0});
    // Reference points a unit either side of the centre: each bone carries its point, and
    // the vertex turned about the centre goes with their weighted mean.
    AddVertex(model, {4, 1, 0}, VertexSkinning::Sdef, {0, 1, -1, -1}, {0.5f, 0.5f, 0, 0});
    model.vertexWeights.back().sdefR0 = {3, 0, 0};
    model.vertexWeights.back().sdefR1 = {5, 0, 0};
    CModelInstance instance(model);
    // At rest every kind leaves the vertex where it is.
    BendElbow(instance, 0.0f);
    for (std::size_t i = 0; i < 4; ++i)
        ExpectNear(instance.skinnedVertices[i].position, {4, 1, 0}, 1e-5f);

    BendElbow(instance);
    const Vector3 elbow{4, 0, 0};
    const auto reach
        = [&](std::size_t i) { return Length(instance.skinnedVertices[i].position - elbow); };
    // The linear blend pulls the vertex in towards the elbow: the halves of two turns.
    EXPECT_NEAR(reach(0), std::sqrt(0.5f), 1e-4f);
    // Turned halfway on the sphere about the centre, the vertex keeps its distance.
    EXPECT_NEAR(reach(1), 1.0f, 1e-4f);
    ExpectNear(instance.skinnedVertices[1].position, {4 - std::sqrt(0.5f), std::sqrt(0.5f), 0});
    // The dual quaternion blend is a rigid turn by half the angle about the elbow.
    EXPECT_NEAR(reach(2), 1.0f, 1e-4f);
    ExpectNear(instance.skinnedVertices[2].position, {4 - std::sqrt(0.5f), std::sqrt(0.5f), 0});
    // The points (3.5, 0, 0) and (4.5, 0, 0) go to themselves and to (4, 0.5, 0).
    ExpectNear(instance.skinnedVertices[3].position,
               Vector3{3.75f, 0.25f, 0} + Vector3{-std::sqrt(0.5f), std::sqrt(0.5f), 0});
    // Normals turn halfway as well.
    ExpectNear(instance.skinnedVertices[1].normal, {-std::sqrt(0.5f), std::sqrt(0.5f), 0});
    ExpectNear(instance.skinnedVertices[2].normal, {-std::sqrt(0.5f), std::sqrt(0.5f), 0});
}

TEST(PmxSkinning, TheLanePathAgreesWithTheScalarPathForEveryKind)
{
    CModelDocument model = Arm();
    const VertexSkinning kinds[]
        = {VertexSkinning::Bdef1, VertexSkinning::Bdef2, VertexSkinning::Bdef4,
           VertexSkinning::Sdef, VertexSkinning::Qdef};
    // More vertices of a kind than one run of lanes, with weights and centres that vary.
    for (int i = 0; i < 60; ++i) {
        const float f = static_cast<float>(i);
        const VertexSkinning kind = kinds[i % 5];
        const float w = 0.1f + 0.8f * static_cast<float>(i % 7) / 6.0f;
        AddVertex(model, {f * 0.1f, 1 + std::sin(f), std::cos(f)}, kind, {0, 1, 0, 1},
                  {w, 1 - w, 0.25f, 0.25f});
        model.vertexWeights.back().sdefC = {3.5f + 0.01f * f, 0, 0};
        model.vertexWeights.back().sdefR0 = {3, 0.1f * f, 0};
        model.vertexWeights.back().sdefR1 = {5, 0, -0.1f * f};
    }
    CModelInstance instance(model);
    instance.SampleBones([](int id) -> BonePose {
        if (id == NameToID("腕"))
            return {{0.5f, -1, 2}, QuaternionRotationYawPitchRoll(0.3f, -0.2f, 0.1f)};
        return {{}, QuaternionRotationYawPitchRoll(-0.7f, 0.9f, 1.2f)};
    });
    instance.Update();
    const CSkinnedMesh lanes = instance.skinnedVertices;
    instance.UpdateSkinScalar();
    for (std::size_t i = 0; i < lanes.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectNear(lanes[i].position, instance.skinnedVertices[i].position, 1e-4f);
        ExpectNear(lanes[i].normal, instance.skinnedVertices[i].normal, 1e-5f);
        ExpectNear(lanes.Edge(i), instance.skinnedVertices.Edge(i), 1e-4f);
    }
    // Where nothing bends, the spherical blend is the linear one.
    instance.SampleBones([](int id) -> BonePose {
        return id == NameToID("腕") ? BonePose{{1, 2, 3}, {}} : BonePose{};
    });
    instance.Update();
    for (std::size_t i = 3; i < lanes.size(); i += 5)
        ExpectNear(instance.skinnedVertices[i].position,
                   model.vertices[i].position + Vector3{1, 2, 3});
}

TEST(PmxSkinning, TheSphericalRotationIsTheNormalisedSlerpOfTheTwoTurns)
{
    // Turns from the same to the opposite, with either sign of the quaternion, and weights
    // across the range: the rotation matches the library slerp's within a millionth.
    float worst = 0.0f;
    for (int i = 0; i < 24; ++i) {
        const float f = static_cast<float>(i);
        const Quaternion a = QuaternionRotationYawPitchRoll(0.3f * f, -0.2f * f, 0.1f);
        Quaternion b = QuaternionRotationYawPitchRoll(0.3f * f + 0.13f * f, 0.4f - 0.15f * f,
                                                      0.1f + 0.1f * f);
        if (i % 3 == 0)
            b = {-b.x, -b.y, -b.z, -b.w};
        for (const float weight : {0.01f, 0.2f, 0.5f, 0.77f, 0.99f}) {
            const Matrix expected
                = MatrixRotationQuaternion(QuaternionNormalize(QuaternionSlerp(a, b, weight)));
            const Matrix actual = SphericalRotation(a, b, weight);
            for (int r = 0; r < 4; ++r) {
                for (int c = 0; c < 4; ++c)
                    worst = std::max(worst, std::abs(actual.m[r][c] - expected.m[r][c]));
            }
        }
    }
    EXPECT_LE(worst, 1e-6f);
}

TEST(PmxSkinning, TheSharedModelConvertedToPmxPosesAndMeasuresAsThePmd)
{
    REQUIRE_GREETING();
    const Greeting mei;
    const auto pmxModel = ReadModelFile(PmxTestWriter(PmxFromModel(*mei.model)).Write(), "/m/");
    ASSERT_TRUE(pmxModel->IsPmx());
    ASSERT_EQ(pmxModel->bones.size(), mei.model->bones.size());
    ASSERT_EQ(pmxModel->vertices.size(), mei.model->vertices.size());
    const ModelMeasurements a = MeasureModel(mei.model.get());
    const ModelMeasurements b = MeasureModel(pmxModel.get());
    EXPECT_EQ(std::tie(a.panelSize, a.leftFootRestX, a.rightFootRestX, a.toeReach),
              std::tie(b.panelSize, b.leftFootRestX, b.rightFootRestX, b.toeReach));
    EXPECT_TRUE(MissingDanceBones(*pmxModel).empty());

    // The legs: every IK link and what hangs below it. Their knees may swing about the
    // hip-to-ankle line differently (PMX keeps a knee's turn about its X axis only, where
    // the PMD rule keeps the motion's own twist of it), so they are held to reaching their
    // goals; everything else must match.
    std::vector<bool> leg(mei.model->bones.size(), false);
    for (const CModelIK& ik : mei.model->iks) {
        for (std::uint16_t link : ik.chain)
            leg[link] = true;
    }
    for (std::size_t i = 0; i < leg.size(); ++i) {
        for (int at = mei.model->bones[i].parent; at >= 0 && !leg[i];
             at = mei.model->bones[static_cast<std::size_t>(at)].parent)
            leg[i] = leg[static_cast<std::size_t>(at)];
    }
    CModelInstance pmd(*mei.model);
    CModelInstance pmx(*pmxModel);
    float worstBone = 0;
    float worstVertex = 0;
    float worstLeg = 0;
    for (std::int32_t frame : {0, 30, 60, 95, 150, 200}) {
        mei.Pose(pmd, frame);
        mei.Pose(pmx, frame);
        for (std::size_t i = 0; i < pmd.boneInstances.size(); ++i) {
            const float d = Length(pmd.boneInstances[i].WorldPosition()
                                   - pmx.boneInstances[i].WorldPosition());
            (leg[i] ? worstLeg : worstBone) = std::max(leg[i] ? worstLeg : worstBone, d);
        }
        for (std::size_t i = 0; i < pmd.skinnedVertices.size(); ++i) {
            const CModelVertex& v = mei.model->vertices[i];
            if (leg[static_cast<std::size_t>(v.bone0)] || leg[static_cast<std::size_t>(v.bone1)])
                continue;
            worstVertex = std::max(
                worstVertex,
                Length(pmd.skinnedVertices[i].position - pmx.skinnedVertices[i].position));
        }
        for (const CModelIK& ik : pmxModel->iks) {
            EXPECT_LE(Length(Head(pmx, ik.effector) - Head(pmx, ik.ikBone)),
                      Length(Head(pmd, ik.effector) - Head(pmd, ik.ikBone)) + 0.05f)
                << "frame " << frame;
            // Knees bend forwards only.
            const Quaternion& q = pmx.boneInstances[ik.chain[0]].currentRotation;
            if (mei.model->bones[ik.chain[0]].isKnee) {
                EXPECT_LE(q.x * q.w, 0.0f) << "frame " << frame;
            }
        }
    }
    EXPECT_LT(worstBone, 1e-3f);
    EXPECT_LT(worstVertex, 1e-3f);
    // The model is about 20 units tall.
    EXPECT_LT(worstLeg, 1.0f);
}

} // namespace
