#include "model/MeshSkinner.h"

#include "model/SkinBlends.h"
#include "model/SkinLanes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <tuple>

namespace zelvane {

namespace {

constexpr float kPercent = 0.01f;

// Bone 0, bone 1 and the weight in one number. A vertex entirely on one bone is keyed by that
// bone alone, whichever field names it. Bone indices are below 2^24: a model has at most
// 65 535 bones.
std::uint64_t GroupKey(const CModelVertex& v)
{
    const auto key = [](int bone0, int bone1, int weight) {
        return static_cast<std::uint64_t>(static_cast<std::uint32_t>(bone0)) << 32
            | static_cast<std::uint64_t>(static_cast<std::uint32_t>(bone1) & 0xFFFFFF) << 8
            | static_cast<std::uint64_t>(weight);
    };
    if (v.weight > 99)
        return key(v.bone0, v.bone0, 100);
    if (v.weight < 1)
        return key(v.bone1, v.bone1, 100);
    return key(v.bone0, v.bone1, v.weight);
}

// The percentages w0 of a and w1 of b, element by element, over a 4 × 4 matrix.
void WeighTwo(const float* __restrict a, float w0, const float* __restrict b, float w1,
              float* __restrict to)
{
    for (int k = 0; k < 16; ++k)
        to[k] = w0 * a[k] * kPercent + w1 * b[k] * kPercent;
}

// Whether the rotation rows of `m` are a rotation: orthonormal within `tolerance` on each
// product of two rows. A unit normal it turns is then of unit length within 1.5 × tolerance.
bool IsRigid(const Matrix& m, float tolerance)
{
    float worst = 0.0f;
    for (int i = 0; i < 3; ++i) {
        for (int j = i; j < 3; ++j) {
            const float dot = m.m[i][0] * m.m[j][0] + m.m[i][1] * m.m[j][1] + m.m[i][2] * m.m[j][2];
            worst = std::max(worst, std::abs(dot - (i == j ? 1.0f : 0.0f)));
        }
    }
    // NaN fails the comparison: such a matrix is rescaled as any other.
    return worst <= tolerance;
}

// The group of a PMX vertex: the bones it follows with a weight, each bone once, weights
// scaled to add up to one. A vertex left with one bone follows it as a PMD vertex would; one
// with no weight at all stays where it is.
CMeshSkinner::Group PmxGroup(const CVertexWeights& vertex)
{
    CMeshSkinner::Group group{-1, -1, 100, 0, 0};
    switch (vertex.skinning) {
    case VertexSkinning::Bdef1:
    case VertexSkinning::Bdef2:
    case VertexSkinning::Bdef4:
        group.kind = CMeshSkinner::Kind::Linear;
        break;
    case VertexSkinning::Sdef:
        group.kind = CMeshSkinner::Kind::Spherical;
        break;
    case VertexSkinning::Qdef:
        group.kind = CMeshSkinner::Kind::DualQuaternion;
        break;
    }
    const std::size_t used = vertex.skinning == VertexSkinning::Bdef1                         ? 1
        : vertex.skinning == VertexSkinning::Bdef2 || vertex.skinning == VertexSkinning::Sdef ? 2
                                                                                              : 4;
    float total = 0.0f;
    for (std::size_t k = 0; k < used; ++k) {
        const float weight = vertex.weights[k];
        if (!(weight > 0.0f) || vertex.bones[k] < 0)
            continue;
        std::size_t at = 0;
        while (at < group.boneCount && group.bones[at] != vertex.bones[k])
            ++at;
        if (at == group.boneCount) {
            group.bones[at] = vertex.bones[k];
            ++group.boneCount;
        }
        group.weights[at] += weight;
        total += weight;
    }
    if (group.boneCount == 0 || !std::isfinite(total)) {
        group.kind = CMeshSkinner::Kind::Linear;
        group.boneCount = 0;
        group.bones = {};
        group.weights = {};
        return group;
    }
    // One bone left: that bone alone, whatever the blend would have been.
    if (group.boneCount == 1) {
        group.kind = CMeshSkinner::Kind::Linear;
        group.weights = {1.0f, 0.0f, 0.0f, 0.0f};
        return group;
    }
    for (std::size_t k = 0; k < group.boneCount; ++k)
        group.weights[k] /= total;
    return group;
}

// The matrix of a PMX group: its blend of its bones; for a spherical group only the
// blended rotation (each vertex adds its own translation). No bone: the rest pose.
void BlendPmxGroup(const CMeshSkinner::Group& group, const std::vector<CBoneInstance>& bones,
                   const std::vector<Quaternion>& turns, CMeshSkinner::Blend& blend)
{
    const Matrix* matrices[4];
    for (std::size_t k = 0; k < group.boneCount; ++k)
        matrices[k] = &bones[static_cast<std::size_t>(group.bones[k])].world;
    Matrix m;
    if (group.boneCount == 0)
        m = Matrix{};
    else if (group.kind == CMeshSkinner::Kind::Spherical)
        m = SphericalRotation(turns[static_cast<std::size_t>(group.bones[0])],
                              turns[static_cast<std::size_t>(group.bones[1])], group.weights[1]);
    else if (group.kind == CMeshSkinner::Kind::DualQuaternion)
        m = DualQuaternionBlend(matrices, group.weights.data(), group.boneCount);
    else
        m = LinearBlend(matrices, group.weights.data(), group.boneCount);
    blend = m;
}

// A spherical group's per-frame terms (see SphericalRun): P0 · A + P1 · B + t is the
// weighted sum of the points each bone carries.
void MakeSphericalTerms(const CMeshSkinner::Group& group, const CMeshSkinner::Blend& blend,
                        const std::vector<CBoneInstance>& bones, SphericalRun& run)
{
    const Matrix& m0 = bones[static_cast<std::size_t>(group.bones[0])].world;
    const Matrix& m1 = bones[static_cast<std::size_t>(group.bones[1])].world;
    const float w0 = group.weights[0];
    const float w1 = group.weights[1];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            run.r[i][j] = blend.m[i][j];
            run.a[i][j] = w0 * m0.m[i][j];
            run.b[i][j] = w1 * m1.m[i][j];
        }
        run.t[i] = w0 * m0.m[3][i] + w1 * m1.m[3][i];
    }
}

