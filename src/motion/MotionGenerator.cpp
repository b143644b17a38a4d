#include "motion/MotionGenerator.h"

#include "base/ChartLimits.h"
#include "base/TimeUnits.h"
#include "motion/BasePose.h"
#include "motion/BoneIds.h"
#include "motion/MotionDocument.h"
#include "text/Errors.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <variant>

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

// The first beat at or after `clock`.
std::int64_t FirstBeatFrom(std::int64_t clock)
{
    return clock <= 0 ? 0 : (clock + kClocksPerBeat - 1) / kClocksPerBeat * kClocksPerBeat;
}

// The first clock on `frame` or later. Frames never decrease as clocks grow (at a finite
// tempo above 0), so "the clock's frame is before `frame`" is "the clock is before this".
std::int64_t FirstClockOfFrame(std::int32_t frame, const CTempoMap& tempo)
{
    std::int64_t low = std::numeric_limits<std::int32_t>::min();
    std::int64_t high = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    while (low < high) {
        const std::int64_t middle = low + (high - low) / 2;
        if (tempo.ClockToFrame(static_cast<std::int32_t>(middle)) >= frame)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
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
    const CTempoMap& tempo = m_parameters.tempo;
    const std::int32_t frame = tempo.ClockToFrame(clock);
    if (CStepFrame* found = m_stepFrameStore.Find(frame))
        return *found;
    // Only a frame on the beat dips by the beat's length.
    const bool onBeat = clock % kClocksPerBeat == 0;
    CStepFrame& created
        = m_stepFrameStore.Create(this, frame, onBeat, onBeat ? tempo.FramesPerBeatAt(clock) : 0);
    m_stepFrames.push_back(&created);
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
    const auto firstRebuilt = std::lower_bound(
        m_stepFrames.begin(), m_stepFrames.end(), startFrame,
        [](const auto& stepFrame, std::int32_t f) { return stepFrame->frame < f; });
    auto kept = static_cast<std::size_t>(firstRebuilt - m_stepFrames.begin());
    // A frame that holds a pose belongs with the step frame after it, where the chart moves
    // on: it is made again with that one. The stance before the first note holds nothing.
    while (kept > 1 && m_stepFrames[kept - 1]->holdsPose)
        --kept;

    OptionalLock lock(m_control->keyLock);
    if (kept == 0 || fullReset) {
        fullReset = true;
        m_optimalFeet.Clear();
        m_boneSequences.ClearKeepingStorage();
        m_stepFrames.clear();
        m_stepFrameStore.ReleaseAll();
        m_beatsPlacedBefore = 0;
        GetStepFrame(-kClocksPerBeat).InitStance();
        ApplyBasePose(BasePoseFrame(m_parameters.gap));
        return 0;
    }

    const std::size_t last = kept - 1;
    for (std::size_t i = kept; i < m_stepFrames.size(); ++i)
        m_stepFrameStore.Release(m_stepFrames[i]);
    m_stepFrames.resize(kept);

    RewriteKeysFrom(*m_stepFrames[last]);
    return last;
}

void CMotionGenerator::SortStepFrames(std::size_t kept)
{
    // The kept frames are sorted and lie before every frame made since: the new ones are
    // collected in frame order from the store. Should that not hold, everything is sorted.
    const std::int32_t lastKept = m_stepFrames[kept - 1]->frame;
    const auto firstNew = m_stepFrames.begin() + static_cast<std::ptrdiff_t>(kept);
    if (std::all_of(firstNew, m_stepFrames.end(),
                    [lastKept](const CStepFrame* made) { return made->frame > lastKept; })) {
        m_sortedNewFrames.clear();
        if (m_stepFrameStore.AppendSortedAfter(lastKept, m_stepFrames.size() - kept,
                                               m_sortedNewFrames)) {
            std::copy(m_sortedNewFrames.begin(), m_sortedNewFrames.end(), firstNew);
            return;
        }
    }
    std::stable_sort(m_stepFrames.begin(), m_stepFrames.end(),
                     [](const CStepFrame* a, const CStepFrame* b) { return a->frame < b->frame; });
}

void CMotionGenerator::ReserveKeys(std::size_t stepFrames)
{
    // Every step frame writes at most a key and an in-between key for the centre and the
    // feet, and a key for the upper body and the neck: sized once, the sequences never move
    // their keys while they are filled.
    OptionalLock lock(m_control->keyLock);
    for (const int nameID : {kBoneCenter, kBoneLeftFootIk, kBoneRightFootIk})
        m_boneSequences.Reserve(nameID, 2 * stepFrames);
    if (m_parameters.twist) {
        for (const int nameID : {kBoneUpperBody, kBoneNeck})
            m_boneSequences.Reserve(nameID, stepFrames);
    }
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
    const CTempoMap& tempo = m_parameters.tempo;
    const float bpm = tempo.songBpm();
    const bool monotonic = std::isfinite(bpm) && bpm > 0.0f;
    const std::int64_t firstRebuiltClock = monotonic ? FirstClockOfFrame(startFrame, tempo) : 0;
    auto beforeStart = [&](std::int32_t clock) {
        return monotonic ? clock < firstRebuiltClock : tempo.ClockToFrame(clock) < startFrame;
    };
    // The beats before both the start and the reach of the last complete placing have their
    // step frames: looking each of them up again would change nothing.
    const std::int64_t firstBeatToPlace
        = monotonic ? FirstBeatFrom(std::min(firstRebuiltClock, m_beatsPlacedBefore)) : 0;
    auto firstBeatAfter
        = [&](std::int32_t clock) { return std::max(FirstBeatAfter(clock), firstBeatToPlace); };

    // Nothing inside a warp is danced: its clocks take no time.
    const bool warps
        = std::any_of(tempo.events().begin(), tempo.events().end(),
                      [](const CTempoEvent& e) { return std::holds_alternative<CWarp>(e); });
    auto danced = [&](std::int64_t clock) {
        return !warps || !tempo.IsInsideWarp(static_cast<std::int32_t>(clock));
    };

    const std::int32_t firstPanel = m_parameters.firstPanel;
    const std::int32_t panelCount = std::min(m_parameters.panelCount, 8);
    std::int32_t previousClock = -1;
    std::int64_t lastOwnClock = -1;
    for (const CNote& note : input.notes) {
        if (Stopped())
            return;
        const std::int32_t panel = note.panel - firstPanel;
        if (panel < 0 || panel >= panelCount)
            continue;
        lastOwnClock = std::max<std::int64_t>(lastOwnClock, note.clock);
        if (!danced(note.clock))
            continue;
        if (beforeStart(note.clock)) {
            // Its own frame is kept, but a freeze reaching into the rebuilt part must still
            // release the held foot where it ends.
            if (note.length > 0 && !beforeStart(note.endClock()))
                GetStepFrame(note.endClock()).statuses[panel] = CStepFrame::FREEZE_END;
            continue;
        }
        if (note.clock != previousClock) {
            // An empty step frame on every beat between notes keeps the body bouncing.
            for (std::int64_t b = firstBeatAfter(previousClock); b < note.clock;
                 b += kClocksPerBeat) {
                if (Stopped())
                    return;
                if (danced(b))
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
    // The song may run on after the last note, but the dance ends two hours in: the beats
    // keep their frames to there even at tempos where notes stop at an earlier clock.
    const std::int64_t end = std::min<std::int64_t>(
        input.scoreLength, std::int64_t{MaxClockWithinChartFrames(tempo)} + 1);
    for (std::int64_t b = firstBeatAfter(previousClock); b < end; b += kClocksPerBeat) {
        if (Stopped())
            return;
        if (danced(b))
            GetStepFrame(static_cast<std::int32_t>(b));
    }
    // Every beat up to the last note and up to the end has its frame now.
    m_beatsPlacedBefore = std::max(end, lastOwnClock + 1);
}

void CMotionGenerator::HoldPausedPoses(std::size_t last)
{
    const CTempoMap& tempo = m_parameters.tempo;
    if (tempo.IsSingleTempo())
        return;
    // The pauses that may hold a pose after the last kept frame: a kept frame is a note's or
    // a beat's, so a stop whose clock's frame lies before it has ended by then.
    const CStepFrame& kept = *m_stepFrames[last];
    const std::int64_t firstClock = FirstClockOfFrame(kept.frame, tempo);
    const auto& events = tempo.events();
    auto event = std::lower_bound(
        events.begin(), events.end(), firstClock,
        [](const CTempoEvent& e, std::int64_t clock) { return EventClock(e) < clock; });

    m_withHolds.clear();
    bool held = false;
    std::size_t j = last + 1;
    for (; event != events.end() && j < m_stepFrames.size(); ++event) {
        const bool stop = std::holds_alternative<CStop>(*event);
        if (!stop && !std::holds_alternative<CDelay>(*event))
            continue;
        const std::int32_t clock = EventClock(*event);
        // Nothing inside a warp is danced: its pauses pass in the step to the note after it.
        if (tempo.IsInsideWarp(clock))
            continue;
        // A stop holds the pose until the chart moves on; a delay holds the pose before its
        // clock as long as it lasts, so that the step onto its note takes the time it would
        // without it and lands when the note plays.
        const std::int32_t threshold
            = stop ? tempo.DepartureFrame(clock) : tempo.ClockToFrame(clock);
        if (threshold <= kept.frame)
            continue;
        while (j < m_stepFrames.size() && m_stepFrames[j]->frame < threshold)
            m_withHolds.push_back(m_stepFrames[j++]);
        if (j == m_stepFrames.size())
            break; // no step follows to hold back
        const CStepFrame& before = m_withHolds.empty() ? kept : *m_withHolds.back();
        const std::int32_t next = m_stepFrames[j]->frame;
        std::int64_t hold = threshold;
        if (!stop)
            hold = std::int64_t{before.frame} + threshold - tempo.ArrivalFrame(clock);
        // The in-between keys of a step one frame later would land on the hold's keys.
        if (hold + 1 == next)
            --hold;
        if (hold <= before.frame || hold >= next)
            continue;
        CStepFrame& created = m_stepFrameStore.Create(this, static_cast<std::int32_t>(hold),
                                                      before.onBeat, before.beatFrames);
        created.holdsPose = true;
        m_withHolds.push_back(&created);
        held = true;
    }
    if (!held)
        return;
    m_withHolds.insert(m_withHolds.end(), m_stepFrames.begin() + static_cast<std::ptrdiff_t>(j),
                       m_stepFrames.end());
    m_stepFrames.resize(last + 1);
    m_stepFrames.insert(m_stepFrames.end(), m_withHolds.begin(), m_withHolds.end());
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
    const Reason breach = ChartLimitBreach(input.notes, input.parameters.tempo);
    if (!breach.empty())
        throw InvalidArgumentError(breach);
    m_control = &control;
    bool fullReset = !m_hasRun;
    // A new tempo map for the same dancer keeps the dance before its first change. The frames
    // from there on moved, and a frame of the old map is kept only if it lies before that
    // clock's frame in both maps.
    std::optional<CTempoMap> oldTempo;
    if (!fullReset && !(input.parameters == m_parameters)) {
        if (SameDancer(input.parameters, m_parameters)) {
            startClock
                = std::min(startClock, *m_parameters.tempo.FirstDifference(input.parameters.tempo));
            oldTempo.emplace(std::move(m_parameters.tempo));
        } else {
            fullReset = true;
        }
    }
    m_parameters = input.parameters;
    m_hasRun = true;
    startClock = std::min(startClock, m_pendingClock);
    if (fullReset)
        startClock = std::min(startClock, 0);
    m_pendingClock = startClock;

    std::int32_t startFrame = m_parameters.tempo.ClockToFrame(startClock);
    if (oldTempo)
        startFrame = std::min(startFrame, oldTempo->ClockToFrame(startClock));
    if (!fullReset)
        startFrame = std::min(startFrame, m_pendingFrame);
    const std::size_t last = PrepareRestart(startFrame, fullReset);
    // Nothing is placed before the initial stance.
    if (fullReset)
        startFrame = std::max(startFrame, m_stepFrames.front()->frame + 1);
    PlaceNotes(input, startFrame);
    SortStepFrames(last + 1);
    if (!Stopped())
        HoldPausedPoses(last);
    ReserveKeys(m_stepFrames.size() - (last + 1));

    const std::size_t firstKeys = AssignFeet(last);
    for (std::size_t j = firstKeys; j < m_stepFrames.size() && !Stopped(); ++j) {
        CStepFrame& frame = *m_stepFrames[j];
        const CStepFrame& previous = *m_stepFrames[j - 1];
        // The way the body turns on is the next step's, past the frames holding this pose.
        std::size_t stepAfter = j + 1;
        while (stepAfter < m_stepFrames.size() && m_stepFrames[stepAfter]->holdsPose)
            ++stepAfter;
        {
            OptionalLock lock(m_control->keyLock);
            if (frame.holdsPose)
                frame.KeepFacingOf(previous);
            else
                frame.LimitFacing(stepAfter < m_stepFrames.size() ? *m_stepFrames[stepAfter]
                                                                  : frame);
            frame.WriteInBetweenKeys(previous);
            frame.WriteKeys();
        }
        // The in-between keys of a step frame one frame later land on this one's keys.
        const CStepFrame& next = j + 1 < m_stepFrames.size() ? *m_stepFrames[j + 1] : frame;
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
