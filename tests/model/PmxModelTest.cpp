// PMX files into the model document, and PMX posing: deform order, inheritance through
// chains, fixed axes, IK with unit angle and link limits, a D-bone leg following its IK leg,
// and IK chains of unusual shape.
#include "PmxTestWriter.h"
#include "PoseTestSupport.h"
#include "model/ModelLoader.h"
#include "model/ModelMeasurements.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <cmath>
#include <numbers>

using namespace zelvane;
using namespace zelvane::test;

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// The angle of a rotation, whichever its sign.
float AngleOf(const Quaternion& q)
{
    return 2.0f * std::acos(std::min(1.0f, std::fabs(q.w)));
}

PmxFile SmallPmx()
{
    PmxFile f;
    f.header.version = 2.1f;
    f.header.encoding = 1;
    f.header.additionalUvCount = 2;
    f.name = "小";
    f.comment = "コメント";
    const Vector3 up{0, 1, 0};
    f.vertices
        = {{.position = up,
            .weightType = PmxWeightType::Sdef,
            .bones = {0, 1, -1, -1},
            .weights = {0.25f, 0, 0, 0},
            .sdefC = up},
           {.position = up, .bones = {1, -1, -1, -1}, .weights = {1, 0, 0, 0}, .edgeScale = 0},
           {.position = up,
            .weightType = PmxWeightType::Qdef,
            .bones = {0, 1, 0, -1},
            .weights = {0.5f, 0.25f, 0.25f, 0},
            .edgeScale = 0.5f}};
    // Two extra UV channels a vertex, each vertex the same.
    for (std::size_t v = 0; v < f.vertices.size(); ++v)
        f.additionalUvs.insert(f.additionalUvs.end(), {{0.25f, 0.75f, 5, 6}, {7, 8, 9, 10}});
    f.indices = {0, 1, 2};
    f.textures = {"tex\\skin.png", "env.spa", "own_toon.bmp"};
    f.materials = {{.flags = 0x11,
                    .edgeColor = {1, 0, 0, 1},
                    .edgeSize = 2,
                    .texture = 0,
                    .sphereTexture = 1,
                    .sphereMode = 2,
                    .toon = 2,
                    .indexCount = 3}};
    PmxBone root = PmxBoneAt("センター", -1, {0, 1, 0}, PmxBone::kTranslatable);
    PmxBone child = PmxBoneAt("子", 0, {0, 2, 0}, PmxBone::kInheritRotation | PmxBone::kFixedAxis);
    child.inheritParent = 0;
    child.inheritRatio = 0.5f;
    child.fixedAxis = {0, 0, 1};
    child.layer = 2;
    PmxBone ik = PmxBoneAt("IK", -1, {0, 2, 0}, PmxBone::kIK | PmxBone::kAfterPhysics);
    ik.ikTarget = 1;
    ik.ikLoopCount = 7;
    ik.ikUnitAngle = 0.25f;
    ik.ikLinks = {{0, true, {-1, 0, 0}, {0, 0, 0}}};
    f.bones = {root, child, ik};
    f.morphs = {{.name = "あ", .kind = PmxMorphKind::Vertex, .vertices = {{2, {0, 1, 0, 0}}}},
                {.name = "骨",
                 .panel = 3,
                 .kind = PmxMorphKind::Bone,
                 .bones = {{1, {0, 1, 0}, {0, 0, 0, 1}}}}};
    return f;
}