static_assert(CSkinnedMesh::kSpareSlots >= CMeshSkinner::kLanes,
              "the mesh has room for the lanes that reach past its last slot");

} // namespace

CMeshSkinner::CMeshSkinner(const CModelDocument& model)
    : m_model(model)
{
    const std::vector<CModelVertex>& vertices = model.vertices;
    std::vector<std::uint32_t> groupOfVertex
        = model.vertexWeights.empty() ? GroupPmdVertices() : GroupPmxVertices();
    // The groups of one matrix first, the spherical ones after them: the lanes take each kind
    // in slot order (see kLanes).
    {
        std::vector<std::uint32_t> order(m_groups.size());
        for (std::size_t g = 0; g < order.size(); ++g)
            order[g] = static_cast<std::uint32_t>(g);
        std::stable_partition(order.begin(), order.end(), [this](std::uint32_t g) {
            return m_groups[g].kind != Kind::Spherical;
        });
        std::vector<Group> sorted;
        std::vector<std::uint32_t> placeOf(m_groups.size());
        sorted.reserve(m_groups.size());
        for (const std::uint32_t g : order) {
            placeOf[g] = static_cast<std::uint32_t>(sorted.size());
            sorted.push_back(m_groups[g]);
        }
        m_groups = std::move(sorted);
        for (std::uint32_t& g : groupOfVertex)
            g = placeOf[g];
    }
    std::vector<std::uint32_t> members(m_groups.size(), 0);
    for (std::uint32_t group : groupOfVertex)
        ++members[group];
    std::uint32_t slots = 0;
    bool spherical = false;
    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        m_groups[g].firstSlot = slots;
        m_groups[g].slotCount = members[g];
        slots += m_groups[g].slotCount;
        spherical = spherical || m_groups[g].kind == Kind::Spherical;
    }
    m_blends.resize(m_groups.size());
    m_boneRigid.assign(model.bones.size(), 0);
    std::vector<bool> checked(model.bones.size(), false);
    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        const Group& group = m_groups[g];
        if (group.kind == Kind::Spherical) {
            m_sphericalRuns.push_back({group.firstSlot, group.slotCount, {}, {}, {}, {}});
            m_sphericalGroups.push_back(static_cast<std::uint32_t>(g));
            continue;
        }
        m_matrixRuns.push_back({group.firstSlot, group.slotCount, false, m_blends[g].m});
        const int bone = RigidBone(group);
        m_rigidBone.push_back(bone);
        if (bone >= 0 && !checked[static_cast<std::size_t>(bone)]) {
            checked[static_cast<std::size_t>(bone)] = true;
            m_rigidBones.push_back(static_cast<std::uint32_t>(bone));
        }
    }
    if (spherical) {
        m_boneTurns.resize(model.bones.size());
        std::vector<bool> listed(model.bones.size(), false);
        for (const Group& group : m_groups) {
            if (group.kind != Kind::Spherical)
                continue;
            for (std::size_t k = 0; k < 2; ++k) {
                const auto bone = static_cast<std::uint32_t>(group.bones[k]);
                if (!listed[bone]) {
                    listed[bone] = true;
                    m_sphericalBones.push_back(bone);
                }
            }
        }
    }
    m_slotCount = slots;
    m_slotOfVertex.resize(vertices.size());
    m_uvs.assign(slots, Vector2{});
    // The last run's last eight lanes may reach past the slots: one run of lanes more.
    const std::size_t lanes = slots + kLanes;
    m_edgeWidth.assign(lanes, 0.0f);
    for (int axis = 0; axis < 3; ++axis) {
        m_rest[axis].assign(lanes, 0.0f);
        m_normal[axis].assign(lanes, 0.0f);
        if (spherical) {
            m_sdefPoint0[axis].assign(lanes, 0.0f);
            m_sdefPoint1[axis].assign(lanes, 0.0f);
        }
    }
    std::vector<std::uint32_t> filled(m_groups.size(), 0);
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const std::uint32_t g = groupOfVertex[i];
        const std::uint32_t slot = m_groups[g].firstSlot + filled[g]++;
        m_slotOfVertex[i] = slot;
        const CModelVertex& v = vertices[i];
        m_rest[0][slot] = v.position.x;
        m_rest[1][slot] = v.position.y;
        m_rest[2][slot] = v.position.z;
        // Unit normals, so that a rigid turn leaves them of unit length.
        const Vector3 normal = Normalize(v.normal);
        m_normal[0][slot] = normal.x;
        m_normal[1][slot] = normal.y;
        m_normal[2][slot] = normal.z;
        m_uvs[slot] = v.uv;
        m_edgeWidth[slot] = v.noEdge ? 0.0f : kEdgeWidth;
        if (m_groups[g].kind != Kind::Spherical)
            continue;
        // The two points the bones carry: the centre moved halfway towards each reference
        // point, once the references are shifted so that their weighted mean is the centre
        // (so that at rest the three terms add up to the vertex itself).
        const CVertexWeights& w = model.vertexWeights[i];
        const float w0 = m_groups[g].weights[0];
        const float w1 = m_groups[g].weights[1];
        const Vector3 mean = w.sdefR0 * w0 + w.sdefR1 * w1;
        const Vector3 point0 = (w.sdefC + (w.sdefC + w.sdefR0 - mean)) * 0.5f;
        const Vector3 point1 = (w.sdefC + (w.sdefC + w.sdefR1 - mean)) * 0.5f;
        const float* fields[3][3] = {{&w.sdefC.x, &point0.x, &point1.x},
                                     {&w.sdefC.y, &point0.y, &point1.y},
                                     {&w.sdefC.z, &point0.z, &point1.z}};
        // A spherical vertex turns about its centre: it keeps its offset from the centre in
        // place of its position, which morphs move the same way.
        for (int axis = 0; axis < 3; ++axis) {
            m_rest[axis][slot] -= *fields[axis][0];
            m_sdefPoint0[axis][slot] = *fields[axis][1];
            m_sdefPoint1[axis][slot] = *fields[axis][2];
        }
    }
}

