// The fast posing paths against the plain ones: lane skinning against one vertex at a time
// and against the full 4 × 4 matrix formula, IK that stops early against IK that runs every
// iteration, and chains solved side by side against the same chains one after the other.
#include "PoseTestSupport.h"
#include "model/NameIds.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zelvane {
namespace {

using test::Greeting;

float Distance(const Vector3& a, const Vector3& b)
{
    return Length(a - b);
}

// A vertex as the whole blended matrix takes it: the point and the point one normal away,
// divided by w, the normal their normalised difference.
SkinnedVertex FullMatrixVertex(const CModelInstance& instance, std::size_t i,
                               const Vector3& position)
{
    const CModelVertex& vertex = instance.model->vertices[i];
    const auto world = [&](int bone) -> const Matrix& {
        return instance.boneInstances[static_cast<std::size_t>(bone)].world;
    };
    // Below 1 % only bone1 counts, above 99 % only bone0; the other may name no bone.
    const int w = vertex.weight > 99 ? 100 : vertex.weight < 1 ? 0 : vertex.weight;
    const Matrix& a = world(w == 0 ? vertex.bone1 : vertex.bone0);
    const Matrix& b = world(w == 100 ? vertex.bone0 : vertex.bone1);
    Matrix m;
    for (int k = 0; k < 16; ++k)
        m.m[k / 4][k % 4] = w * a.m[k / 4][k % 4] * 0.01f + (100 - w) * b.m[k / 4][k % 4] * 0.01f;
    const Vector3 p = TransformCoord(position, m);
    return {p, Normalize(TransformCoord(position + vertex.normal, m) - p), vertex.uv};
}

TEST(PoseFastPaths, LaneSkinningMatchesTheScalarPathAndTheFullMatrix)
{
    REQUIRE_GREETING();
    const Greeting greeting;
    const CModelDocument& model = *greeting.model;
    CModelInstance instance(model);
    ASSERT_GT(model.morphs.size(), 2u);
    std::vector<Vector3> morphed(model.vertices.size());
    for (const std::int32_t frame : {0, 13, 30, 47, 52}) {
        SCOPED_TRACE(frame);
        greeting.Sample(instance, frame);
        // Some frames with morphs, so both the rest and the morphed positions are skinned.
        std::fill(instance.morphWeights.begin(), instance.morphWeights.end(), 0.0f);
        if (frame % 2 == 0) {
            instance.morphWeights[1] = 0.75f;
            instance.morphWeights.back() = 0.5f;
        }
        for (std::size_t i = 0; i < model.vertices.size(); ++i)
            morphed[i] = model.vertices[i].position;
        for (std::size_t m = 0; m < model.morphs.size(); ++m) {
            if (model.morphs[m].type == CModelMorph::kBaseType || instance.morphWeights[m] == 0)
                continue;
            for (const CModelMorphVertex& v : model.morphs[m].vertices)
                morphed[static_cast<std::size_t>(v.index)] += v.offset * instance.morphWeights[m];
        }

        instance.UpdateBones();
        instance.SolveIK();
        instance.UpdateSkin();
        const CSkinnedMesh lanes = instance.skinnedVertices;
        instance.UpdateSkinScalar();
        float worstScalar = 0.0f, worstFull = 0.0f;
        for (std::size_t i = 0; i < model.vertices.size(); ++i) {
            const SkinnedVertex& scalar = instance.skinnedVertices[i];
            const SkinnedVertex full = FullMatrixVertex(instance, i, morphed[i]);
            worstScalar = std::max({worstScalar, Distance(lanes[i].position, scalar.position),
                                    Distance(lanes[i].normal, scalar.normal),
                                    Distance(lanes.Edge(i), instance.skinnedVertices.Edge(i))});
            worstFull = std::max({worstFull, Distance(lanes[i].position, full.position),
                                  Distance(lanes[i].normal, full.normal)});
            ASSERT_EQ(lanes[i].uv, model.vertices[i].uv) << i;
        }
        // The two paths differ only where the processor fuses a multiply and an add.
        EXPECT_LE(worstScalar, 1e-5f);
        EXPECT_LE(worstFull, 1e-5f);
    }
    // Without outlines the outline mesh is left as it was.
    instance.outlines = false;
    const CSkinnedMesh before = instance.skinnedVertices;
    greeting.Pose(instance, 20);
    for (std::size_t i = 0; i < model.vertices.size(); ++i)
        ASSERT_EQ(instance.skinnedVertices.Edge(i), before.Edge(i)) << i;
}

TEST(PoseFastPaths, TheDrawnStreamHoldsEachFaceCornerAsTheModelVertexItNames)
{
    // What the 3D view uploads: the faces renumbered to slots, and per slot the position,
    // normal, outline point and texture coordinates of the vertex in it.
    REQUIRE_GREETING();
    const Greeting greeting;
    const CModelDocument& model = *greeting.model;
    CModelInstance instance(model);
    greeting.Pose(instance, 30);
    const CSkinnedMesh& mesh = instance.skinnedVertices;
    ASSERT_EQ(mesh.slotCount(), model.vertices.size());
    ASSERT_GE(mesh.blockSize(), mesh.slotCount());
    ASSERT_EQ(mesh.stream().size(), 3 * mesh.blockSize());
    ASSERT_EQ(mesh.uvs().size(), mesh.blockSize());
    std::vector<bool> taken(mesh.slotCount(), false);
    for (std::size_t i = 0; i < model.vertices.size(); ++i) {
        ASSERT_LT(mesh.SlotOf(i), mesh.slotCount());
        ASSERT_FALSE(taken[mesh.SlotOf(i)]) << "two vertices in slot " << mesh.SlotOf(i);
        taken[mesh.SlotOf(i)] = true;
    }
    const std::vector<std::uint32_t> slots = mesh.SlotIndices(model.indices);
    ASSERT_EQ(slots.size(), model.indices.size());
    for (std::size_t k = 0; k < slots.size(); ++k) {
        const std::size_t vertex = model.indices[k];
        const SkinnedVertex expected
            = FullMatrixVertex(instance, vertex, model.vertices[vertex].position);
        ASSERT_LE(Distance(mesh.positions()[slots[k]], expected.position), 1e-5f) << k;
        ASSERT_LE(Distance(mesh.normals()[slots[k]], expected.normal), 1e-5f) << k;
        const Vector3 edge = model.vertices[vertex].noEdge
            ? expected.position
            : expected.position + expected.normal * CMeshSkinner::kEdgeWidth;
        ASSERT_LE(Distance(mesh.edges()[slots[k]], edge), 1e-5f) << k;
        ASSERT_EQ(mesh.uvs()[slots[k]], model.vertices[vertex].uv) << k;
    }
    // A per-vertex list the view draws beside the stream (outline shares, extra UVs), moved
    // to slots: each face corner finds the value of the vertex it names. The model's slots
    // are not its vertex order, or a list left in vertex order would pass as well.
    std::vector<std::uint32_t> perVertex(model.vertices.size());
    bool reordered = false;
    for (std::size_t i = 0; i < perVertex.size(); ++i) {
        perVertex[i] = static_cast<std::uint32_t>(i);
        reordered = reordered || mesh.SlotOf(i) != i;
    }
    ASSERT_TRUE(reordered);
    const std::uint32_t fill = UINT32_MAX;
    const std::vector<std::uint32_t> placed = mesh.InSlots(perVertex, fill);
    ASSERT_EQ(placed.size(), mesh.blockSize());
    for (std::size_t k = 0; k < slots.size(); ++k)
        ASSERT_EQ(placed[slots[k]], model.indices[k]) << k;
    for (std::size_t slot = mesh.slotCount(); slot < placed.size(); ++slot)
        EXPECT_EQ(placed[slot], fill) << slot;
}

// The largest difference between the posed matrices of two instances' bones.
float WorstBoneDifference(const CModelInstance& a, const CModelInstance& b)
{
    float worst = 0.0f;
    for (std::size_t i = 0; i < a.boneInstances.size(); ++i) {
        for (int k = 0; k < 16; ++k)
            worst = std::max(worst,
                             std::abs(a.boneInstances[i].world.m[k / 4][k % 4]
                                      - b.boneInstances[i].world.m[k / 4][k % 4]));
    }
    return worst;
}

float WorstEffectorDistance(const CModelInstance& instance)
{
    float worst = 0.0f;
    const auto at = [&](int bone) {
        return instance.boneInstances[static_cast<std::size_t>(bone)].WorldPosition();
    };
    for (const CModelIK& ik : instance.model->iks)
        worst = std::max(worst, Distance(at(ik.effector), at(ik.ikBone)));
    return worst;
}

// Whether every bone of the two instances has the same matrix, bit for bit.
bool SamePose(const CModelInstance& a, const CModelInstance& b)
{
    for (std::size_t i = 0; i < a.boneInstances.size(); ++i) {
        if (std::memcmp(&a.boneInstances[i].world, &b.boneInstances[i].world, sizeof(Matrix)) != 0)
            return false;
    }
    return true;
}

// Early stopping against full iteration; and the legs solved side by side against one after
// the other, to the bit (the two legs, then the two toes, each of which follows its leg).
TEST(PoseFastPaths, EarlyStoppedIKStaysNearFullIterationAndSideBySideIsExact)
{
    REQUIRE_GREETING();
    const Greeting greeting;
    CModelInstance early(*greeting.model);
    CModelInstance full(*greeting.model);
    CModelInstance apart(*greeting.model);
    full.ikEarlyStop = false;
    apart.ikSideBySide = false;
    ASSERT_EQ(greeting.model->iks.size(), 4u);
    EXPECT_EQ(early.pmdIK()->rounds(), 2u);
    std::size_t earlyUpdates = 0, fullUpdates = 0;
    std::int32_t lastFrame = 0;
    for (const auto& [nameID, sequence] : greeting.motion.boneSequences)
        lastFrame = std::max(lastFrame, sequence->empty() ? 0 : sequence->keys().back().frame);
    for (std::int32_t frame = 0; frame <= lastFrame; ++frame) {
        SCOPED_TRACE(frame);
        for (CModelInstance* instance : {&early, &full, &apart})
            greeting.Pose(*instance, frame);
        EXPECT_LE(WorstBoneDifference(early, full), 1e-4f);
        // The feet end no farther from their goals than the full iteration leaves them, but
        // for what single-precision steps cannot resolve.
        EXPECT_LE(WorstEffectorDistance(early), WorstEffectorDistance(full) + 1e-4f);
        EXPECT_TRUE(SamePose(early, apart));
        EXPECT_EQ(early.ikLinkUpdates, apart.ikLinkUpdates);
        earlyUpdates += early.ikLinkUpdates;
        fullUpdates += full.ikLinkUpdates;
    }
    // The toe chains settle within a few passes; the leg chains still gain at the fortieth.
    EXPECT_LT(earlyUpdates, fullUpdates);
}

TEST(PoseFastPaths, EarlyStoppedIKMatchesFullIterationOnTheMannequin)
{
    const auto model = LoadModelDocument(test::ProjectFile("resources/mannequin/mannequin.pmd"));
    CModelInstance early(*model);
    CModelInstance full(*model);
    full.ikEarlyStop = false;
    const auto bone = [&](CModelInstance& instance, int nameID) -> CBoneInstance& {
        return instance.boneInstances.at(static_cast<std::size_t>(model->FindBoneIndex(nameID)));
    };
    for (const Vector3 goal : {Vector3{0, 3, -2}, Vector3{1, 1, 2}, Vector3{-0.5f, 6, -4}}) {
        SCOPED_TRACE(goal.y);
        for (CModelInstance* instance : {&early, &full}) {
            bone(*instance, 507).translation = goal; // the left foot's and right toe's goals
            bone(*instance, 552).translation = goal;
            instance->Update();
        }
        EXPECT_LE(WorstBoneDifference(early, full), 1e-4f);
        // The left ankle reaches its goal, the knee bending forwards (-z) to get there.
        EXPECT_LT(Distance(bone(early, NameToID("左足首")).WorldPosition(),
                           bone(early, 507).WorldPosition()),
                  0.01f);
    }
    bone(early, 507).translation = {0, 3, -2};
    early.Update();
    EXPECT_LT(bone(early, 509).WorldPosition().z, -1.0f);
}

// A straight line of bones with a chain over all of them.
CModelDocument LongChain(std::size_t links, int iterations, std::size_t chains)
{
    CModelDocument model;
    for (std::size_t i = 0; i <= links; ++i) {
        CModelBone bone;
        bone.parent = static_cast<int>(i) - 1;
        bone.position = {0, -static_cast<float>(i), 0};
        model.bones.push_back(bone);
    }
    model.bones.push_back(CModelBone{}); // the goal, a root
    CModelIK ik{static_cast<int>(links + 1), static_cast<int>(links), iterations, 0.01f, {}};
    for (std::size_t k = links; k-- > 0;)
        ik.chain.push_back(static_cast<std::uint16_t>(k));
    model.iks.assign(chains, ik);
    return model;
}

TEST(PoseFastPaths, IKWorkIsBoundedPerChainAndPerFrame)
{
    // Two links and all the iterations a file can ask for: the chain stops at its share.
    const CModelDocument twoLinks = LongChain(2, 65535, 1);
    CModelInstance one(twoLinks);
    one.ikEarlyStop = false;
    one.boneInstances.back().translation = {1, -1, 1};
    one.Update();
    EXPECT_EQ(one.ikLinkUpdates, CModelInstance::kMaxIKLinkUpdatesPerChain);

    // The longest chains a file can hold, many of them: the frame stops within one pass of
    // its budget, and the pose is still a pose.
    const CModelDocument hostile = LongChain(255, 65535, 8);
    CModelInstance many(hostile);
    many.ikEarlyStop = false;
    many.boneInstances.back().translation = {50, -100, 20};
    many.Update();
    EXPECT_LE(many.ikLinkUpdates, CModelInstance::kMaxIKLinkUpdatesPerFrame);
    EXPECT_GT(many.ikLinkUpdates, CModelInstance::kMaxIKLinkUpdatesPerFrame - 255);
    for (const CBoneInstance& bone : many.boneInstances) {
        for (const auto& row : bone.world.m)
            ASSERT_TRUE(std::all_of(std::begin(row), std::end(row),
                                    [](float v) { return std::isfinite(v); }));
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
