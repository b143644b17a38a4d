#include "motion/MotionGenerator.h"

#include "chart/ChartLimits.h"
#include "chart/TimeUnits.h"
#include "motion/BasePose.h"
#include "motion/MotionDocument.h"
#include "text/Errors.h"

#include <algorithm>

namespace zelvane {
namespace {

// A lock that does nothing when the caller gave no mutex.
class OptionalLock {
public:
    explicit OptionalLock(std::mutex* mutex)
        : m_mutex(mutex)
    {
        if (m_mutex)
            m_mutex->lock();
    }
    ~OptionalLock()
    {
        if (m_mutex)
            m_mutex->unlock();
    }
    OptionalLock(const OptionalLock&) = delete;
    OptionalLock& operator=(const OptionalLock&) = delete;

private:
    std::mutex* m_mutex;
};

// The song's first frame, where the base pose goes: after the export shifts the dance by
// the gap it is frame 0 of the file.
std::int32_t BasePoseFrame(std::int32_t gap)
{
    return static_cast<std::int32_t>(-(static_cast<std::int64_t>(gap) * 30) / 1000);
}

// The beat that follows `clock`, counted the way the beat frames have always been placed
// (for clock -1 that is clock 0).
std::int64_t FirstBeatAfter(std::int32_t clock)
{
    return (static_cast<std::int64_t>(clock) + kClocksPerBeat) / kClocksPerBeat * kClocksPerBeat;
}

} // namespace

bool CMotionGenerator::Stopped() const
{
    return m_control->stop && m_control->stop->load(std::memory_order_relaxed);
}

void CMotionGenerator::SetProgress(std::int32_t frame) const
{
    if (m_control->progress)
        m_control->progress->store(frame, std::memory_order_release);
    if (m_control->progressChanged)
        m_control->progressChanged();
}

CStepFrame& CMotionGenerator::GetStepFrame(std::int32_t clock)
{
    const std::int32_t frame = ClockToFrame(clock, m_parameters.bpm);
    const auto found = m_stepFrameIndex.find(frame);
    if (found != m_stepFrameIndex.end())
        return *found->second;
    m_stepFrames.push_back(std::make_unique<CStepFrame>(this, frame, clock % kClocksPerBeat == 0));
    CStepFrame& created = *m_stepFrames.back();
    m_stepFrameIndex.emplace(frame, &created);
    return created;
}

CBoneFrame& CMotionGenerator::AddBoneKey(int nameID, std::int32_t frame, const Vector3& translation,
                                         const Quaternion& rotation)
{
    CBoneFrameSequence& sequence = m_boneSequences.Get(nameID);
    CBoneFrame* key = sequence.Find(frame);
    if (key == nullptr)
        key = &sequence.Insert(CBoneFrame(frame));
    key->translation.x += translation.x;
    key->translation.y += translation.y;
    key->translation.z += translation.z;
    key->rotation = QuaternionMultiply(key->rotation, rotation);
    return *key;
}

void CMotionGenerator::TrimBoneKeys(std::int32_t frame)
{
    for (const auto& entry : m_boneSequences)
        entry.second->RemoveAfter(frame);
}

void CMotionGenerator::ApplyBasePose(std::int32_t frame)
{
    for (const auto& [nameID, sequence] : GetBasePose().boneSequences) {
        for (const CBoneFrame& base : sequence->keys()) {
            CBoneFrame& key = AddBoneKey(nameID, frame, base.translation, base.rotation);
            key.curves = base.curves;
        }
    }
}

BonePose CMotionGenerator::GetBonePose(int nameID, std::int32_t frame) const
{
    const CBoneFrameSequence* sequence = m_boneSequences.Find(nameID);
    if (sequence == nullptr)
        return {};
    return sequence->Sample(std::max(frame, 0));
}

std::size_t CMotionGenerator::PrepareRestart(std::int32_t startFrame, bool& fullReset)
{
    // The kept step frames are the sorted ones before the start frame.
    std::size_t kept = 0;
    while (kept < m_stepFrames.size() && m_stepFrames[kept]->frame < startFrame)
        ++kept;

    OptionalLock lock(m_control->keyLock);
    if (kept == 0 || fullReset) {
        fullReset = true;
        m_optimalFeet.Clear();
        m_boneSequences.ClearKeepingStorage();
        m_stepFrames.clear();
        m_stepFrameIndex.clear();
        GetStepFrame(-kClocksPerBeat).InitStance();
        ApplyBasePose(BasePoseFrame(m_parameters.gap));
        return 0;
    }

    const std::size_t last = kept - 1;
    for (std::size_t i = kept; i < m_stepFrames.size(); ++i)
        m_stepFrameIndex.erase(m_stepFrames[i]->frame);
    m_stepFrames.resize(kept);

    RewriteKeysFrom(*m_stepFrames[last]);
    return last;
}

void CMotionGenerator::RewriteKeysFrom(CStepFrame& kept)
{
    // The keys on the kept frame may hold the in-between keys of the frame after it (step
    // frames one frame apart), which is about to be rebuilt: they are written afresh rather
    // than added to twice. Its facing was limited by the run that made it.
    TrimBoneKeys(kept.frame - 1);
    kept.WriteKeys();
    // A trim that reached the base pose lays it again, so an edit never loses it.
    const std::int32_t basePoseFrame = BasePoseFrame(m_parameters.gap);
    if (basePoseFrame >= kept.frame)
        ApplyBasePose(basePoseFrame);
}

std::size_t CMotionGenerator::AssignFeet(std::size_t last)
{
    if (m_parameters.feet == FootAssignment::GREEDY) {
        for (std::size_t j = last + 1; j < m_stepFrames.size() && !Stopped(); ++j)
            m_stepFrames[j]->AssignFeet(*m_stepFrames[j - 1]);
        return last + 1;
    }
    const std::optional<std::size_t> first
        = m_optimalFeet.Assign(m_stepFrames, last, m_parameters, [this] { return Stopped(); });
    if (!first)
        return m_stepFrames.size();
    // The whole-chart search may have placed kept frames again: their keys go too.
    if (*first <= last && *first < m_stepFrames.size()) {
        m_pendingFrame = std::min(m_pendingFrame, m_stepFrames[*first]->frame);
        OptionalLock lock(m_control->keyLock);
        RewriteKeysFrom(*m_stepFrames[*first - 1]);
    }
    return *first;
}

void CMotionGenerator::PlaceNotes(const MotionInput& input, std::int32_t startFrame)
{
    const std::int32_t firstPanel = m_parameters.firstPanel;
    const std::int32_t panelCount = std::min(m_parameters.panelCount, 8);
    std::int32_t previousClock = -1;
    for (const CNote& note : input.notes) {
        if (Stopped())
            return;
        const std::int32_t panel = note.panel - firstPanel;
        if (panel < 0 || panel >= panelCount)
            continue;
        if (ClockToFrame(note.clock, m_parameters.bpm) < startFrame) {
            // Its own frame is kept, but a freeze reaching into the rebuilt part must still
            // release the held foot where it ends.
            if (note.length > 0 && ClockToFrame(note.endClock(), m_parameters.bpm) >= startFrame)
                GetStepFrame(note.endClock()).statuses[panel] = CStepFrame::FREEZE_END;
            continue;
        }
        if (note.clock != previousClock) {
            // An empty step frame on every beat between notes keeps the body bouncing.
            for (std::int64_t b = FirstBeatAfter(previousClock); b < note.clock;
                 b += kClocksPerBeat) {
                if (Stopped())
                    return;
                GetStepFrame(static_cast<std::int32_t>(b));
            }
            previousClock = note.clock;
        }
        CStepFrame& frame = GetStepFrame(note.clock);
        if (note.length > 0) {
            frame.statuses[panel] = CStepFrame::FREEZE_START;
            GetStepFrame(note.endClock()).statuses[panel] = CStepFrame::FREEZE_END;
        } else {
            frame.statuses[panel] = CStepFrame::TAP;
        }
    }
    // The song may run on after the last note, but the dance ends at the chart limit.
    const std::int64_t end = std::min<std::int64_t>(
        input.scoreLength, std::int64_t{MaxChartClock(m_parameters.bpm)} + 1);
    for (std::int64_t b = FirstBeatAfter(previousClock); b < end; b += kClocksPerBeat) {
        if (Stopped())
            return;
        GetStepFrame(static_cast<std::int32_t>(b));
    }
}

void CMotionGenerator::Generate(const MotionInput& input, std::int32_t startClock,
                                const GenerationControl& control)
{
    try {
        Run(input, startClock, control);
    } catch (...) {
        // A run cut short by a failure leaves its frames and keys half rebuilt: the next run
        // starts over from nothing.
        m_hasRun = false;
        m_control = nullptr;
        throw;
    }
}

void CMotionGenerator::Run(const MotionInput& input, std::int32_t startClock,
                           const GenerationControl& control)
{
    // Every reader and edit holds charts to the limits; a chart that got past them anyway is
    // refused here rather than danced into unbounded memory.
    const std::string breach = ChartLimitBreach(input.notes, input.parameters.bpm);
    if (!breach.empty())
        throw InvalidArgumentError(breach);
    m_control = &control;
    bool fullReset = !m_hasRun || !(input.parameters == m_parameters);
    m_parameters = input.parameters;
    m_hasRun = true;
    startClock = std::min(startClock, m_pendingClock);
    if (fullReset)
        startClock = std::min(startClock, 0);
    m_pendingClock = startClock;

    std::int32_t startFrame = ClockToFrame(startClock, m_parameters.bpm);
    if (!fullReset)
        startFrame = std::min(startFrame, m_pendingFrame);
    const std::size_t last = PrepareRestart(startFrame, fullReset);
    // Nothing is placed before the initial stance.
    if (fullReset)
        startFrame = std::max(startFrame, m_stepFrames.front()->frame + 1);
    PlaceNotes(input, startFrame);
    std::stable_sort(m_stepFrames.begin(), m_stepFrames.end(),
                     [](const auto& a, const auto& b) { return a->frame < b->frame; });

    const std::size_t firstKeys = AssignFeet(last);
    for (std::size_t j = firstKeys; j < m_stepFrames.size() && !Stopped(); ++j) {
        CStepFrame& frame = *m_stepFrames[j];
        const CStepFrame& next = j + 1 < m_stepFrames.size() ? *m_stepFrames[j + 1] : frame;
        {
            OptionalLock lock(m_control->keyLock);
            frame.LimitFacing(next);
            frame.WriteInBetweenKeys(*m_stepFrames[j - 1]);
            frame.WriteKeys();
        }
        // The in-between keys of a step frame one frame later land on this one's keys.
        const bool nextAdjoins
            = &next != &frame && std::int64_t{next.frame} == std::int64_t{frame.frame} + 1;
        SetProgress(nextAdjoins ? frame.frame - 1 : frame.frame);
    }

    if (!Stopped()) {
        m_pendingClock = std::numeric_limits<std::int32_t>::max();
        m_pendingFrame = std::numeric_limits<std::int32_t>::max();
    }
    SetProgress(kProgressIdle);
    m_control = nullptr;
}

} // namespace zelvane