void CMeshSkinner::Shape(CSkinnedMesh& mesh) const
{
    mesh.Shape(m_slotCount, m_slotOfVertex, m_uvs);
}

std::vector<std::uint32_t> CMeshSkinner::GroupPmdVertices()
{
    const std::vector<CModelVertex>& vertices = m_model.vertices;
    // Neighbouring vertices mostly share their bones and weight, so the group is looked up
    // only where that changes, in a small open-addressed table sized by those changes.
    std::vector<std::uint64_t> keys(vertices.size());
    std::size_t changes = 0;
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        keys[i] = GroupKey(vertices[i]);
        changes += i == 0 || keys[i] != keys[i - 1];
    }
    std::size_t tableSize = 16;
    while (tableSize < changes * 2)
        tableSize *= 2;
    constexpr std::uint64_t kEmpty = UINT64_MAX;
    std::vector<std::uint64_t> tableKeys(tableSize, kEmpty);
    std::vector<std::uint32_t> tableGroups(tableSize);
    std::vector<std::uint32_t> groupOfVertex(vertices.size());
    std::uint64_t lastKey = kEmpty;
    std::uint32_t lastGroup = 0;
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const std::uint64_t key = keys[i];
        if (key != lastKey) {
            std::size_t bucket = (key * 0x9E3779B97F4A7C15u >> 40) & (tableSize - 1);
            while (tableKeys[bucket] != kEmpty && tableKeys[bucket] != key)
                bucket = (bucket + 1) & (tableSize - 1);
            if (tableKeys[bucket] == kEmpty) {
                tableKeys[bucket] = key;
                tableGroups[bucket] = static_cast<std::uint32_t>(m_groups.size());
                const int bone0 = static_cast<int>(key >> 32);
                const int bone1 = static_cast<int>(key >> 8 & 0xFFFFFF);
                m_groups.push_back({bone0, bone1, static_cast<int>(key & 0xFF), 0, 0});
            }
            lastKey = key;
            lastGroup = tableGroups[bucket];
        }
        groupOfVertex[i] = lastGroup;
    }
    return groupOfVertex;
}

