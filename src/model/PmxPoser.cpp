#include "model/PmxPoser.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace zelvane {

namespace {

// A link this close to the effector or the goal cannot turn the one towards the other.
constexpr float kCoincident = 1e-7f;
// A turn smaller than this changes nothing a float position could show.
constexpr float kSmallestTurn = 1e-6f;

// The inverse of a pure rotation is its transpose: `v` taken into the frame that the rotation
// part of `transform` leads out of.
Vector3 IntoFrame(const Vector3& v, const Matrix& transform)
{
    const auto& m = transform.m;
    return {v.x * m[0][0] + v.y * m[0][1] + v.z * m[0][2],
            v.x * m[1][0] + v.y * m[1][1] + v.z * m[1][2],
            v.x * m[2][0] + v.y * m[2][1] + v.z * m[2][2]};
}

// The rotation's part about `axis` (of unit length): the twist left when every turn about
// another axis is taken away.
Quaternion OntoAxis(const Quaternion& q, const Vector3& axis)
{
    const float along = q.x * axis.x + q.y * axis.y + q.z * axis.z;
    const Quaternion twist{axis.x * along, axis.y * along, axis.z * along, q.w};
    if (QuaternionLength(twist) == 0.0f)
        return {};
    return QuaternionNormalize(twist);
}

// Angles about X, Y and Z of a rotation made as the turn about X, then Y, then Z.
Vector3 EulerXYZ(const Quaternion& q)
{
    const Matrix r = MatrixRotationQuaternion(q);
    const auto& m = r.m;
    return {std::atan2(m[1][2], m[2][2]), std::asin(std::clamp(-m[0][2], -1.0f, 1.0f)),
            std::atan2(m[0][1], m[0][0])};
}

Quaternion FromEulerXYZ(const Vector3& angles)
{
    const Quaternion x = QuaternionRotationAxis({1.0f, 0.0f, 0.0f}, angles.x);
    const Quaternion y = QuaternionRotationAxis({0.0f, 1.0f, 0.0f}, angles.y);
    const Quaternion z = QuaternionRotationAxis({0.0f, 0.0f, 1.0f}, angles.z);
    return QuaternionMultiply(QuaternionMultiply(x, y), z);
}

float Between(float value, float a, float b)
{
    return std::max(std::min(a, b), std::min(std::max(a, b), value));
}

// The link's rotation brought within its limits, angle by angle.
Quaternion Limited(const Quaternion& q, const CIKLinkLimit& limit)
{
    const Vector3 e = EulerXYZ(q);
    const Vector3 clamped{Between(e.x, limit.lower.x, limit.upper.x),
                          Between(e.y, limit.lower.y, limit.upper.y),
                          Between(e.z, limit.lower.z, limit.upper.z)};
    if (clamped == e)
        return q;
    return FromEulerXYZ(clamped);
}

// The one axis a limited link may turn about (0 X, 1 Y, 2 Z), where the other two are held
// at zero, as a knee's are; -1 otherwise.
int HingeAxis(const CIKLinkLimit& limit)
{
    if (!limit.limited)
        return -1;
    const auto fixed = [](float a, float b) { return a == 0.0f && b == 0.0f; };
    const bool x = fixed(limit.lower.x, limit.upper.x);
    const bool y = fixed(limit.lower.y, limit.upper.y);
    const bool z = fixed(limit.lower.z, limit.upper.z);
    if (!x && y && z)
        return 0;
    if (x && !y && z)
        return 1;
    if (x && y && !z)
        return 2;
    return -1;
}

} // namespace

