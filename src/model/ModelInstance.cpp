#include "model/ModelInstance.h"

#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
#include <cmath>

namespace zelvane {

namespace {

// An IK link this close to the effector cannot turn it anywhere.
constexpr float kCoincident = 1e-7f;

bool InRange(int index, std::size_t count)
{
    return index >= 0 && static_cast<std::size_t>(index) < count;
}

// The inverse of a pure rotation is its transpose: `v` taken into the frame that the rotation
// part of `transform` leads out of.
Vector3 IntoFrame(const Vector3& v, const Matrix& transform)
{
    const auto& m = transform.m;
    return {v.x * m[0][0] + v.y * m[0][1] + v.z * m[0][2],
            v.x * m[1][0] + v.y * m[1][1] + v.z * m[1][2],
            v.x * m[2][0] + v.y * m[2][1] + v.z * m[2][2]};
}

// Whether a knee turned by `q` bends backwards: the angle about X of the rotation's matrix,
// atan2(m[2][1], m[2][2]), is negative. The sign is read without the arctangent: atan2(y, x)
// < 0 exactly when y < 0, or y is -0 and x is negative or -0. (The matrix is inline, so
// only its two entries read here are computed.)
bool BendsBackwards(const Quaternion& q)
{
    const Matrix m = MatrixRotationQuaternion(q);
    const float y = m.m[2][1];
    const float x = m.m[2][2];
    if (y < 0.0f)
        return true;
    return y == 0.0f && std::signbit(y) && std::signbit(x) && !std::isnan(x);
}

} // namespace

CModelInstance::CModelInstance(const CModelDocument& modelDocument)
    : model(&modelDocument)
    , m_skinner((Validate(), modelDocument))
    , m_morphMixer(modelDocument)
{
    boneInstances.reserve(model->bones.size());
    for (const CModelBone& bone : model->bones)
        boneInstances.emplace_back(bone);
    std::vector<CBoneInstance*> roots;
    for (CBoneInstance& instance : boneInstances) {
        const int parent = instance.bone->parent;
        if (parent >= 0) {
            instance.parent = &boneInstances[static_cast<std::size_t>(parent)];
            instance.parent->children.push_back(&instance);
        } else {
            roots.push_back(&instance);
        }
    }
    // Depth first with a stack of our own: a model may chain thousands of bones, more than
    // the call stack should hold.
    m_order.reserve(boneInstances.size());
    m_placeOfBone.resize(boneInstances.size());
    m_subtreeEnd.resize(boneInstances.size());
    std::vector<std::pair<CBoneInstance*, bool>> pending; // bone, its subtree is done
    for (auto root = roots.rbegin(); root != roots.rend(); ++root)
        pending.emplace_back(*root, false);
    while (!pending.empty()) {
        const auto [instance, done] = pending.back();
        pending.pop_back();
        const auto index = static_cast<std::size_t>(instance - boneInstances.data());
        if (done) {
            m_subtreeEnd[m_placeOfBone[index]] = m_order.size();
            continue;
        }
        m_placeOfBone[index] = m_order.size();
        m_order.push_back(instance);
        pending.emplace_back(instance, true);
        for (auto child = instance->children.rbegin(); child != instance->children.rend(); ++child)
            pending.emplace_back(*child, false);
    }
    if (model->IsPmx()) {
        m_pmxPoser = std::make_unique<CPmxPoser>(
            *model, boneInstances, CPmxPoser::Hierarchy{m_order, m_placeOfBone, m_subtreeEnd});
    }
    morphWeights.assign(model->morphs.size(), 0.0f);
    m_skinner.Shape(skinnedVertices);
    // The bone matrices start as identities, so this shows the rest pose until the first
    // pose arrives.
    UpdateSkin();
}

void CModelInstance::Validate() const
{
    const std::size_t boneCount = model->bones.size();
    for (std::size_t i = 0; i < boneCount; ++i) {
        if (model->bones[i].parent >= 0 && !InRange(model->bones[i].parent, boneCount))
            throw InvalidArgumentError(Reason(IDS_REASON_BONE_PARENT_MISSING));
    }
    // A bone among its own ancestors would be evaluated without end. Each bone's way up is
    // walked once: it ends at a root or at a bone already known to reach one.
    enum class State : std::uint8_t { Unknown, OnPath, ReachesRoot };
    std::vector<State> states(boneCount, State::Unknown);
    std::vector<std::size_t> path;
    for (std::size_t i = 0; i < boneCount; ++i) {
        int current = static_cast<int>(i);
        while (current >= 0 && states[static_cast<std::size_t>(current)] != State::ReachesRoot) {
            if (states[static_cast<std::size_t>(current)] == State::OnPath)
                throw InvalidArgumentError(Reason(IDS_REASON_BONE_PARENT_LOOP));
            states[static_cast<std::size_t>(current)] = State::OnPath;
            path.push_back(static_cast<std::size_t>(current));
            current = model->bones[static_cast<std::size_t>(current)].parent;
        }
        for (std::size_t walked : path)
            states[walked] = State::ReachesRoot;
        path.clear();
    }
    for (const CModelIK& ik : model->iks) {
        if (!InRange(ik.ikBone, boneCount) || !InRange(ik.effector, boneCount))
            throw InvalidArgumentError(Reason(IDS_REASON_IK_BONE_MISSING));
        for (std::uint16_t link : ik.chain) {
            if (link >= boneCount)
                throw InvalidArgumentError(Reason(IDS_REASON_IK_BONE_MISSING));
        }
    }
    for (const CModelBone& bone : model->bones) {
        if (bone.inheritParent >= 0 && !InRange(bone.inheritParent, boneCount))
            throw InvalidArgumentError(Reason(IDS_REASON_BONE_PARENT_MISSING));
    }
    for (const CModelIK& ik : model->iks) {
        if (!ik.limits.empty() && ik.limits.size() != ik.chain.size())
            throw InvalidArgumentError(Reason(IDS_REASON_IK_BONE_MISSING));
    }
    if (!model->vertexWeights.empty() && model->vertexWeights.size() != model->vertices.size())
        throw InvalidArgumentError(Reason(IDS_REASON_VERTEX_BONE_MISSING));
    for (const CVertexWeights& weights : model->vertexWeights) {
        for (std::size_t k = 0; k < weights.bones.size(); ++k) {
            if (weights.weights[k] != 0.0f && !InRange(weights.bones[k], boneCount))
                throw InvalidArgumentError(Reason(IDS_REASON_VERTEX_BONE_MISSING));
        }
    }
    // Only the bones a vertex actually follows are looked up.
    for (const CModelVertex& vertex : model->vertices) {
        if ((vertex.weight >= 1 && !InRange(vertex.bone0, boneCount))
            || (vertex.weight <= 99 && !InRange(vertex.bone1, boneCount)))
            throw InvalidArgumentError(Reason(IDS_REASON_VERTEX_BONE_MISSING));
    }
    for (const CModelMorph& morph : model->morphs) {
        if (morph.type == CModelMorph::kBaseType)
            continue;
        for (const CModelMorphVertex& vertex : morph.vertices) {
            if (!InRange(vertex.index, model->vertices.size()))
                throw InvalidArgumentError(Reason(IDS_REASON_MORPH_VERTEX_MISSING));
        }
    }
}

void CModelInstance::SampleBones(const std::function<BonePose(int nameID)>& sample)
{
    for (CBoneInstance& instance : boneInstances) {
        const BonePose pose = sample(instance.bone->nameID);
        instance.translation = pose.translation;
        instance.rotation = pose.rotation;
    }
}

void CModelInstance::SampleMorphs(const std::function<float(int nameID)>& sample)
{
    for (std::size_t m = 0; m < model->morphs.size(); ++m)
        morphWeights[m] = sample(model->morphs[m].nameID);
}

void CModelInstance::Update()
{
    UpdateBones();
    SolveIK();
    UpdateSkin();
}

void CModelInstance::UpdateBones()
{
    if (m_pmxPoser) {
        const bool morphed
            = m_morphMixer.AddBoneMorphs(m_morphMixer.Mix(morphWeights), boneInstances);
        ikLinkUpdates
            = m_pmxPoser->Pose(kMaxIKLinkUpdatesPerChain, kMaxIKLinkUpdatesPerFrame, ikEarlyStop);
        if (morphed)
            m_morphMixer.RestoreSamples(boneInstances);
        return;
    }
    for (CBoneInstance* instance : m_order)
        instance->UpdateFromSample();
}

void CModelInstance::UpdateDescendants(std::size_t index)
{
    const std::size_t place = m_placeOfBone[index];
    for (std::size_t i = place + 1; i < m_subtreeEnd[place]; ++i)
        m_order[i]->UpdateFromSample();
}

void CModelInstance::SolveIK()
{
    if (m_pmxPoser)
        return;
    ikLinkUpdates = 0;
    for (const CModelIK& ik : model->iks)
        ikLinkUpdates += SolveChain(ik, kMaxIKLinkUpdatesPerFrame - ikLinkUpdates);
}

// Cyclic coordinate descent: each link in turn, from the effector towards the root, turns so
// that the effector swings towards the goal.
std::size_t CModelInstance::SolveChain(const CModelIK& ik, std::size_t budget)
{
    const auto bone = [this](int index) -> CBoneInstance& {
        return boneInstances[static_cast<std::size_t>(index)];
    };
    CBoneInstance& effector = bone(ik.effector);
    const Vector3 goal = bone(ik.ikBone).WorldPosition();
    effector.SetCurrentRotation(effector.rotation);
    const std::size_t links = ik.chain.size();
    if (links == 0)
        return 0;
    const std::size_t passes = std::min({static_cast<std::size_t>(std::max(ik.iterations, 0)),
                                         kMaxIKLinkUpdatesPerChain / links, budget / links});

    std::size_t updates = 0;
    for (std::size_t n = 0; n < passes; ++n) {
        bool turned = false;
        for (std::size_t k = 0; k < links; ++k) {
            ++updates;
            CBoneInstance& link = bone(ik.chain[k]);
            const Vector3 e = effector.WorldPosition();
            const Vector3 l = link.WorldPosition();
            if (Length(l - e) < kCoincident)
                break;
            const Vector3 a = Normalize(l - e);
            const Vector3 b = Normalize(l - goal);
            const Vector3 cross = Cross(a, b);
            const bool knee = link.bone->isKnee;
            if (!knee && Length(cross) == 0.0f) {
                // The goal lies on the line through link and effector: no axis to turn
                // about, so this link waits for the next pass. Its local matrices are made
                // current because the links after it rebuild their worlds from them.
                link.SetCurrentRotation(link.currentRotation);
                continue;
            }

            // The step turns the link within its parent's frame.
            Vector3 axis = cross;
            if (link.parent)
                axis = IntoFrame(axis, link.parent->world);
            axis = Normalize(axis);
            // A knee only hinges about its X axis.
            if (knee)
                axis = {axis.x >= 0.0f ? 1.0f : -1.0f, 0.0f, 0.0f};

            const float angle = std::acos(std::clamp(Dot(a, b), -1.0f, 1.0f));
            if (angle != 0.0f)
                turned = true;
            float half = angle * 0.5f;
            const float cap = static_cast<float>(k + 1) * ik.limitAngle * 2.0f;
            if (half > cap)
                half = cap;
            // The first pass takes a double step, to get moving from the sampled pose.
            const float stepAngle = n == 0 ? half * 2.0f * 2.0f : half * 2.0f;
            const Quaternion step = QuaternionRotationAxis(axis, stepAngle);
            // The axis is in the parent's frame, so the step comes after the link's own
            // rotation.
            Quaternion q = QuaternionMultiply(link.currentRotation, step);
            if (knee) {
                // Keep the knee bending forwards only.
                if (BendsBackwards(q)) {
                    q.x = -q.x;
                    turned = true;
                }
            }
            link.SetCurrentRotation(q);

            for (std::size_t j = k + 1; j-- > 0;)
                bone(ik.chain[j]).UpdateWorld();
            effector.UpdateWorld();
        }
        // A pass in which no link turned leaves every matrix as it was, so each later pass
        // would repeat it exactly: stopping here cannot change the pose.
        if (ikEarlyStop && !turned)
            break;
    }
    // Nothing below the effector is read while the chain turns: it follows once, at the end.
    UpdateDescendants(static_cast<std::size_t>(ik.effector));
    return updates;
}

void CModelInstance::UpdateSkin()
{
    m_skinner.ApplyMorphs(m_morphMixer.Mix(morphWeights));
    m_skinner.Skin(boneInstances, skinnedVertices, outlines);
}

void CModelInstance::UpdateSkinScalar()
{
    m_skinner.ApplyMorphs(m_morphMixer.Mix(morphWeights));
    m_skinner.SkinScalar(boneInstances, skinnedVertices, outlines);
}

} // namespace zelvane