std::vector<std::uint32_t> CMeshSkinner::GroupPmxVertices()
{
    std::map<std::tuple<Kind, std::array<int, 4>, std::array<float, 4>>, std::uint32_t> known;
    std::vector<std::uint32_t> groupOfVertex;
    groupOfVertex.reserve(m_model.vertexWeights.size());
    for (const CVertexWeights& vertex : m_model.vertexWeights) {
        Group group = PmxGroup(vertex);
        const auto [at, added]
            = known.try_emplace(std::make_tuple(group.kind, group.bones, group.weights),
                                static_cast<std::uint32_t>(m_groups.size()));
        if (added)
            m_groups.push_back(group);
        groupOfVertex.push_back(at->second);
    }
    return groupOfVertex;
}

void CMeshSkinner::ApplyMorphs(const std::vector<float>& weights)
{
    m_morphsApplied = false;
    for (std::size_t m = 0; m < m_model.morphs.size(); ++m) {
        const CModelMorph& morph = m_model.morphs[m];
        const float weight = weights[m];
        // The base morph holds the neutral positions, which the rest positions already are.
        if (morph.type == CModelMorph::kBaseType || weight == 0.0f)
            continue;
        if (!m_morphsApplied) {
            for (int axis = 0; axis < 3; ++axis)
                m_morphed[axis] = m_rest[axis];
            m_morphsApplied = true;
        }
        for (const CModelMorphVertex& vertex : morph.vertices) {
            const std::uint32_t slot = m_slotOfVertex[static_cast<std::size_t>(vertex.index)];
            const Vector3 offset = vertex.offset * weight;
            m_morphed[0][slot] += offset.x;
            m_morphed[1][slot] += offset.y;
            m_morphed[2][slot] += offset.z;
        }
    }
}

int CMeshSkinner::RigidBone(const Group& group)
{
    // A group on one bone takes the bone's matrix as it is; a group on none stays at rest.
    if (group.kind == Kind::Pmd)
        return group.weight == 100 ? group.bone0 : kNeverRigid;
    if (group.kind == Kind::Linear && group.boneCount <= 1)
        return group.boneCount == 0 ? kAlwaysRigid : group.bones[0];
    return kNeverRigid;
}

void CMeshSkinner::BlendGroups(const std::vector<CBoneInstance>& bones)
{
    BlendMatrices(bones);
    // A posed bone is a rotation and a move, but a motion may hold turns that are not of
    // unit length: each bone a group follows alone is checked once a frame.
    for (const std::uint32_t bone : m_rigidBones)
        m_boneRigid[bone] = IsRigid(bones[bone].world, kRigidTolerance);
    for (std::size_t k = 0; k < m_matrixRuns.size(); ++k) {
        const int bone = m_rigidBone[k];
        m_matrixRuns[k].rigid
            = bone == kAlwaysRigid || (bone >= 0 && m_boneRigid[static_cast<std::size_t>(bone)]);
    }
    for (std::size_t k = 0; k < m_sphericalRuns.size(); ++k) {
        const std::uint32_t g = m_sphericalGroups[k];
        MakeSphericalTerms(m_groups[g], m_blends[g], bones, m_sphericalRuns[k]);
    }
}

