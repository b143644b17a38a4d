#include "model/PmdIKSolver.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace zelvane {

namespace {

// An IK link this close to the effector cannot turn it anywhere.
constexpr float kCoincident = 1e-7f;

// A chain whose bones to check number more than this is not put beside others: it gets a
// round of its own, as does every chain once the chains checked hold this many bones
// together, so that planning stays cheap for a file with huge chains or very many.
constexpr std::size_t kLargestPlannedChain = 1024;
constexpr std::size_t kMostPlannedBones = 65536;

// The inverse of a pure rotation is its transpose: `v` taken into the frame that the rotation
// part of `transform` leads out of.
[[gnu::always_inline]] inline Vector3 IntoFrame(const Vector3& v, const Matrix& transform)
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
[[gnu::always_inline]] inline bool BendsBackwards(const Quaternion& q)
{
    const Matrix m = MatrixRotationQuaternion(q);
    const float y = m.m[2][1];
    const float x = m.m[2][2];
    if (y < 0.0f)
        return true;
    return y == 0.0f && std::signbit(y) && std::signbit(x) && !std::isnan(x);
}

// QuaternionRotationAxis with the same arithmetic, inline: the processor then overlaps its
// square root and sine with the other chain's step.
[[gnu::always_inline]] inline Quaternion TurnAbout(const Vector3& axis, float angle)
{
    const Vector3 unit = Normalize(axis);
    const float s = std::sin(angle * 0.5f);
    return {unit.x * s, unit.y * s, unit.z * s, std::cos(angle * 0.5f)};
}

} // namespace

CPmdIKSolver::CPmdIKSolver(const CModelDocument& model, std::vector<CBoneInstance>& bones,
                           BoneHierarchy hierarchy, std::size_t budgetPerChain, std::size_t budget)
    : m_bones(bones)
    , m_hierarchy(hierarchy)
    , m_budget(budget)
{
    m_chains.reserve(model.iks.size());
    for (const CModelIK& ik : model.iks) {
        Chain chain{&ik,
                    {},
                    &bones[static_cast<std::size_t>(ik.effector)],
                    &bones[static_cast<std::size_t>(ik.ikBone)],
                    0};
        chain.links.reserve(ik.chain.size());
        for (std::uint16_t link : ik.chain)
            chain.links.push_back(&bones[link]);
        if (!chain.links.empty()) {
            chain.passes = std::min(static_cast<std::size_t>(std::max(ik.iterations, 0)),
                                    budgetPerChain / chain.links.size());
        }
        m_chains.push_back(std::move(chain));
    }
    PlanRounds(budget);
}

