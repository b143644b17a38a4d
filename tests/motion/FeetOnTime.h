#pragma once

// Reads a written dance back and checks that a foot arrives on each note's panel when the song
// plays the note: the check every tempo map, and every imported chart, is held to.
#include "TestData.h"
#include "chart/Player.h"
#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "motion/BoneIds.h"
#include "motion/MotionDocument.h"
#include "motion/StepGeometry.h"
#include "motion/StepStatistics.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zelvane::test {

// A foot key is the panel point less the bone's rest x and the ankle's shift behind the
// panel, in single-precision sums of values below 20: a thousandth of a unit is many times
// their rounding and far below any move of a foot (panels 4 apart, a lift of 1.5).
constexpr float kOnPanel = 1e-3f;
// Between two equal keys a sample is the key itself, up to the rounding of the rotation's
// interpolation.
constexpr float kStill = 1e-5f;

struct Chart {
    std::string name;
    CTempoMap tempo{120.0f};
    std::vector<CNote> notes;
    std::int32_t gap = 0;
};

inline BonePose PoseAt(const CMotionDocument& motion, int nameID, std::int32_t frame)
{
    const CBoneFrameSequence* sequence = motion.boneSequences.Find(nameID);
    return sequence ? sequence->Sample(frame) : BonePose{};
}

// Where the foot-IK bone puts the foot: its key less the rest x and the backward shift of
// the facing its rotation carries, and the height of the lift.
inline Vector3 FootAt(const CMotionDocument& motion, bool left, std::int32_t frame)
{
    const MotionParameters defaults;
    const BonePose pose = PoseAt(motion, left ? kBoneLeftFootIk : kBoneRightFootIk, frame);
    const float facing = 2.0f * std::atan2(pose.rotation.y, pose.rotation.w);
    const float back = -0.7f * defaults.toeReach;
    const float restX = left ? defaults.leftFootRestX : defaults.rightFootRestX;
    return {pose.translation.x + restX + back * std::sin(facing), pose.translation.y,
            pose.translation.z + back * std::cos(facing)};
}

inline bool FootOnPanel(const CMotionDocument& motion, std::int32_t frame, std::int32_t panel)
{
    const Vector3 target = PanelPosition(panel, MotionParameters{});
    for (const bool left : {true, false}) {
        const Vector3 foot = FootAt(motion, left, frame);
        if (std::fabs(foot.x - target.x) < kOnPanel && std::fabs(foot.z - target.z) < kOnPanel
            && std::fabs(foot.y) < kOnPanel)
            return true;
    }
    return false;
}

// The export shifts the dance by the gap in whole frames: clock 0 is file frame
// gap x 30 / 1000 (truncated), and file frame 0 is the start of the song. A note is played
// at that frame plus its time from the map.
inline double FileFrameOfNote(const Chart& chart, std::int32_t clock)
{
    return chart.tempo.ClockToSeconds(clock) * 30.0 + chart.gap * 30 / 1000;
}

inline std::int32_t FileFrame(const Chart& chart, std::int32_t frame)
{
    return frame + chart.gap * 30 / 1000;
}

// The notes outside warps that have no foot on their panel within two frames of their time,
// said one a line.
inline std::vector<std::string> NotesMissed(const Chart& chart, const CMotionDocument& motion)
{
    std::vector<std::string> missed;
    for (const CNote& note : chart.notes) {
        if (chart.tempo.IsInsideWarp(note.clock))
            continue;
        const double time = FileFrameOfNote(chart, note.clock);
        bool landed = false;
        for (auto frame = static_cast<std::int32_t>(std::ceil(time - 2.0)); frame <= time + 2.0;
             ++frame)
            landed = landed || FootOnPanel(motion, frame, note.panel);
        if (!landed)
            missed.push_back(chart.name + ": the note at clock " + std::to_string(note.clock)
                             + " on panel " + std::to_string(note.panel) + " (file frame "
                             + std::to_string(time) + ")");
    }
    return missed;
}

// Every note outside a warp has a foot on its panel within two frames of its time.
inline void ExpectFeetLandOnTime(const Chart& chart, const CMotionDocument& motion)
{
    for (const std::string& note : NotesMissed(chart, motion))
        ADD_FAILURE() << note;
}

// The hardest SINGLE chart of a document read from a file, danced, written and read back:
// every note outside a warp that a foot takes lands on time. A chart may ask for more than two
// feet can do (three panels at once, a step while both feet hold freezes): the dance drops
// those notes, and only they may miss.
inline void ExpectHardestSingleLandsOnTime(CStepDocument& document, const std::string& name)
{
    CScore* hardest = nullptr;
    for (const char* difficulty : {"SMANIAC", "MANIAC", "ANOTHER", "BASIC", "BEGINNER"})
        if (!hardest)
            hardest = document.scores().Find(Style::SINGLE, difficulty);
    if (!hardest)
        return;
    Chart chart{
        name + " " + hardest->difficulty(), document.tempoMap(), {}, document.description().gap};
    for (const auto& note : hardest->notes())
        chart.notes.push_back(*note);
    document.SetDancing({true, document.dancing().feet});
    hardest->UpdateLength(0);
    CPlayer& player = *hardest->players()[0];
    CMotionDocument read;
    read.Read(player.MakeMotion("dancer").Write());
    const std::int32_t dropped
        = MeasureSteps(player.generator().stepFrames(), document.motionOptions().panelSize)
              .droppedNotes;
    const std::vector<std::string> missed = NotesMissed(chart, read);
    if (static_cast<std::int32_t>(missed.size()) > dropped) {
        ADD_FAILURE() << chart.name << ": " << missed.size() << " notes missed, " << dropped
                      << " dropped by the dance";
        for (const std::string& note : missed)
            ADD_FAILURE() << note;
    }
}

} // namespace zelvane::test