void CMeshSkinner::BlendMatrices(const std::vector<CBoneInstance>& bones)
{
    for (std::uint32_t bone : m_sphericalBones)
        m_boneTurns[bone] = QuaternionRotationMatrix(bones[bone].world);
    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        const Group& group = m_groups[g];
        Blend& blend = m_blends[g];
        if (group.kind != Kind::Pmd) {
            BlendPmxGroup(group, bones, m_boneTurns, blend);
            continue;
        }
        const Matrix& m0 = bones[static_cast<std::size_t>(group.bone0)].world;
        if (group.weight == 100) {
            blend = m0;
            continue;
        }
        // Each element weighted by the percentages of the two bones: the whole 4 × 4 in one
        // run, which the compiler does four elements at a time.
        const Matrix& m1 = bones[static_cast<std::size_t>(group.bone1)].world;
        const float w0 = static_cast<float>(group.weight);
        const float w1 = static_cast<float>(100 - group.weight);
        WeighTwo(&m0.m[0][0], w0, &m1.m[0][0], w1, &blend.m[0][0]);
    }
}

void CMeshSkinner::Skin(const std::vector<CBoneInstance>& bones, CSkinnedMesh& out, bool outlines)
{
    BlendGroups(bones);
    const auto& positions = m_morphsApplied ? m_morphed : m_rest;
    const SkinSources from{
        {positions[0].data(), positions[1].data(), positions[2].data()},
        {m_normal[0].data(), m_normal[1].data(), m_normal[2].data()},
        m_edgeWidth.data(),
        {m_sdefPoint0[0].data(), m_sdefPoint0[1].data(), m_sdefPoint0[2].data()},
        {m_sdefPoint1[0].data(), m_sdefPoint1[1].data(), m_sdefPoint1[2].data()}};
    const SkinTargets to{&out.positions()->x, &out.normals()->x,
                         outlines ? &out.edges()->x : nullptr};
    SkinMatrixRuns(m_matrixRuns.data(), m_matrixRuns.size(), from, to);
    if (!m_sphericalRuns.empty())
        SkinSphericalRuns(m_sphericalRuns.data(), m_sphericalRuns.size(), from, to);
}

void CMeshSkinner::SkinScalar(const std::vector<CBoneInstance>& bones, CSkinnedMesh& out,
                              bool outlines)
{
    BlendGroups(bones);
    const auto& positions = m_morphsApplied ? m_morphed : m_rest;
    const std::vector<CModelVertex>& vertices = m_model.vertices;
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const std::uint32_t slot = m_slotOfVertex[i];
        // The group is the one whose slots hold this vertex.
        const auto group
            = std::upper_bound(m_groups.begin(), m_groups.end(), slot,
                               [](std::uint32_t s, const Group& g) { return s < g.firstSlot; });
        const std::size_t g = static_cast<std::size_t>(group - m_groups.begin()) - 1;
        const auto& m = m_blends[g].m;
        const Vector3 p{positions[0][slot], positions[1][slot], positions[2][slot]};
        const Vector3 n = vertices[i].normal;
        Vector3& position = out.positions()[slot];
        Vector3& normal = out.normals()[slot];
        if (m_groups[g].kind == Kind::Spherical) {
            SkinSphericalVertex(m_groups[g], m_blends[g], bones, slot, p, n, position, normal);
        } else {
            position = {p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + m[3][0],
                        p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + m[3][1],
                        p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + m[3][2]};
            normal = Normalize({n.x * m[0][0] + n.y * m[1][0] + n.z * m[2][0],
                                n.x * m[0][1] + n.y * m[1][1] + n.z * m[2][1],
                                n.x * m[0][2] + n.y * m[1][2] + n.z * m[2][2]});
        }
        if (outlines)
            out.edges()[slot] = vertices[i].noEdge ? position : position + normal * kEdgeWidth;
    }
}

void CMeshSkinner::SkinSphericalVertex(const Group& group, const Blend& blend,
                                       const std::vector<CBoneInstance>& bones, std::uint32_t slot,
                                       const Vector3& offset, const Vector3& normal,
                                       Vector3& outPosition, Vector3& outNormal) const
{
    // The direct form: the vertex turned about its centre by the blended rotation, then
    // carried to the weighted mean of where the two bones take their points.
    Matrix rotation;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            rotation.m[r][c] = blend.m[r][c];
    }
    const auto point = [slot](const std::vector<float>* axes) {
        return Vector3{axes[0][slot], axes[1][slot], axes[2][slot]};
    };
    const Matrix& m0 = bones[static_cast<std::size_t>(group.bones[0])].world;
    const Matrix& m1 = bones[static_cast<std::size_t>(group.bones[1])].world;
    outPosition = TransformNormal(offset, rotation)
        + TransformCoord(point(m_sdefPoint0), m0) * group.weights[0]
        + TransformCoord(point(m_sdefPoint1), m1) * group.weights[1];
    outNormal = Normalize(TransformNormal(normal, rotation));
}

} // namespace zelvane
