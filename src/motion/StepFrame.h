#pragma once

#include "motion/MotionMath.h"

#include <array>
#include <cstdint>

namespace zelvane {

class CMotionGenerator;
struct MotionParameters;

// One moment of a dance at which something happens: the notes that start or end on the
// dancer's panels at this frame, where each foot stands, which foot stepped, and which way
// the body faces. The generator creates one per frame that has a note or a beat.
class CStepFrame {
public:
    enum NOTE_STATUS : std::int8_t {
        NONE = -1,
        TAP = 0,          // a tap starts on the panel
        FREEZE_START = 1, // a freeze starts; the foot that takes it stays held
        FREEZE_END = 2,   // a freeze ends; the foot on it is released
    };

    struct FOOT {
        Vector3 position;
        std::int32_t panel = 0;
        bool holding = false;
        bool stepped = false;

        bool IsFree() const { return !holding && !stepped; }
    };

    // Simultaneous notes are served in this order of panels. It is the order in which a
    // 17-bucket hash map keyed by panel, bucket = (16807 x panel mod 2^31-1) mod 17, lists
    // them, and it decides which of several notes is danced when the feet run out.
    static constexpr std::array<std::int32_t, 8> kVisitingOrder = {0, 5, 2, 7, 4, 1, 6, 3};

    CStepFrame(CMotionGenerator* generator, std::int32_t frame, bool onBeat,
               std::int32_t beatFrames = 0);

    CMotionGenerator* generator;
    std::int32_t frame;
    bool onBeat;             // created by a clock on a whole beat
    std::int32_t beatFrames; // on the beat, whole frames a beat lasts at that clock's tempo
    // Made where the chart stands still, to keep the pose of the step frame before it: the
    // same keys, no in-between keys, so that nothing moves until the next step begins.
    bool holdsPose = false;
    std::array<NOTE_STATUS, 8> statuses; // by relative panel
    FOOT left;
    FOOT right;
    Vector3 center;        // midpoint of the feet on the floor
    bool leadLeft = false; // the foot preferred for the next note nobody else decides
    float facing = 0.0f;   // body yaw, radians

    // Stance before the first note: on the outer panels (the inner ones of the two pads in
    // DOUBLE), facing the screen, the right foot to lead.
    void InitStance();
    // Decides which foot takes each note of this frame, from the stance of `previous`.
    void AssignFeet(const CStepFrame& previous);
    // Positions, centre and facing from the panels under the feet.
    void UpdateStance();
    // Puts the feet where an assignment over the whole chart decided and faces the way they
    // stand. That assignment weighs every stance itself, so no jump is turned around here.
    void PlaceFeet(const FOOT& newLeft, const FOOT& newRight);
    // Keeps the dancer turned toward the screen, unless turning around is allowed.
    void LimitFacing(const CStepFrame& next);
    // A frame that holds a pose faces as the frame it holds, limited already.
    void KeepFacingOf(const CStepFrame& previous) { facing = previous.facing; }

    // The bone keys of this frame, and the keys half-way back to `previous` (none for a
    // frame that holds a pose).
    void WriteKeys();
    void WriteInBetweenKeys(const CStepFrame& previous);

private:
    const MotionParameters& parameters() const;
    Vector3 PanelPosition(std::int32_t panel) const;
    // True for the left foot: the choice of the foot for a note on `panel` that no foot
    // stands on free, by distance and by turning, falling back to the lead.
    bool PreferLeftFoot(std::int32_t panel, const CStepFrame& previous);
};

} // namespace zelvane
