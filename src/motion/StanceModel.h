#pragma once

#include "motion/MotionInput.h"
#include "motion/MotionMath.h"
#include "motion/StepFrame.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zelvane {

// The stances a dancer can take and what each step between them costs, for the search of
// COptimalFeet. A stance is numbered: the slot of each foot, whether a freeze holds each
// foot, and which foot moved last (or both, or none yet). A slot is a panel of the dancer,
// or the centre of a pad, where a foot whose panel the other foot takes is parked.
class CStanceModel {
public:
    // Ways to dance one frame from one stance: which free foot takes the first danced note.
    static constexpr int kOptions = 2;
    static constexpr int kLastLeft = 0;
    static constexpr int kLastRight = 1;
    static constexpr int kLastBoth = 2;

    // The notes of one frame in visiting order: those that start, and the freezes that end.
    struct FrameNotes {
        std::array<std::int32_t, 8> starts{};
        std::array<CStepFrame::NOTE_STATUS, 8> startStatuses{};
        int startCount = 0;
        std::array<std::int32_t, 8> ends{};
        int endCount = 0;
    };

    struct Outcome {
        int stance = 0;
        CStepFrame::FOOT left; // panel, holding and stepped; positions are the frame's work
        CStepFrame::FOOT right;
        float cost = 0.0f;
    };

    explicit CStanceModel(const MotionParameters& parameters);

    int stanceCount() const { return m_slotCount * m_slotCount * 12; }
    static FrameNotes NotesOf(const CStepFrame& frame);
    // The stance of a frame whose feet are placed (holding flags included); lastMoved is one
    // of kLastLeft, kLastRight, kLastBoth.
    int StanceOf(const CStepFrame& frame, int lastMoved) const;

    // The stance after dancing `notes` from `from` with `option`, and its cost given the
    // seconds since the previous frame with notes. False when the option does not exist
    // (the foot it names is held, or there are fewer notes).
    bool Step(const FrameNotes& notes, int from, int option, float gapSeconds,
              Outcome& outcome) const;

private:
    struct Stance {
        int left, right;
        bool leftHeld, rightHeld;
        int lastMoved;
    };
    int Encode(const Stance& stance) const;
    Stance Decode(int index) const;
    int SlotOfPanel(std::int32_t panel) const;
    std::int32_t PanelOfSlot(int slot) const;
    int ParkingSlot(int slot) const;
    float Cost(const Stance& from, const Stance& to, bool leftStepped, bool rightStepped,
               bool parked, float gapSeconds) const;

    int m_panelCount = 4;
    int m_slotCount = 5;
    float m_unit = 4.0f;
    std::vector<Vector3> m_positions;       // by slot
    std::vector<float> m_facings;           // by left slot x slot count + right slot
    std::vector<std::int32_t> m_slotPanels; // panel number standing for each slot
};

} // namespace zelvane
