#include "motion/StanceModel.h"

#include "motion/StepGeometry.h"

#include <algorithm>
#include <cmath>

namespace zelvane {
namespace {

// The weights are ordered so that a fast double step costs more than stepping into a
// crossover of 135 degrees from a stance 45 degrees off the screen (135 x 0.5 + 45 x 6 +
// 90 x 0.5 = 382.5 < 550), a double step slower than about 0.6 s less than that
// (550 x (0.5 / 0.6)^2 = 382), and turning side-on (90 x 0.5 + 90 x 0.5 = 90) far less than
// any double step up to a second. Crossing is paid for as the feet cross further; standing
// crossed pays only for facing away, so a crossover danced through costs less than a double
// step in a fast run.
constexpr float kAwayPerDegree = 0.5f;     // per step, for every degree turned from the screen
constexpr float kCrossPerDegree = 6.0f;    // per degree the feet cross further beyond side-on
constexpr float kTurnPerDegree = 0.5f;     // per degree the body turns at a step
constexpr float kSpreadPerUnit = 60.0f;    // per panel unit the feet stand beyond a pad's width
constexpr float kComfortableSpread = 2.0f; // panel units: the outer panels of one pad
constexpr float kTravelPerUnit = 10.0f;    // per panel unit a foot moves
constexpr float kDoubleStep = 550.0f;      // full up to kDoubleStepFull seconds
constexpr float kDoubleStepFull = 0.5f;
constexpr float kJack = 150.0f; // full up to kJackFull seconds, gone from kJackNone on
constexpr float kJackFull = 0.1f;
constexpr float kJackNone = 0.3f;
constexpr float kSwitchFast = 60.0f;       // a footswitch in a fast run
constexpr float kSwitchPerSecond = 240.0f; // dearer the slower it is, up to one second
// A turn through the back to the screen: so dear that no saving elsewhere pays for it.
constexpr float kSpin = 1.0e6f;
constexpr float kDegreesPerRadian = 57.29578f;

} // namespace

CStanceModel::CStanceModel(const MotionParameters& parameters)
    : m_panelCount(std::clamp(parameters.panelCount, 1, 8))
{
    // One centre per pad: a panel number outside the pad's four lies at its centre.
    for (std::int32_t panel = 0; panel < m_panelCount; ++panel)
        m_slotPanels.push_back(panel);
    m_slotPanels.push_back(-1);
    if (parameters.style == Style::DOUBLE && m_panelCount > 4)
        m_slotPanels.push_back(8);
    m_slotCount = static_cast<int>(m_slotPanels.size());

    const float unit = parameters.panelSize > 0.0f ? parameters.panelSize / 3.0f : 1.0f;
    std::vector<Vector3> positions;
    for (const std::int32_t panel : m_slotPanels)
        positions.push_back(PanelPosition(panel, parameters));
    const std::size_t pairs
        = static_cast<std::size_t>(m_slotCount) * static_cast<std::size_t>(m_slotCount);
    std::vector<float> facings(pairs);
    std::vector<float> spreadCosts(pairs);
    m_distances.resize(pairs);
    for (int a = 0; a < m_slotCount; ++a) {
        for (int b = 0; b < m_slotCount; ++b) {
            const Vector3& pa = positions[static_cast<std::size_t>(a)];
            const Vector3& pb = positions[static_cast<std::size_t>(b)];
            facings[Pair(a, b)] = FacingAngle(pa, pb);
            m_distances[Pair(a, b)] = FloorDistance(pa, pb) / unit;
            spreadCosts[Pair(a, b)]
                = kSpreadPerUnit * std::max(0.0f, m_distances[Pair(a, b)] - kComfortableSpread);
        }
    }

    m_stanceChangeCosts.resize(pairs * pairs);
    for (std::size_t before = 0; before < pairs; ++before) {
        const float oldFacing = facings[before];
        const float wasAway = (kPi - std::fabs(oldFacing)) * kDegreesPerRadian;
        for (std::size_t after = 0; after < pairs; ++after) {
            const float newFacing = facings[after];
            const float away = (kPi - std::fabs(newFacing)) * kDegreesPerRadian;
            float cost = kAwayPerDegree * away + spreadCosts[after];
            const float crossing = away - std::max(wasAway, 90.0f);
            if (crossing > 0.0f)
                cost += kCrossPerDegree * crossing;
            if (newFacing != oldFacing) {
                if (TurnsThroughBack(oldFacing, newFacing))
                    cost += kSpin;
                cost += kTurnPerDegree * std::fabs(WrapAngle(newFacing - oldFacing))
                    * kDegreesPerRadian;
            }
            m_stanceChangeCosts[before * pairs + after] = cost;
        }
    }
}

CStanceModel::FrameNotes CStanceModel::NotesOf(const CStepFrame& frame)
{
    FrameNotes notes;
    for (const std::int32_t panel : CStepFrame::kVisitingOrder) {
        const CStepFrame::NOTE_STATUS status = frame.statuses[static_cast<std::size_t>(panel)];
        if (status == CStepFrame::FREEZE_END) {
            notes.ends[static_cast<std::size_t>(notes.endCount++)] = panel;
        } else if (status != CStepFrame::NONE) {
            notes.starts[static_cast<std::size_t>(notes.startCount)] = panel;
            notes.startStatuses[static_cast<std::size_t>(notes.startCount++)] = status;
        }
    }
    return notes;
}

CStanceModel::GapCosts CStanceModel::CostsAfter(float gapSeconds)
{
    GapCosts costs;
    // Moving far in a hurry is harder: up to three times the cost at no gap.
    costs.travelPerUnit = kTravelPerUnit * (1.0f + 4.0f * std::max(0.0f, 0.5f - gapSeconds));
    const float falloff = kDoubleStepFull / std::max(gapSeconds, kDoubleStepFull);
    costs.doubleStep = kDoubleStep * falloff * falloff;
    if (gapSeconds <= kJackFull)
        costs.jack = kJack;
    else if (gapSeconds < kJackNone)
        costs.jack = kJack * (kJackNone - gapSeconds) / (kJackNone - kJackFull);
    costs.footswitch = kSwitchFast + kSwitchPerSecond * std::clamp(gapSeconds, 0.0f, 1.0f);
    return costs;
}

int CStanceModel::Encode(const Layout& l) const
{
    return ((l.left * m_slotCount + l.right) * 2 + (l.leftHeld ? 1 : 0)) * 2
        + (l.rightHeld ? 1 : 0);
}

CStanceModel::Layout CStanceModel::Decode(int index) const
{
    Layout l{};
    l.rightHeld = index % 2 != 0;
    index /= 2;
    l.leftHeld = index % 2 != 0;
    index /= 2;
    l.right = index % m_slotCount;
    l.left = index / m_slotCount;
    return l;
}

int CStanceModel::SlotOfPanel(std::int32_t panel) const
{
    if (panel >= 0 && panel < m_panelCount)
        return panel;
    // Anywhere else is a pad's centre: the second pad's for the second pad's numbers.
    return panel >= 4 && m_slotCount > m_panelCount + 1 ? m_panelCount + 1 : m_panelCount;
}

std::int32_t CStanceModel::PanelOfSlot(int slot) const
{
    return m_slotPanels[static_cast<std::size_t>(slot)];
}

int CStanceModel::ParkingSlot(int slot) const
{
    return SlotOfPanel(PanelOfSlot(slot) >= 4 ? 8 : -1);
}

int CStanceModel::StanceOf(const CStepFrame& frame, int lastMoved) const
{
    return Encode({SlotOfPanel(frame.left.panel), SlotOfPanel(frame.right.panel),
                   frame.left.holding, frame.right.holding})
        * 3
        + lastMoved;
}

int CStanceModel::Moves(const FrameNotes& notes, int layout, const GapCosts& gap,
                        std::array<Move, kOptions>& moves) const
{
    const Layout before = Decode(layout);
    const std::int32_t leftPanel = PanelOfSlot(before.left);
    const std::int32_t rightPanel = PanelOfSlot(before.right);

    // The notes danced are the ones the note-by-note rule dances from this stance: a note
    // under a held foot is lost, a note under a free foot comes first, then the others in
    // visiting order while free feet remain.
    const int freeFeet = (before.leftHeld ? 0 : 1) + (before.rightHeld ? 0 : 1);
    std::array<int, 8> order{};
    int orderCount = 0;
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < notes.startCount; ++i) {
            const std::int32_t p = notes.starts[static_cast<std::size_t>(i)];
            if ((leftPanel == p && before.leftHeld) || (rightPanel == p && before.rightHeld))
                continue;
            const bool underFreeFoot = leftPanel == p || rightPanel == p;
            if (underFreeFoot == (pass == 0))
                order[static_cast<std::size_t>(orderCount++)] = i;
        }
    }
    const int danced = std::min(orderCount, freeFeet);

    int count = 0;
    for (int option = 0; option < kOptions; ++option) {
        Layout after = before;
        bool leftStepped = false;
        bool rightStepped = false;
        bool parked = false;
        const auto take = [&](bool leftFoot, int note) {
            const std::int32_t p = notes.starts[static_cast<std::size_t>(note)];
            (leftFoot ? after.left : after.right) = SlotOfPanel(p);
            (leftFoot ? after.leftHeld : after.rightHeld)
                = notes.startStatuses[static_cast<std::size_t>(note)] == CStepFrame::FREEZE_START;
            (leftFoot ? leftStepped : rightStepped) = true;
        };
        if (danced == 0) {
            if (option != 0)
                break;
        } else if (danced == 1) {
            // Option 0: the left foot takes the note; option 1: the right foot.
            const bool leftFoot = option == 0;
            if (leftFoot ? before.leftHeld : before.rightHeld)
                continue;
            take(leftFoot, order[0]);
            // The other foot on that panel hands it over and moves to the centre of its pad.
            int& otherSlot = leftFoot ? after.right : after.left;
            if (otherSlot == (leftFoot ? after.left : after.right)) {
                otherSlot = ParkingSlot(otherSlot);
                parked = true;
            }
        } else {
            take(true, order[static_cast<std::size_t>(option)]);
            take(false, order[static_cast<std::size_t>(1 - option)]);
        }

        // Freezes end after the steps, so a released foot takes nothing at this frame.
        for (int i = 0; i < notes.endCount; ++i) {
            const int slot = SlotOfPanel(notes.ends[static_cast<std::size_t>(i)]);
            if (after.left == slot)
                after.leftHeld = false;
            else if (after.right == slot)
                after.rightHeld = false;
        }

        Move& move = moves[static_cast<std::size_t>(count++)];
        move.layout = Encode(after);
        move.left.panel = PanelOfSlot(after.left);
        move.left.holding = after.leftHeld;
        move.left.stepped = leftStepped;
        move.right.panel = PanelOfSlot(after.right);
        move.right.holding = after.rightHeld;
        move.right.stepped = rightStepped;
        move.lastMoved = leftStepped && rightStepped ? kLastBoth
            : leftStepped                            ? kLastLeft
            : rightStepped                           ? kLastRight
                                                     : -1;
        move.cost = 0.0f;
        move.again = 0.0f;
        if (danced == 0)
            continue;
        const std::size_t pairs
            = static_cast<std::size_t>(m_slotCount) * static_cast<std::size_t>(m_slotCount);
        move.cost = m_stanceChangeCosts[Pair(before.left, before.right) * pairs
                                        + Pair(after.left, after.right)]
            + gap.travelPerUnit
                * (m_distances[Pair(before.left, after.left)]
                   + m_distances[Pair(before.right, after.right)]);
        if (parked)
            move.cost += gap.footswitch;
        // One foot stepping again after stepping alone: on its panel a jack, elsewhere a
        // double step unless the other foot is held.
        if (leftStepped != rightStepped) {
            const bool samePanel
                = leftStepped ? before.left == after.left : before.right == after.right;
            const bool otherHeld = leftStepped ? before.rightHeld : before.leftHeld;
            move.again = samePanel ? gap.jack : otherHeld ? 0.0f : gap.doubleStep;
        }
    }
    return count;
}

} // namespace zelvane