TEST(PmxModel, LoadsIntoTheModelDocumentBesideTheSharedData)
{
    const auto bytes = PmxTestWriter(SmallPmx()).Write();
    const auto model = ReadModelFile(bytes, "/m/");
    ASSERT_TRUE(model->IsPmx());
    EXPECT_EQ(model->format, CModelDocument::Format::Pmx21);
    EXPECT_EQ(std::tie(model->name, model->comment), std::tie("小", "コメント"));

    ASSERT_EQ(model->vertexWeights.size(), 3u);
    const auto& weights = model->vertexWeights;
    EXPECT_EQ(
        std::tie(weights[0].skinning, weights[0].weights, weights[1].weights, weights[2].skinning),
        std::make_tuple(VertexSkinning::Sdef, std::array<float, 4>{0.25f, 0.75f, 0, 0},
                        std::array<float, 4>{1, 0, 0, 0}, VertexSkinning::Qdef));
    // What a PMD reader would see of them.
    const auto& v = model->vertices;
    EXPECT_EQ(std::tie(v[0].bone0, v[0].bone1, v[0].weight, v[0].noEdge, v[1].noEdge),
              std::make_tuple(0, 1, 25, false, true));
    // The outline's share and the first extra UV, which the 3D view draws with.
    EXPECT_EQ(model->edgeScales, (std::vector<float>{1, 0, 0.5f}));
    ASSERT_EQ(model->subTextureUVs.size(), 3u);
    EXPECT_EQ(std::tie(model->subTextureUVs[0].x, model->subTextureUVs[0].y),
              std::make_tuple(0.25f, 0.75f));
    EXPECT_EQ(model->indices, (std::vector<std::uint32_t>{0, 1, 2}));

    const CModelMaterial& m = model->materials[0];
    EXPECT_EQ(
        std::tie(m.texturePath, m.spherePath, m.sphereAdd, m.sphereMode, m.toonIndex, m.toonPath),
        std::make_tuple("/m/tex/skin.png", "/m/env.spa", true, 2, -1, "/m/own_toon.bmp"));
    EXPECT_EQ(std::tie(m.edge, m.edgeColor, m.flags, m.edgeSize, m.faceVertexCount),
              std::make_tuple(true, Color4{1, 0, 0, 1}, std::uint8_t{0x11}, 2.0f, 3));
    EXPECT_EQ(std::tie(model->toonPaths[0], model->toonPaths[9]),
              std::make_tuple("/m/toon01.bmp", "/m/toon10.bmp"));

    const CModelBone& child = model->bones[1];
    EXPECT_EQ(std::tie(child.nameID, child.inheritParent, child.inheritRatio, child.layer,
                       child.fixedAxis),
              std::make_tuple(NameToID("子"), 0, 0.5f, 2, Vector3{0, 0, 1}));
    EXPECT_TRUE(child.Has(CModelBone::kInheritRotation) && child.Has(CModelBone::kFixedAxis));
    EXPECT_FALSE(model->bones[0].isKnee);
    ASSERT_EQ(model->iks.size(), 1u);
    const CModelIK& ik = model->iks[0];
    EXPECT_EQ(std::tie(ik.ikBone, ik.effector, ik.iterations, ik.limitAngle, ik.chain),
              std::make_tuple(2, 1, 7, 0.25f, std::vector<std::uint16_t>{0}));
    ASSERT_EQ(ik.limits.size(), 1u);
    EXPECT_EQ(std::tie(ik.limits[0].limited, ik.limits[0].lower),
              std::make_tuple(true, Vector3{-1, 0, 0}));

    // A vertex morph on the system panel moves vertices and is not taken for PMD's base
    // morph; a bone morph keeps its name and moves no vertex.
    ASSERT_EQ(model->morphs.size(), 2u);
    const auto& morphs = model->morphs;
    EXPECT_EQ(std::tuple(morphs[0].type, morphs[0].pmxKind, morphs[0].vertices.size(),
                         morphs[1].type, morphs[1].pmxKind, morphs[1].vertices.size()),
              std::tuple(4, 1, 1u, 3, 2, 0u));

    // The vertex morph moves its vertex when weighted.
    CModelInstance instance(*model);
    instance.morphWeights[0] = 1.0f;
    instance.Update();
    ExpectNear(instance.skinnedVertices[2].position, {0, 2, 0});
}

TEST(PmxModel, FilesArePickedByTheirFirstBytes)
{
    // A PMD goes on to the PMD reader as before; a PMX that is cut is refused by the PMX
    // reader.
    const auto pmd = ReadModelFile(std::vector<std::uint8_t>(283, 0), "/m/");
    EXPECT_FALSE(pmd->IsPmx());
    auto bytes = PmxTestWriter(SmallPmx()).Write();
    bytes.resize(bytes.size() - 3);
    EXPECT_THROW(ReadModelFile(bytes, "/m/"), FileFormatError);
}