CPmxPoser::CPmxPoser(const CModelDocument& model, std::vector<CBoneInstance>& bones,
                     BoneHierarchy hierarchy)
    : m_model(model)
    , m_bones(bones)
    , m_hierarchy(hierarchy)
{
    const std::size_t count = model.bones.size();
    m_deformOrder.resize(count);
    std::iota(m_deformOrder.begin(), m_deformOrder.end(), 0u);
    std::stable_sort(m_deformOrder.begin(), m_deformOrder.end(),
                     [&model](std::uint32_t a, std::uint32_t b) {
                         const CModelBone& x = model.bones[a];
                         const CModelBone& y = model.bones[b];
                         const bool xAfter = x.Has(CModelBone::kAfterPhysics);
                         const bool yAfter = y.Has(CModelBone::kAfterPhysics);
                         if (xAfter != yAfter)
                             return yAfter;
                         return x.layer < y.layer;
                     });
    m_ikOfBone.assign(count, -1);
    m_evaluated.assign(count, 0);
    const auto& place = hierarchy.placeOfBone;
    const auto& end = hierarchy.subtreeEnd;
    const auto below = [&](std::size_t bone, std::size_t ancestor) {
        return place[bone] > place[ancestor] && place[bone] < end[place[ancestor]];
    };
    // Scratch shared by every chain, sized by the bones rather than the links, and left
    // cleared after each chain: a chain may name millions of links, over and over the same
    // few bones, so nothing here may cost per pair of links or a path per link.
    constexpr std::uint32_t kNone = UINT32_MAX;
    std::vector<std::uint32_t> placeOnLine(count, kNone);
    std::vector<std::uint8_t> isLink(count, 0);
    std::vector<std::uint32_t> distinct;
    m_effectorLines.reserve(model.iks.size());
    m_lineStarts.reserve(model.iks.size());
    m_topLinks.reserve(model.iks.size());
    for (std::size_t i = 0; i < model.iks.size(); ++i) {
        const CModelIK& ik = model.iks[i];
        const auto effector = static_cast<std::size_t>(ik.effector);
        // Only the first IK of a bone solves: a PMX bone has one chain.
        if (m_ikOfBone[static_cast<std::size_t>(ik.ikBone)] < 0)
            m_ikOfBone[static_cast<std::size_t>(ik.ikBone)] = static_cast<int>(i);

        // The way down from the highest link above the effector to the effector: every link
        // above it finds the bones it moves as the tail of this one line.
        std::size_t highest = effector;
        for (std::uint16_t link : ik.chain) {
            if (below(effector, link) && place[link] < place[highest])
                highest = link;
        }
        std::vector<std::uint32_t> line;
        for (const CBoneInstance* at = &bones[effector];; at = at->parent) {
            line.push_back(static_cast<std::uint32_t>(at - bones.data()));
            if (at == &bones[highest])
                break;
        }
        std::reverse(line.begin(), line.end());
        for (std::size_t k = 0; k < line.size(); ++k)
            placeOnLine[line[k]] = static_cast<std::uint32_t>(k);
        std::vector<std::uint32_t> starts;
        starts.reserve(ik.chain.size());
        for (std::uint16_t link : ik.chain)
            starts.push_back(below(effector, link) ? placeOnLine[link] : kNone);
        for (std::uint32_t bone : line)
            placeOnLine[bone] = kNone;
        m_effectorLines.push_back(std::move(line));
        m_lineStarts.push_back(std::move(starts));

        // The links no other link holds in its subtree. Subtrees nest in hierarchy order, so
        // with the distinct links sorted by place each is either inside the last top found
        // or a new top. The tops keep the order the chain first names them.
        distinct.clear();
        for (std::uint16_t link : ik.chain) {
            if (isLink[link] == 0) {
                isLink[link] = 1;
                distinct.push_back(link);
            }
        }
        std::sort(distinct.begin(), distinct.end(),
                  [&](std::uint32_t a, std::uint32_t b) { return place[a] < place[b]; });
        std::size_t openEnd = 0;
        for (std::uint32_t link : distinct) {
            if (place[link] < openEnd) {
                isLink[link] = 0;
            } else {
                isLink[link] = 2;
                openEnd = end[place[link]];
            }
        }
        std::vector<std::uint32_t> tops;
        for (std::uint16_t link : ik.chain) {
            if (isLink[link] == 2)
                tops.push_back(link);
            isLink[link] = 0;
        }
        m_topLinks.push_back(std::move(tops));
    }
}

std::size_t CPmxPoser::Pose(std::size_t budgetPerChain, std::size_t budget, bool earlyStop)
{
    std::fill(m_evaluated.begin(), m_evaluated.end(), 0);
    std::size_t updates = 0;
    for (std::uint32_t index : m_deformOrder) {
        Evaluate(index);
        m_evaluated[index] = 1;
        const int ik = m_ikOfBone[index];
        if (ik >= 0)
            updates += SolveChain(static_cast<std::size_t>(ik),
                                  std::min(budgetPerChain, budget - updates), earlyStop);
    }
    return updates;
}

