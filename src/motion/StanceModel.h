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
// foot, and which foot moved last (or both, or none yet); stance = layout x 3 + last moved,
// where the layout is everything but the last moved foot. A slot is a panel of the dancer,
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

    // The costs that depend on the seconds since the previous frame with notes.
    struct GapCosts {
        float travelPerUnit = 0.0f;
        float doubleStep = 0.0f;
        float jack = 0.0f;
        float footswitch = 0.0f;
    };

    // One way to dance a frame from a layout.
    struct Move {
        int layout = 0;        // the layout after it
        int lastMoved = 0;     // kLastLeft, kLastRight, kLastBoth, or -1: nobody stepped
        float cost = 0.0f;     // all but the cost of the same foot stepping again
        float again = 0.0f;    // added when the foot that moved last is the one stepping alone
        CStepFrame::FOOT left; // panel, holding and stepped; positions are the frame's work
        CStepFrame::FOOT right;
    };

    explicit CStanceModel(const MotionParameters& parameters);

    int layoutCount() const { return m_slotCount * m_slotCount * 4; }
    int stanceCount() const { return layoutCount() * 3; }
    static FrameNotes NotesOf(const CStepFrame& frame);
    static GapCosts CostsAfter(float gapSeconds);
    // The stance of a frame whose feet are placed (holding flags included).
    int StanceOf(const CStepFrame& frame, int lastMoved) const;

    // The ways to dance `notes` from `layout`, in a fixed order; returns how many (1 or 2).
    int Moves(const FrameNotes& notes, int layout, const GapCosts& gap,
              std::array<Move, kOptions>& moves) const;
    // The stance a move leads to from a stance whose foot that moved last was `lastMoved`.
    static int StanceAfter(const Move& move, int lastMoved)
    {
        return move.layout * 3 + (move.lastMoved < 0 ? lastMoved : move.lastMoved);
    }

private:
    struct Layout {
        int left, right;
        bool leftHeld, rightHeld;
    };
    int Encode(const Layout& layout) const;
    Layout Decode(int layout) const;
    int SlotOfPanel(std::int32_t panel) const;
    std::int32_t PanelOfSlot(int slot) const;
    int ParkingSlot(int slot) const;
    std::size_t Pair(int left, int right) const
    {
        return static_cast<std::size_t>(left) * static_cast<std::size_t>(m_slotCount)
            + static_cast<std::size_t>(right);
    }

    int m_panelCount = 4;
    int m_slotCount = 5;
    std::vector<std::int32_t> m_slotPanels; // panel number standing for each slot
    std::vector<float> m_distances;         // panel units, by slot pair
    // By pair of slot pairs (before x pairs + after): facing away, crossing, spreading and
    // turning at a step from the one stance to the other.
    std::vector<float> m_stanceChangeCosts;
};

} // namespace zelvane