TEST(PmxModel, AModelOfMoreVerticesThanSixteenBitsNumberLoadsAndSkins)
{
    // Faces that name vertices past 65535 keep their whole index, and those vertices follow
    // their bones like the first ones.
    PmxFile large = SmallPmx();
    large.bones.pop_back(); // no IK to pull the moved bones back
    large.header.vertexIndexSize = 4;
    large.vertices.resize(70000, large.vertices[1]);
    large.vertices.back().position = {5, 6, 7};
    large.indices.insert(large.indices.end(), {65536, 69999, 2});
    large.materials[0].indexCount = 6;
    const auto model = ReadModelFile(PmxTestWriter(large).Write(), "/m/");
    ASSERT_EQ(model->vertices.size(), 70000u);
    EXPECT_EQ(model->indices, (std::vector<std::uint32_t>{0, 1, 2, 65536, 69999, 2}));

    CModelInstance instance(*model);
    instance.SampleBones([](int id) -> BonePose {
        if (id == NameToID("センター"))
            return {{1, 2, 3}, Quaternion{}};
        return {};
    });
    instance.Update();
    ASSERT_EQ(instance.skinnedVertices.size(), 70000u);
    ExpectNear(instance.skinnedVertices[69999].position, {6, 8, 10});
    ExpectNear(instance.skinnedVertices[65536].position, {1, 3, 3});
    ExpectNear(instance.skinnedVertices[1].position, {1, 3, 3});
}

// A CModelDocument as a PMX model, built bone by bone.
struct PmxModel {
    CModelDocument model;

    PmxModel() { model.format = CModelDocument::Format::Pmx20; }

    int Add(const char* name, int parent, Vector3 position, std::uint16_t flags = 0, int layer = 0)
    {
        model.bones.push_back(ModelBone(name, parent, position));
        model.bones.back().flags = flags;
        model.bones.back().layer = layer;
        return static_cast<int>(model.bones.size()) - 1;
    }

    void Inherit(int bone, int from, float ratio, std::uint16_t flags)
    {
        CModelBone& b = model.bones[static_cast<std::size_t>(bone)];
        b.flags |= flags;
        b.inheritParent = from;
        b.inheritRatio = ratio;
    }
};

Quaternion Turn(const CModelInstance& instance, int bone)
{
    return QuaternionRotationMatrix(instance.boneInstances[static_cast<std::size_t>(bone)].world);
}

TEST(PmxPosing, BonesDeformByLayerThenIndexWithAfterPhysicsBonesLast)
{
    PmxModel m;
    m.Add("a", -1, {}, CModelBone::kAfterPhysics, 0);
    m.Add("b", -1, {}, 0, 3);
    m.Add("c", -1, {}, 0, -1);
    m.Add("d", -1, {}, 0, 3);
    m.Add("e", -1, {}, CModelBone::kAfterPhysics, -2);
    m.Add("f", -1, {}, 0, 0);
    CModelInstance instance(m.model);
    ASSERT_NE(instance.pmxPoser(), nullptr);
    EXPECT_EQ(instance.pmxPoser()->deformOrder(), (std::vector<std::uint32_t>{2, 5, 1, 3, 4, 0}));
}

TEST(PmxPosing, InheritedRotationAndMovementFollowChainsWithTheirRatios)
{
    PmxModel m;
    const int source = m.Add("源", -1, {0, 0, 0});
    const int half = m.Add("半", -1, {0, 0, 0}, 0, 1);
    const int back = m.Add("逆", -1, {0, 0, 0}, 0, 2);
    const int twice = m.Add("倍", -1, {0, 5, 0}, 0, 1);
    // Local inheritance takes the source's whole turn, its parent's included.
    const int parent = m.Add("親", -1, {0, 0, 0});
    const int child = m.Add("子", parent, {0, 0, 0});
    const int local = m.Add("局", -1, {0, 0, 0}, 0, 1);
    const int plain = m.Add("並", -1, {0, 0, 0}, 0, 1);
    m.Inherit(half, source, 0.5f, CModelBone::kInheritRotation);
    m.Inherit(back, half, -1.0f, CModelBone::kInheritRotation | CModelBone::kInheritTranslation);
    m.Inherit(twice, source, 2.0f, CModelBone::kInheritTranslation);
    m.Inherit(local, child, 1.0f, CModelBone::kInheritRotation | CModelBone::kInheritLocal);
    m.Inherit(plain, child, 1.0f, CModelBone::kInheritRotation);
    CModelInstance instance(m.model);
    const float angle = 0.8f;
    instance.SampleBones([&](int id) -> BonePose {
        if (id == NameToID("源"))
            return {{1, 2, 3}, QuaternionRotationAxis({0, 1, 0}, angle)};
        if (id == NameToID("親") || id == NameToID("子"))
            return {{}, QuaternionRotationAxis({1, 0, 0}, 0.3f)};
        return {};
    });
    instance.Update();
    // 半 turns half as far about the same axis; 逆 turns back by what 半 turned, and moves
    // by nothing since 半 did not move.
    const Quaternion h = Turn(instance, half);
    EXPECT_NEAR(AngleOf(h), angle / 2, 1e-5f);
    EXPECT_NEAR(h.y, std::sin(angle / 4), 1e-5f);
    const Quaternion b = Turn(instance, back);
    EXPECT_NEAR(b.y, -std::sin(angle / 4), 1e-5f);
    ExpectNear(Head(instance, back), {0, 0, 0});
    // 倍 moves twice as far as 源 and does not turn.
    ExpectNear(Head(instance, twice), {2, 9, 6});
    EXPECT_NEAR(AngleOf(Turn(instance, twice)), 0.0f, 1e-5f);
    // Local: 0.6 about X (its parent's and its own); not local: its own 0.3 only.
    EXPECT_NEAR(AngleOf(Turn(instance, local)), 0.6f, 1e-5f);
    EXPECT_NEAR(AngleOf(Turn(instance, plain)), 0.3f, 1e-5f);
}

