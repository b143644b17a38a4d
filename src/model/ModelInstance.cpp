#include "model/ModelInstance.h"

#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
#include <cmath>

namespace zelvane {

namespace {

bool InRange(int index, std::size_t count)
{
    return index >= 0 && static_cast<std::size_t>(index) < count;
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
    const BoneHierarchy hierarchy{m_order, m_placeOfBone, m_subtreeEnd};
    if (model->IsPmx()) {
        m_pmxPoser = std::make_unique<CPmxPoser>(*model, boneInstances, hierarchy);
    } else {
        m_pmdIK = std::make_unique<CPmdIKSolver>(
            *model, boneInstances, hierarchy, kMaxIKLinkUpdatesPerChain, kMaxIKLinkUpdatesPerFrame);
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
    // The group morphs are shared out once, for the bones and the mesh alike.
    const std::vector<float>& mixed = m_morphMixer.Mix(morphWeights);
    PoseBones(mixed);
    SolveIK();
    Skin(mixed);
}

void CModelInstance::UpdateBones()
{
    PoseBones(m_morphMixer.Mix(morphWeights));
}

void CModelInstance::PoseBones(const std::vector<float>& mixedWeights)
{
    if (m_pmxPoser) {
        const bool morphed = m_morphMixer.AddBoneMorphs(mixedWeights, boneInstances);
        ikLinkUpdates
            = m_pmxPoser->Pose(kMaxIKLinkUpdatesPerChain, kMaxIKLinkUpdatesPerFrame, ikEarlyStop);
        if (morphed)
            m_morphMixer.RestoreSamples(boneInstances);
        return;
    }
    for (CBoneInstance* instance : m_order)
        instance->UpdateFromSample();
}

void CModelInstance::SolveIK()
{
    if (m_pmxPoser)
        return;
    ikLinkUpdates = m_pmdIK->Solve(ikEarlyStop, ikSideBySide);
}

void CModelInstance::UpdateSkin()
{
    Skin(m_morphMixer.Mix(morphWeights));
}

void CModelInstance::Skin(const std::vector<float>& mixedWeights)
{
    m_skinner.ApplyMorphs(mixedWeights);
    m_skinner.Skin(boneInstances, skinnedVertices, outlines);
}

void CModelInstance::UpdateSkinScalar()
{
    m_skinner.ApplyMorphs(m_morphMixer.Mix(morphWeights));
    m_skinner.SkinScalar(boneInstances, skinnedVertices, outlines);
}

} // namespace zelvane
