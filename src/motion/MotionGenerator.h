#pragma once

#include "motion/BoneFrameSequence.h"
#include "motion/MotionInput.h"
#include "motion/OptimalFeet.h"
#include "motion/SequenceMap.h"
#include "motion/StepFrame.h"
#include "motion/StepFrameStore.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace zelvane {

// The dance of one player: step frames laid on the time line of the chart (frame 0 =
// clock 0), feet assigned to the notes, and the bone keys made from them. Generate is pure
// work on a snapshot and creates no threads: CDanceWorker runs it on its thread, handing in
// the stop flag, the progress counter and the lock of the bone sequences. The generator
// keeps its memory (step frames, key storage) from run to run.
class CMotionGenerator {
public:
    static constexpr std::int32_t kProgressIdle = std::numeric_limits<std::int32_t>::max();
    static constexpr std::int32_t kProgressStarting = std::numeric_limits<std::int32_t>::min() + 1;

    CMotionGenerator() = default;
    CMotionGenerator(const CMotionGenerator&) = delete;
    CMotionGenerator& operator=(const CMotionGenerator&) = delete;

    // Rebuilds the dance from `startClock` on, keeping what lies before it. The first run,
    // a start before everything kept, and a change of gap, dancer or motion parameters
    // rebuild everything; a new tempo map rebuilds from the first clock where it differs. A run
    // that was stopped leaves its start clock pending, so the next run starts no later than that.
    // Throws InvalidArgumentError, with nothing changed, for notes beyond the chart limits; beat
    // frames end at the limit however long the song is.
    void Generate(const MotionInput& input, std::int32_t startClock,
                  const GenerationControl& control = {});

    const std::vector<CStepFrame*>& stepFrames() const { return m_stepFrames; }
    const CSequenceMap<CBoneFrameSequence>& boneSequences() const { return m_boneSequences; }
    const MotionParameters& parameters() const { return m_parameters; }

    // The pose of a bone at a frame (negative frames count as 0); the rest pose for a bone
    // the dance never moved. Under the key lock while a generation runs.
    BonePose GetBonePose(int nameID, std::int32_t frame) const;

    // The step frame for the frame of `clock`, created (on the beat when the clock is)
    // and appended unsorted if that frame has none yet.
    CStepFrame& GetStepFrame(std::int32_t clock);

    // Adds to the bone's key at `frame`, creating the sequence and a rest key as needed:
    // the translation is summed and the rotation composed after the key's own.
    CBoneFrame& AddBoneKey(int nameID, std::int32_t frame, const Vector3& translation,
                           const Quaternion& rotation);
    // Deletes every bone key after `frame`; the sequences stay.
    void TrimBoneKeys(std::int32_t frame);
    // Lays the built-in arm and finger pose on `frame`.
    void ApplyBasePose(std::int32_t frame);

private:
    void Run(const MotionInput& input, std::int32_t startClock, const GenerationControl& control);
    bool Stopped() const;
    void SetProgress(std::int32_t frame) const;
    // Returns the index of the last step frame kept.
    std::size_t PrepareRestart(std::int32_t startFrame, bool& fullReset);
    // Writes the keys of a kept step frame again, dropping every later key.
    void RewriteKeysFrom(CStepFrame& kept);
    // Assigns the feet of the frames after `last`; returns the first frame to write keys for.
    std::size_t AssignFeet(std::size_t last);
    void PlaceNotes(const MotionInput& input, std::int32_t startFrame);
    // Sorts the step frames by frame, the first `kept` (at least one) being sorted already.
    void SortStepFrames(std::size_t kept);
    // Where the chart stands still for a stop or a delay, adds a step frame after `last`
    // that holds the pose of the frame before it, so that the next step starts only when the
    // chart moves on. Keeps the step frames sorted.
    void HoldPausedPoses(std::size_t last);
    // Makes room in the bone sequences for the keys of `stepFrames` new step frames.
    void ReserveKeys(std::size_t stepFrames);

    MotionParameters m_parameters;
    const GenerationControl* m_control = nullptr;
    bool m_hasRun = false;
    std::int32_t m_pendingClock = std::numeric_limits<std::int32_t>::max();
    // A stopped run may have placed kept frames again before writing their keys: the next
    // run keeps nothing from this frame on.
    std::int32_t m_pendingFrame = std::numeric_limits<std::int32_t>::max();
    COptimalFeet m_optimalFeet;
    // Every beat clock below this has its step frame, as the last complete placing of the
    // notes left them: frames before a restart are kept, so a restart need not visit them.
    std::int64_t m_beatsPlacedBefore = 0;
    CStepFrameStore m_stepFrameStore;
    std::vector<CStepFrame*> m_stepFrames; // in frame order between runs
    std::vector<CStepFrame*> m_sortedNewFrames;
    std::vector<CStepFrame*> m_withHolds;
    CSequenceMap<CBoneFrameSequence> m_boneSequences;
};

} // namespace zelvane