TEST(PmxPosing, AFixedAxisBoneTurnsOnlyAboutItsAxis)
{
    PmxModel m;
    const int twist = m.Add("捩", -1, {0, 0, 0}, CModelBone::kFixedAxis);
    m.model.bones[0].fixedAxis = {0, 0, 2};
    CModelInstance instance(m.model);
    instance.SampleBones([](int) -> BonePose {
        return {{}, QuaternionRotationYawPitchRoll(0.4f, 0.3f, 0.5f)};
    });
    instance.Update();
    const Quaternion q = Turn(instance, twist);
    EXPECT_NEAR(q.x, 0.0f, 1e-6f);
    EXPECT_NEAR(q.y, 0.0f, 1e-6f);
    EXPECT_GT(std::fabs(q.z), 0.1f);
}

// A left leg of a PMX model: hip 10 units up, knee at 5, ankle on the floor, a foot IK bone
// at the ankle solved before the D-bones of a later layer, which copy the leg's turns.
struct DLeg : PmxModel {
    int center = Add("センター", -1, {0, 11, 0});
    int leg = Add("左足", center, {0, 10, 0});
    int knee = Add("左ひざ", leg, {0, 5, -0.1f});
    int ankle = Add("左足首", knee, {0, 0, 0});
    int footIK = Add("左足ＩＫ", center, {0, 0, 0});
    int legD = Add("左足D", center, {0, 10, 0}, 0, 1);
    int kneeD = Add("左ひざD", legD, {0, 5, -0.1f}, 0, 1);
    int ankleD = Add("左足首D", kneeD, {0, 0, 0}, 0, 1);

    DLeg()
    {
        Inherit(legD, leg, 1.0f, CModelBone::kInheritRotation);
        Inherit(kneeD, knee, 1.0f, CModelBone::kInheritRotation);
        Inherit(ankleD, ankle, 1.0f, CModelBone::kInheritRotation);
        CModelIK ik;
        ik.ikBone = footIK;
        ik.effector = ankle;
        ik.iterations = 40;
        ik.limitAngle = 0.5f;
        ik.chain = {static_cast<std::uint16_t>(knee), static_cast<std::uint16_t>(leg)};
        ik.limits = {{true, {-kPi, 0, 0}, {-0.008f, 0, 0}}, {}};
        model.iks = {ik};
    }
};

TEST(PmxPosing, ADBoneLegFollowsItsIKLegAndTheKneeBendsForwardsOnly)
{
    DLeg leg;
    CModelInstance instance(leg.model);
    for (const Vector3 goal : {Vector3{0, 3, -2}, Vector3{0.5f, 1, 1}, Vector3{-1, 4, 0}}) {
        instance.SampleBones([&](int id) -> BonePose {
            return id == NameToID("左足ＩＫ") ? BonePose{goal, {}} : BonePose{};
        });
        instance.Update();
        ExpectNear(Head(instance, leg.ankle), Head(instance, leg.footIK), 5e-3f);
        ExpectNear(Head(instance, leg.ankleD), Head(instance, leg.ankle), 1e-4f);
        ExpectNear(Head(instance, leg.kneeD), Head(instance, leg.knee), 1e-4f);
        const Quaternion q
            = instance.boneInstances[static_cast<std::size_t>(leg.knee)].currentRotation;
        EXPECT_NEAR(q.y, 0.0f, 1e-5f);
        EXPECT_NEAR(q.z, 0.0f, 1e-5f);
        EXPECT_LT(q.x * q.w, 0.0f) << "the knee bends backwards";
    }
}