void CPmxPoser::Evaluate(std::size_t index)
{
    CBoneInstance& instance = m_bones[index];
    const CModelBone& bone = *instance.bone;
    instance.inheritedRotation = {};
    instance.inheritedTranslation = {};
    const bool inheritsRotation = bone.Has(CModelBone::kInheritRotation);
    const bool inheritsTranslation = bone.Has(CModelBone::kInheritTranslation);
    if (bone.inheritParent >= 0 && (inheritsRotation || inheritsTranslation)) {
        const auto sourceIndex = static_cast<std::size_t>(bone.inheritParent);
        const CBoneInstance& source = m_bones[sourceIndex];
        // A source that deforms later has only its sampled pose yet; taking that, rather than
        // what the last frame left, keeps the pose a function of the frame alone.
        const bool ready = m_evaluated[sourceIndex] != 0;
        const bool local = bone.Has(CModelBone::kInheritLocal);
        if (inheritsRotation) {
            Quaternion from = source.rotation;
            if (ready) {
                from = local ? QuaternionRotationMatrix(source.world)
                             : QuaternionMultiply(source.currentRotation, source.inheritedRotation);
            }
            instance.inheritedRotation = QuaternionScaled(from, bone.inheritRatio);
        }
        if (inheritsTranslation) {
            Vector3 from = source.translation;
            if (ready) {
                from = local ? source.WorldPosition() - source.bone->position
                             : source.translation + source.inheritedTranslation;
            }
            instance.inheritedTranslation = from * bone.inheritRatio;
        }
    }
    Quaternion rotation = instance.rotation;
    if (bone.Has(CModelBone::kFixedAxis) && Length(bone.fixedAxis) > 0.0f)
        rotation = OntoAxis(rotation, Normalize(bone.fixedAxis));
    instance.SetPmxRotation(rotation);
    instance.UpdateWorld();
}

void CPmxPoser::RefreshSubtree(std::size_t index)
{
    const std::size_t place = m_hierarchy.placeOfBone[index];
    for (std::size_t i = place + 1; i < m_hierarchy.subtreeEnd[place]; ++i)
        m_hierarchy.order[i]->UpdateWorld();
}

// Cyclic coordinate descent: each link in turn, from the effector towards the root, turns so
// that the effector swings towards the goal, by at most the unit angle a step and within
// the link's limits.
std::size_t CPmxPoser::SolveChain(std::size_t ikIndex, std::size_t budget, bool earlyStop)
{
    const CModelIK& ik = m_model.iks[ikIndex];
    const std::size_t links = ik.chain.size();
    if (links == 0)
        return 0;
    CBoneInstance& effector = m_bones[static_cast<std::size_t>(ik.effector)];
    const Vector3 goal = m_bones[static_cast<std::size_t>(ik.ikBone)].WorldPosition();
    const std::size_t passes
        = std::min(static_cast<std::size_t>(std::max(ik.iterations, 0)), budget / links);
    std::size_t updates = 0;
    for (std::size_t n = 0; n < passes; ++n) {
        bool turned = false;
        for (std::size_t k = 0; k < links; ++k) {
            ++updates;
            CBoneInstance& link = m_bones[ik.chain[k]];
            const CIKLinkLimit limit = k < ik.limits.size() ? ik.limits[k] : CIKLinkLimit{};
            const Vector3 l = link.WorldPosition();
            const Vector3 toEffector = effector.WorldPosition() - l;
            const Vector3 toGoal = goal - l;
            if (Length(toEffector) < kCoincident || Length(toGoal) < kCoincident)
                continue;
            const Vector3 a = Normalize(toEffector);
            const Vector3 b = Normalize(toGoal);
            float angle = std::acos(std::clamp(Dot(a, b), -1.0f, 1.0f));
            const Vector3 cross = Cross(a, b);
            if (angle < kSmallestTurn || Length(cross) == 0.0f)
                continue;
            // The step turns the link within its parent's frame.
            Vector3 axis = link.parent ? IntoFrame(cross, link.parent->world) : cross;
            axis = Normalize(axis);
            const int hinge = HingeAxis(limit);
            if (hinge >= 0) {
                const float along = hinge == 0 ? axis.x : hinge == 1 ? axis.y : axis.z;
                axis = {};
                (hinge == 0 ? axis.x : hinge == 1 ? axis.y : axis.z) = along >= 0.0f ? 1.0f : -1.0f;
            }
            if (ik.limitAngle > 0.0f)
                angle = std::min(angle, ik.limitAngle);
            Quaternion q
                = QuaternionMultiply(link.currentRotation, QuaternionRotationAxis(axis, angle));
            if (limit.limited)
                q = Limited(q, limit);
            if (q == link.currentRotation)
                continue;
            turned = true;
            link.SetPmxRotation(q);
            link.UpdateWorld();
            // The bones between the link and the effector follow it before the next link
            // measures where the effector is.
            const std::uint32_t start = m_lineStarts[ikIndex][k];
            if (start != UINT32_MAX) {
                const std::vector<std::uint32_t>& line = m_effectorLines[ikIndex];
                for (std::size_t j = start + 1; j < line.size(); ++j)
                    m_bones[line[j]].UpdateWorld();
            }
        }
        if (earlyStop && !turned)
            break;
    }
    for (std::uint32_t top : m_topLinks[ikIndex])
        RefreshSubtree(top);
    return updates;
}

} // namespace zelvane