void CPmdIKSolver::PlanRounds(std::size_t budget)
{
    const std::size_t count = m_chains.size();
    std::vector<std::size_t> roundOf(count);
    std::iota(roundOf.begin(), roundOf.end(), std::size_t{0});
    std::size_t worst = 0;
    for (const Chain& chain : m_chains)
        worst += chain.passes * chain.links.size();
    if (worst <= budget) {
        // What each chain reads and moves, as bone indices: its links and their parents, the
        // effector with its parent and the bones below it, which follow it at the end, and the
        // goal. Per bone, one more than the last round that reads it and that moves it.
        const auto indexOf = [this](const CBoneInstance* bone) {
            return static_cast<std::size_t>(bone - m_bones.data());
        };
        std::vector<std::size_t> lastRead(m_bones.size(), 0);
        std::vector<std::size_t> lastMoved(m_bones.size(), 0);
        std::vector<std::size_t> reads;
        std::vector<std::size_t> moves;
        std::size_t rounds = 0;
        std::size_t floor = 0;
        std::size_t planned = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const Chain& chain = m_chains[i];
            const std::size_t effector = indexOf(chain.effector);
            const std::size_t place = m_hierarchy.placeOfBone[effector];
            const std::size_t bones
                = m_hierarchy.subtreeEnd[place] - place + 2 * chain.links.size() + 2;
            planned += bones;
            if (bones > kLargestPlannedChain || planned > kMostPlannedBones) {
                // After every round so far, and every later chain after it.
                roundOf[i] = rounds;
                floor = ++rounds;
                continue;
            }
            moves.clear();
            moves.push_back(effector);
            for (const CBoneInstance* link : chain.links)
                moves.push_back(indexOf(link));
            for (std::size_t k = place + 1; k < m_hierarchy.subtreeEnd[place]; ++k)
                moves.push_back(indexOf(m_hierarchy.order[k]));
            reads = moves;
            reads.push_back(indexOf(chain.goal));
            for (const CBoneInstance* link : chain.links) {
                if (link->parent)
                    reads.push_back(indexOf(link->parent));
            }
            if (chain.effector->parent)
                reads.push_back(indexOf(chain.effector->parent));
            std::size_t round = floor;
            for (std::size_t bone : reads)
                round = std::max(round, lastMoved[bone]);
            for (std::size_t bone : moves)
                round = std::max(round, lastRead[bone]);
            for (std::size_t bone : reads)
                lastRead[bone] = std::max(lastRead[bone], round + 1);
            for (std::size_t bone : moves)
                lastMoved[bone] = std::max(lastMoved[bone], round + 1);
            roundOf[i] = round;
            rounds = std::max(rounds, round + 1);
        }
    }
    m_roundOrder.resize(count);
    std::iota(m_roundOrder.begin(), m_roundOrder.end(), std::size_t{0});
    std::stable_sort(m_roundOrder.begin(), m_roundOrder.end(),
                     [&](std::size_t a, std::size_t b) { return roundOf[a] < roundOf[b]; });
    m_roundStarts.clear();
    for (std::size_t i = 0; i < count; ++i) {
        if (i == 0 || roundOf[m_roundOrder[i]] != roundOf[m_roundOrder[i - 1]])
            m_roundStarts.push_back(i);
    }
    m_roundStarts.push_back(count);
    m_progress.reserve(count);
    m_active.reserve(count);
}

std::size_t CPmdIKSolver::Solve(bool earlyStop, bool sideBySide)
{
    std::size_t total = 0;
    if (!sideBySide) {
        for (std::size_t i = 0; i < m_chains.size(); ++i)
            total += SolveRound({&i, 1}, m_budget - total, earlyStop);
        return total;
    }
    const std::span<const std::size_t> order(m_roundOrder);
    for (std::size_t r = 0; r + 1 < m_roundStarts.size(); ++r) {
        total
            += SolveRound(order.subspan(m_roundStarts[r], m_roundStarts[r + 1] - m_roundStarts[r]),
                          m_budget - total, earlyStop);
    }
    return total;
}

std::size_t CPmdIKSolver::SolveRound(std::span<const std::size_t> chains, std::size_t budget,
                                     bool earlyStop)
{
    m_progress.clear();
    for (const std::size_t index : chains) {
        const Chain& chain = m_chains[index];
        const Vector3 goal = chain.goal->WorldPosition();
        chain.effector->SetCurrentRotation(chain.effector->rotation);
        if (chain.links.empty())
            continue;
        const std::size_t passes = std::min(chain.passes, budget / chain.links.size());
        m_progress.push_back({&chain, goal, passes, 0, 0, 0, false, false});
    }
    m_active.clear();
    for (Progress& progress : m_progress) {
        if (progress.passes > 0)
            m_active.push_back(&progress);
    }
    // One link update of each chain in turn, two chains at a time, until every chain is
    // done.
    while (!m_active.empty()) {
        std::size_t i = 0;
        for (; i + 1 < m_active.size(); i += 2) {
            Progress* pair[2] = {m_active[i], m_active[i + 1]};
            TurnLinks(pair);
        }
        if (i < m_active.size()) {
            Progress* one[1] = {m_active[i]};
            TurnLinks(one);
        }
        std::erase_if(m_active,
                      [earlyStop](Progress* progress) { return !Advance(*progress, earlyStop); });
    }
    // Nothing below an effector is read while its chain turns: it follows once, at the end.
    std::size_t updates = 0;
    for (const Progress& progress : m_progress) {
        UpdateBelow(*progress.chain->effector);
        updates += progress.updates;
    }
    return updates;
}

bool CPmdIKSolver::Advance(Progress& progress, bool earlyStop)
{
    ++progress.updates;
    if (!progress.passEnded && ++progress.link < progress.chain->links.size())
        return true;
    progress.passEnded = false;
    progress.link = 0;
    // A pass in which no link turned leaves every matrix as it was, so each later pass
    // would repeat it exactly: stopping here cannot change the pose.
    if (earlyStop && !progress.turned)
        return false;
    progress.turned = false;
    return ++progress.pass < progress.passes;
}