TEST(PmxPosing, ChainsTurnByTheUnitAngleAndStayWithinTheirLimits)
{
    PmxModel m;
    const int hip = m.Add("腰", -1, {0, 0, 0});
    const int link = m.Add("足", hip, {0, 0, 0});
    const int tip = m.Add("先", link, {0, -1, 0});
    const int goal = m.Add("目標", -1, {0, 0, 0});
    CModelIK ik;
    ik.ikBone = goal;
    ik.effector = tip;
    ik.iterations = 1;
    ik.limitAngle = 0.1f;
    ik.chain = {static_cast<std::uint16_t>(link)};
    m.model.iks = {ik};
    const auto solve = [&](const CModelDocument& model) {
        auto instance = std::make_unique<CModelInstance>(model);
        instance->SampleBones([&](int id) -> BonePose {
            return id == NameToID("目標") ? BonePose{{0, 0, -1}, {}} : BonePose{};
        });
        instance->Update();
        return instance;
    };
    // One pass turns the link by the unit angle, towards the goal a quarter turn away.
    auto one = solve(m.model);
    EXPECT_NEAR(AngleOf(one->boneInstances[static_cast<std::size_t>(link)].currentRotation), 0.1f,
                1e-5f);
    EXPECT_EQ(one->ikLinkUpdates, 1u);
    // Many passes reach it.
    m.model.iks[0].iterations = 100;
    ExpectNear(Head(*solve(m.model), tip), {0, 0, -1}, 1e-3f);
    // Limited to half a radian about X, it stops there.
    m.model.iks[0].limits = {{true, {-0.5f, 0, 0}, {0.5f, 0, 0}}};
    auto limited = solve(m.model);
    EXPECT_NEAR(AngleOf(limited->boneInstances[static_cast<std::size_t>(link)].currentRotation),
                0.5f, 1e-4f);
    ExpectNear(Head(*limited, tip), {0, -std::cos(0.5f), -std::sin(0.5f)}, 1e-3f);
}

TEST(PmxPosing, ModelsLackingDanceBonesAreToldWhich)
{
    DLeg leg;
    const std::vector<int> missing = MissingDanceBones(leg.model);
    EXPECT_EQ(missing,
              (std::vector<int>{IDS_BONE_UPPER_BODY, IDS_BONE_RIGHT_FOOT_IK, IDS_BONE_NECK,
                                IDS_BONE_LEFT_TOE_IK}));
}

PmxBone IKBone(int target, std::vector<PmxIKLink> links)
{
    PmxBone ik = PmxBoneAt("目標", -1, {0, 0, 0});
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

TEST(PmxIKChain, LinksInAnyOrderAndBesideTheEffectorLeaveEveryBoneWithItsParent)
{
    // センター - upper - lower - tip, with a branch off upper and a side bone (with its tip)
    // off the centre.
    // The chain names lower twice and side, which is not above the tip; the bones the chain
    // moved are upper's and side's subtrees, whichever order they are named in.
    enum { kCenter, kUpper, kLower, kTip, kBranch, kSide, kSideTip, kGoal };
    const auto model = ReadModelFile(
        PmxTestWriter(
            Model({PmxBoneAt("センター", -1, {0, 0, 0}), PmxBoneAt("上", kCenter, {0, -1, 0}),
                   PmxBoneAt("下", kUpper, {0, -2, 0}), PmxBoneAt("先", kLower, {0, -3, 0}),
                   PmxBoneAt("枝", kUpper, {1, -1, 0}), PmxBoneAt("脇", kCenter, {-1, 0, 0}),
                   PmxBoneAt("脇先", kSide, {-2, 0, 0}),
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
    std::vector<PmxBone> bones{PmxBoneAt("センター", -1, {0, 0, 0})};
    for (int i = 1; i <= kSide; ++i)
        bones.push_back(PmxBoneAt("骨", 0, {static_cast<float>(i), 0, 0}));
    const int arm = kSide + 1;
    const int tip = kSide + 2;
    bones.push_back(PmxBoneAt("腕", 0, {0, -1, 0}));
    bones.push_back(PmxBoneAt("先", arm, {0, -2, 0}));
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

} // namespace
