#include "motion/StepFrame.h"

#include "base/Style.h"
#include "motion/MotionGenerator.h"
#include "motion/StepGeometry.h"

#include <cmath>
#include <utility>

namespace zelvane {
namespace {

void StepOn(CStepFrame::FOOT& foot, std::int32_t panel, CStepFrame::NOTE_STATUS status)
{
    foot.panel = panel;
    foot.stepped = true;
    foot.holding = status == CStepFrame::FREEZE_START;
}

} // namespace

CStepFrame::CStepFrame(CMotionGenerator* owner, std::int32_t atFrame, bool isOnBeat,
                       std::int32_t framesOfBeat)
    : generator(owner)
    , frame(atFrame)
    , onBeat(isOnBeat)
    , beatFrames(framesOfBeat)
{
    statuses.fill(NONE);
}

const MotionParameters& CStepFrame::parameters() const
{
    return generator->parameters();
}

Vector3 CStepFrame::PanelPosition(std::int32_t panel) const
{
    return zelvane::PanelPosition(panel, parameters());
}

void CStepFrame::InitStance()
{
    if (parameters().style == Style::DOUBLE) {
        left.panel = 3;
        right.panel = 4;
    } else {
        left.panel = 0;
        right.panel = 3;
    }
    facing = kPi;
    left.position = PanelPosition(left.panel);
    right.position = PanelPosition(right.panel);
    center.x = (left.position.x + right.position.x) / 2.0f;
    center.z = (left.position.z + right.position.z) / 2.0f;
    WriteKeys();
}

void CStepFrame::AssignFeet(const CStepFrame& previous)
{
    left = previous.left;
    right = previous.right;
    left.stepped = false;
    right.stepped = false;
    leadLeft = previous.leadLeft;

    // A foot already on the panel steps on it again.
    for (const std::int32_t p : kVisitingOrder) {
        const NOTE_STATUS status = statuses[p];
        if (status == NONE || status == FREEZE_END)
            continue;
        if (left.panel == p && left.IsFree())
            StepOn(left, p, status);
        else if (right.panel == p && right.IsFree())
            StepOn(right, p, status);
    }

    // The other notes go to the preferred foot, or to the other one if the preferred foot
    // is busy; a note neither foot can take is not danced. A panel served above comes to
    // nothing here: the foot on it is no longer free.
    for (const std::int32_t p : kVisitingOrder) {
        const NOTE_STATUS status = statuses[p];
        if (status == NONE || status == FREEZE_END)
            continue;
        const bool preferLeft = PreferLeftFoot(p, previous);
        FOOT& preferred = preferLeft ? left : right;
        FOOT& other = preferLeft ? right : left;
        if (preferred.IsFree() && other.panel != p)
            StepOn(preferred, p, status);
        else if (other.IsFree() && preferred.panel != p)
            StepOn(other, p, status);
    }

    // Releases come last, so a foot cannot leave a freeze and take a note in one frame.
    for (const std::int32_t p : kVisitingOrder) {
        if (statuses[p] != FREEZE_END)
            continue;
        if (left.panel == p)
            left.holding = false;
        else if (right.panel == p)
            right.holding = false;
    }

    if (left.stepped != right.stepped)
        leadLeft = right.stepped;
    UpdateStance();
}

bool CStepFrame::PreferLeftFoot(std::int32_t p, const CStepFrame& previous)
{
    const MotionParameters& prm = parameters();
    if (prm.turnEnabled)
        return leadLeft;

    // Distances from where the feet stood in the previous frame.
    const Vector3 target = PanelPosition(p);
    const float toLeft = FloorDistance(target, left.position);
    const float toRight = FloorDistance(target, right.position);
    const float reach = std::sqrt(5.0f) * (prm.panelSize / 3.0f);
    // Stepping with the nearer foot would leave the feet farther apart than the reach.
    const bool leftForced = toRight != 0.0f && toLeft > toRight && toLeft > reach;
    const bool rightForced = toLeft != 0.0f && toRight > toLeft && toRight > reach;

    enum { NEITHER, LEFT, RIGHT } chosen = NEITHER;
    if (leftForced != rightForced) {
        chosen = leftForced ? LEFT : RIGHT;
    } else if (!leftForced) {
        const bool leftOk = !TurnsThroughBack(previous.facing, FacingAngle(target, right.position));
        const bool rightOk = !TurnsThroughBack(previous.facing, FacingAngle(left.position, target));
        if (leftOk != rightOk)
            chosen = leftOk ? LEFT : RIGHT;
    }

    if (chosen == LEFT && right.panel != p) {
        leadLeft = true;
        return true;
    }
    if (chosen == RIGHT && left.panel != p) {
        leadLeft = false;
        return false;
    }
    return leadLeft;
}

void CStepFrame::UpdateStance()
{
    left.position = PanelPosition(left.panel);
    right.position = PanelPosition(right.panel);
    center.x = (left.position.x + right.position.x) / 2.0f;
    center.z = (left.position.z + right.position.z) / 2.0f;
    facing = FacingAngle(left.position, right.position);

    // A jump that would leave the back to the screen is danced with the feet exchanged.
    if (!parameters().turnEnabled && left.stepped && right.stepped && std::fabs(facing) < kHalfPi) {
        const float exchanged = FacingAngle(right.position, left.position);
        if (std::fabs(exchanged) >= kHalfPi) {
            std::swap(left, right);
            facing = exchanged;
        }
    }
}

void CStepFrame::PlaceFeet(const FOOT& newLeft, const FOOT& newRight)
{
    left = newLeft;
    right = newRight;
    if (left.stepped != right.stepped)
        leadLeft = right.stepped;
    left.position = PanelPosition(left.panel);
    right.position = PanelPosition(right.panel);
    center.x = (left.position.x + right.position.x) / 2.0f;
    center.z = (left.position.z + right.position.z) / 2.0f;
    facing = FacingAngle(left.position, right.position);
}

void CStepFrame::LimitFacing(const CStepFrame& next)
{
    if (parameters().turnEnabled)
        return;
    if (std::fabs(facing) >= kHalfPi) {
        // Facing the screen: the deviation is cut to a quarter.
        const float screen = facing > 0.0f ? kPi : -kPi;
        facing = (facing - screen) * 0.25f + screen;
    } else if (std::signbit(facing) == std::signbit(next.facing)
               || std::fabs(next.facing) >= kHalfPi) {
        // Turned away: stop side-on, unless the next frame turns on through the back.
        facing = facing < 0.0f ? -kHalfPi : kHalfPi;
    }
}

} // namespace zelvane