// Each step is written once for all the chains, so that the processor finds the same step
// of each chain side by side and works on them at once.
template<std::size_t N> void CPmdIKSolver::TurnLinks(Progress* const (&chains)[N])
{
    CBoneInstance* links[N];
    Vector3 a[N];
    Vector3 b[N];
    Vector3 cross[N];
    bool knee[N];
    // Whether the link stays as it is: the effector sits on it (which ends the pass), or the
    // goal lies on the line through link and effector (no axis to turn about, so the link
    // waits for the next pass).
    bool onLink[N];
    bool aligned[N];
#pragma GCC unroll 2
    for (std::size_t c = 0; c < N; ++c) {
        const Progress& progress = *chains[c];
        links[c] = progress.chain->links[progress.link];
        const Vector3 e = progress.chain->effector->WorldPosition();
        const Vector3 l = links[c]->WorldPosition();
        onLink[c] = Length(l - e) < kCoincident;
        a[c] = Normalize(l - e);
        b[c] = Normalize(l - progress.goal);
        cross[c] = Cross(a[c], b[c]);
        knee[c] = links[c]->bone->isKnee;
        aligned[c] = !knee[c] && Length(cross[c]) == 0.0f;
    }
    float angle[N] = {};
    Vector3 axis[N];
#pragma GCC unroll 2
    for (std::size_t c = 0; c < N; ++c) {
        if (onLink[c] || aligned[c])
            continue;
        // The step turns the link within its parent's frame.
        axis[c] = cross[c];
        if (links[c]->parent)
            axis[c] = IntoFrame(axis[c], links[c]->parent->world);
        axis[c] = Normalize(axis[c]);
        // A knee only hinges about its X axis.
        if (knee[c])
            axis[c] = {axis[c].x >= 0.0f ? 1.0f : -1.0f, 0.0f, 0.0f};
        angle[c] = std::acos(std::clamp(Dot(a[c], b[c]), -1.0f, 1.0f));
    }
    Quaternion q[N];
#pragma GCC unroll 2
    for (std::size_t c = 0; c < N; ++c) {
        Progress& progress = *chains[c];
        progress.passEnded = onLink[c];
        q[c] = links[c]->currentRotation;
        if (onLink[c] || aligned[c])
            continue;
        if (angle[c] != 0.0f)
            progress.turned = true;
        float half = angle[c] * 0.5f;
        const float cap
            = static_cast<float>(progress.link + 1) * progress.chain->ik->limitAngle * 2.0f;
        if (half > cap)
            half = cap;
        // The first pass takes a double step, to get moving from the sampled pose.
        const float stepAngle = progress.pass == 0 ? half * 2.0f * 2.0f : half * 2.0f;
        // The axis is in the parent's frame, so the step comes after the link's own
        // rotation.
        q[c] = QuaternionMultiply(q[c], TurnAbout(axis[c], stepAngle));
        // Keep a knee bending forwards only.
        if (knee[c] && BendsBackwards(q[c])) {
            q[c].x = -q[c].x;
            progress.turned = true;
        }
    }
    // An aligned link's local matrix is still made current: the links after it rebuild
    // their worlds from it.
#pragma GCC unroll 2
    for (std::size_t c = 0; c < N; ++c) {
        if (!onLink[c])
            links[c]->SetCurrentRotation(q[c]);
    }
#pragma GCC unroll 2
    for (std::size_t c = 0; c < N; ++c) {
        if (onLink[c] || aligned[c])
            continue;
        const Progress& progress = *chains[c];
        for (std::size_t j = progress.link + 1; j-- > 0;)
            progress.chain->links[j]->UpdateWorld();
        progress.chain->effector->UpdateWorld();
    }
}

void CPmdIKSolver::UpdateBelow(const CBoneInstance& bone)
{
    const auto index = static_cast<std::size_t>(&bone - m_bones.data());
    const std::size_t place = m_hierarchy.placeOfBone[index];
    for (std::size_t i = place + 1; i < m_hierarchy.subtreeEnd[place]; ++i)
        m_hierarchy.order[i]->UpdateFromSample();
}

} // namespace zelvane
