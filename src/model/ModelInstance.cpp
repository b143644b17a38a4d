#include "model/ModelInstance.h"

#include "text/Errors.h"

#include <algorithm>
#include <cmath>

namespace zelvane {

namespace {

// An IK link this close to the effector cannot turn it anywhere.
constexpr float kCoincident = 1e-7f;
// How far the outline is pushed out from the surface.
constexpr float kEdgeWidth = 0.015f;
constexpr float kPercent = 0.01f;

bool InRange(int index, std::size_t count)
{
    return index >= 0 && static_cast<std::size_t>(index) < count;
}

} // namespace

CModelInstance::CModelInstance(const CModelDocument& modelDocument)
    : model(&modelDocument)
{
    Validate();
    positions.resize(model->vertices.size());
    boneInstances.reserve(model->bones.size());
    for (const CModelBone& bone : model->bones)
        boneInstances.emplace_back(bone);
    for (CBoneInstance& instance : boneInstances) {
        const int parent = instance.bone->parent;
        if (parent >= 0) {
            instance.parent = &boneInstances[static_cast<std::size_t>(parent)];
            instance.parent->children.push_back(&instance);
        } else {
            m_roots.push_back(&instance);
        }
    }
    morphWeights.assign(model->morphs.size(), 0.0f);
    skinnedVertices.resize(model->vertices.size());
    edgePositions.resize(model->vertices.size());
    // The bone matrices start as identities, so this shows the rest pose until the first
    // pose arrives.
    UpdateSkin();
}

void CModelInstance::Validate() const
{
    const std::size_t boneCount = model->bones.size();
    for (std::size_t i = 0; i < boneCount; ++i) {
        if (model->bones[i].parent >= 0 && !InRange(model->bones[i].parent, boneCount))
            throw InvalidArgumentError("a bone's parent does not exist");
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
                throw InvalidArgumentError("the bone parents form a loop");
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
            throw InvalidArgumentError("an IK chain names a bone that does not exist");
        for (std::uint16_t link : ik.chain) {
            if (link >= boneCount)
                throw InvalidArgumentError("an IK chain names a bone that does not exist");
        }
    }
    // Only the bones a vertex actually follows are looked up.
    for (const CModelVertex& vertex : model->vertices) {
        if ((vertex.weight >= 1 && !InRange(vertex.bone0, boneCount))
            || (vertex.weight <= 99 && !InRange(vertex.bone1, boneCount)))
            throw InvalidArgumentError("a vertex follows a bone that does not exist");
    }
    for (const CModelMorph& morph : model->morphs) {
        if (morph.type == CModelMorph::kBaseType)
            continue;
        for (const CModelMorphVertex& vertex : morph.vertices) {
            if (!InRange(vertex.index, model->vertices.size()))
                throw InvalidArgumentError("a morph moves a vertex that does not exist");
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

void CModelInstance::Update()
{
    UpdateBones();
    SolveIK();
    UpdateSkin();
}

void CModelInstance::UpdateBones()
{
    for (CBoneInstance* root : m_roots)
        root->UpdateRecursive();
}

void CModelInstance::SolveIK()
{
    for (const CModelIK& ik : model->iks)
        SolveChain(ik);
}

// Cyclic coordinate descent: each link in turn, from the effector towards the root, turns so
// that the effector swings towards the goal.
void CModelInstance::SolveChain(const CModelIK& ik)
{
    const auto bone = [this](int index) -> CBoneInstance& {
        return boneInstances[static_cast<std::size_t>(index)];
    };
    CBoneInstance& effector = bone(ik.effector);
    const Vector3 goal = bone(ik.ikBone).WorldPosition();
    effector.SetCurrentRotation(effector.rotation);

    for (int n = 0; n < ik.iterations; ++n) {
        for (std::size_t k = 0; k < ik.chain.size(); ++k) {
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
            if (link.parent) {
                if (const auto inverse = MatrixInverse(link.parent->worldRotation))
                    axis = TransformCoord(axis, *inverse);
            }
            axis = Normalize(axis);
            // A knee only hinges about its X axis.
            if (knee)
                axis = {axis.x >= 0.0f ? 1.0f : -1.0f, 0.0f, 0.0f};

            const float angle = std::acos(std::clamp(Dot(a, b), -1.0f, 1.0f));
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
                const Matrix m = MatrixRotationQuaternion(q);
                if (std::atan2(m.m[2][1], m.m[2][2]) < 0.0f)
                    q.x = -q.x;
            }
            link.SetCurrentRotation(q);

            for (std::size_t j = k + 1; j-- > 0;)
                bone(ik.chain[j]).UpdateWorld();
            effector.UpdateWorld();
            for (CBoneInstance* child : effector.children)
                child->UpdateRecursive();
        }
    }
}

void CModelInstance::UpdateSkin()
{
    const std::vector<CModelVertex>& vertices = model->vertices;
    for (std::size_t i = 0; i < vertices.size(); ++i)
        positions[i] = vertices[i].position;
    // The base morph holds the neutral positions, which the rest positions already are.
    for (std::size_t m = 0; m < model->morphs.size(); ++m) {
        const CModelMorph& morph = model->morphs[m];
        const float weight = morphWeights[m];
        if (morph.type == CModelMorph::kBaseType || weight == 0.0f)
            continue;
        for (const CModelMorphVertex& vertex : morph.vertices)
            positions[static_cast<std::size_t>(vertex.index)] += vertex.offset * weight;
    }

    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const CModelVertex& vertex = vertices[i];
        const int w = vertex.weight;
        Matrix blended;
        const Matrix* m = &blended;
        if (w > 99) {
            m = &boneInstances[static_cast<std::size_t>(vertex.bone0)].world;
        } else if (w < 1) {
            m = &boneInstances[static_cast<std::size_t>(vertex.bone1)].world;
        } else {
            const Matrix& m0 = boneInstances[static_cast<std::size_t>(vertex.bone0)].world;
            const Matrix& m1 = boneInstances[static_cast<std::size_t>(vertex.bone1)].world;
            const float w0 = static_cast<float>(w);
            const float w1 = static_cast<float>(100 - w);
            for (int r = 0; r < 4; ++r) {
                for (int c = 0; c < 4; ++c)
                    blended.m[r][c] = w0 * m0.m[r][c] * kPercent + w1 * m1.m[r][c] * kPercent;
            }
        }
        const Vector3 p = TransformCoord(positions[i], *m);
        const Vector3 q = TransformCoord(positions[i] + vertex.normal, *m);
        const Vector3 n = Normalize(q - p);
        skinnedVertices[i] = {p, n, vertex.uv};
        edgePositions[i] = vertex.noEdge ? p : p + n * kEdgeWidth;
    }
}

} // namespace zelvane
