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
    , m_unit(parameters.panelSize / 3.0f)
{
    // One centre per pad: a panel number outside the pad's four lies at its centre.
    m_slotPanels.clear();
    for (std::int32_t panel = 0; panel < m_panelCount; ++panel)
        m_slotPanels.push_back(panel);
    m_slotPanels.push_back(-1);
    if (parameters.style == Style::DOUBLE && m_panelCount > 4)
        m_slotPanels.push_back(8);
    m_slotCount = static_cast<int>(m_slotPanels.size());

    for (const std::int32_t panel : m_slotPanels)
        m_positions.push_back(PanelPosition(panel, parameters));
    m_facings.resize(static_cast<std::size_t>(m_slotCount * m_slotCount));
    for (int left = 0; left < m_slotCount; ++left) {
        for (int right = 0; right < m_slotCount; ++right)
            m_facings[static_cast<std::size_t>(left * m_slotCount + right)]
                = FacingAngle(m_positions[static_cast<std::size_t>(left)],
                              m_positions[static_cast<std::size_t>(right)]);
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

int CStanceModel::Encode(const Stance& s) const
{
    return (((s.left * m_slotCount + s.right) * 2 + (s.leftHeld ? 1 : 0)) * 2
            + (s.rightHeld ? 1 : 0))
        * 3
        + s.lastMoved;
}

CStanceModel::Stance CStanceModel::Decode(int index) const
{
    Stance s{};
    s.lastMoved = index % 3;
    index /= 3;
    s.rightHeld = index % 2 != 0;
    index /= 2;
    s.leftHeld = index % 2 != 0;
    index /= 2;
    s.right = index % m_slotCount;
    s.left = index / m_slotCount;
    return s;
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
                   frame.left.holding, frame.right.holding, lastMoved});
}

bool CStanceModel::Step(const FrameNotes& notes, int from, int option, float gapSeconds,
                        Outcome& outcome) const
{
    const Stance before = Decode(from);
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

    Stance after = before;
    bool leftStepped = false;
    bool rightStepped = false;
    bool parked = false;
    const auto take = [&](bool leftFoot, int note) {
        const std::int32_t p = notes.starts[static_cast<std::size_t>(note)];
        const bool holds
            = notes.startStatuses[static_cast<std::size_t>(note)] == CStepFrame::FREEZE_START;
        (leftFoot ? after.left : after.right) = SlotOfPanel(p);
        (leftFoot ? after.leftHeld : after.rightHeld) = holds;
        (leftFoot ? leftStepped : rightStepped) = true;
    };
    if (danced == 0) {
        if (option != 0)
            return false;
    } else if (danced == 1) {
        const bool leftFoot = option == 0;
        if (leftFoot ? before.leftHeld : before.rightHeld)
            return false;
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
    if (leftStepped && rightStepped)
        after.lastMoved = kLastBoth;
    else if (leftStepped)
        after.lastMoved = kLastLeft;
    else if (rightStepped)
        after.lastMoved = kLastRight;

    outcome.stance = Encode(after);
    outcome.left.panel = PanelOfSlot(after.left);
    outcome.left.holding = after.leftHeld;
    outcome.left.stepped = leftStepped;
    outcome.right.panel = PanelOfSlot(after.right);
    outcome.right.holding = after.rightHeld;
    outcome.right.stepped = rightStepped;
    outcome.cost
        = danced == 0 ? 0.0f : Cost(before, after, leftStepped, rightStepped, parked, gapSeconds);
    return true;
}

float CStanceModel::Cost(const Stance& from, const Stance& to, bool leftStepped, bool rightStepped,
                         bool parked, float gapSeconds) const
{
    const auto position = [this](int slot) { return m_positions[static_cast<std::size_t>(slot)]; };
    const auto facing = [this](int left, int right) {
        return m_facings[static_cast<std::size_t>(left * m_slotCount + right)];
    };
    const float oldFacing = facing(from.left, from.right);
    const float newFacing = facing(to.left, to.right);

    const float away = (kPi - std::fabs(newFacing)) * kDegreesPerRadian;
    const float wasAway = (kPi - std::fabs(oldFacing)) * kDegreesPerRadian;
    float cost = kAwayPerDegree * away;
    const float crossing = away - std::max(wasAway, 90.0f);
    if (crossing > 0.0f)
        cost += kCrossPerDegree * crossing;

    const float spread = FloorDistance(position(to.left), position(to.right)) / m_unit;
    if (spread > kComfortableSpread)
        cost += kSpreadPerUnit * (spread - kComfortableSpread);

    if (newFacing != oldFacing) {
        if (TurnsThroughBack(oldFacing, newFacing))
            cost += kSpin;
        cost += kTurnPerDegree * std::fabs(WrapAngle(newFacing - oldFacing)) * kDegreesPerRadian;
    }

    // Moving far in a hurry is harder: up to three times the cost at no gap.
    const float travel = (FloorDistance(position(from.left), position(to.left))
                          + FloorDistance(position(from.right), position(to.right)))
        / m_unit;
    cost += kTravelPerUnit * travel * (1.0f + 4.0f * std::max(0.0f, 0.5f - gapSeconds));

    if (leftStepped != rightStepped) {
        const int foot = leftStepped ? kLastLeft : kLastRight;
        const bool samePanel = leftStepped ? from.left == to.left : from.right == to.right;
        const bool otherHeld = leftStepped ? from.rightHeld : from.leftHeld;
        if (from.lastMoved == foot && samePanel) {
            if (gapSeconds <= kJackFull)
                cost += kJack;
            else if (gapSeconds < kJackNone)
                cost += kJack * (kJackNone - gapSeconds) / (kJackNone - kJackFull);
        } else if (from.lastMoved == foot && !otherHeld) {
            const float falloff = kDoubleStepFull / std::max(gapSeconds, kDoubleStepFull);
            cost += kDoubleStep * falloff * falloff;
        }
    }
    if (parked)
        cost += kSwitchFast + kSwitchPerSecond * std::min(gapSeconds, 1.0f);
    return cost;
}

} // namespace zelvane
