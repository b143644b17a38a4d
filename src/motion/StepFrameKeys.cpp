// The second stage of the dance: bone keys from the stance of each step frame.
#include "motion/BoneIds.h"
#include "motion/MotionGenerator.h"
#include "motion/StepFrame.h"
#include "motion/StepGeometry.h"

#include <algorithm>
#include <cmath>

namespace zelvane {
namespace {

// The ankle stands 0.7 toe lengths behind the panel point along the facing, so that the
// foot lies on the panel; the centre moves back with the feet.
Vector3 BackwardShift(float angle, float toeReach)
{
    const float back = -0.7f * toeReach;
    return {back * std::sin(angle), 0.0f, back * std::cos(angle)};
}

// The centre's vertical bounce eases in and out; the other channels are near linear.
void SetCenterCurves(CBoneFrame& key)
{
    key.curves[CBoneFrame::CURVE_X].Set(20, 20, 107, 107);
    key.curves[CBoneFrame::CURVE_Y].Set(64, 0, 64, 127);
    key.curves[CBoneFrame::CURVE_Z].Set(20, 20, 107, 107);
    key.curves[CBoneFrame::CURVE_ROTATION].Set(20, 20, 107, 107);
}

} // namespace

void CStepFrame::WriteKeys()
{
    if (frame < 0)
        return;
    const MotionParameters& prm = parameters();
    const float h = prm.panelSize;
    const Quaternion q = QuaternionRotationY(facing);
    const Vector3 o = BackwardShift(facing, prm.toeReach);

    // The wider the stance, the lower the body; and it dips on every beat, by at most h/8.
    float y = -0.05f * FloorDistance(left.position, right.position);
    if (onBeat) {
        const float beatSeconds = std::min(static_cast<float>(beatFrames) / 30.0f, 1.0f);
        y = y - h * 0.125f * beatSeconds;
    }

    CBoneFrame& centerKey
        = generator->AddBoneKey(kBoneCenter, frame, {center.x - o.x, y - o.y, center.z - o.z}, q);
    SetCenterCurves(centerKey);
    generator->AddBoneKey(kBoneLeftFootIk, frame,
                          {left.position.x - prm.leftFootRestX - o.x, -o.y, left.position.z - o.z},
                          q);
    generator->AddBoneKey(
        kBoneRightFootIk, frame,
        {right.position.x - prm.rightFootRestX - o.x, -o.y, right.position.z - o.z}, q);

    // The upper body turns a third of the way back toward the screen and the head another
    // third; nothing is turned while the back is to the screen.
    if (prm.twist && std::fabs(facing) >= kHalfPi) {
        const Quaternion twist = QuaternionRotationY(WrapAngle(kPi - facing) / 3.0f);
        generator->AddBoneKey(kBoneUpperBody, frame, {}, twist);
        generator->AddBoneKey(kBoneNeck, frame, {}, twist);
    }
}

void CStepFrame::WriteInBetweenKeys(const CStepFrame& previous)
{
    // Standing still, half-way included.
    if (holdsPose)
        return;
    // The sum of two frame numbers can leave 32 bits; their mean cannot.
    const auto mid = static_cast<std::int32_t>((std::int64_t{previous.frame} + frame) / 2);
    if (mid < 0)
        return;
    const MotionParameters& prm = parameters();
    const float h = prm.panelSize;

    auto average = [](const Vector3& a, const Vector3& b) {
        return Vector3{(a.x + b.x) / 2.0f, 0.0f, (a.z + b.z) / 2.0f};
    };
    const Vector3 leftMid = average(previous.left.position, left.position);
    const Vector3 rightMid = average(previous.right.position, right.position);
    Vector3 centerMid = average(previous.center, center);
    float y = -0.05f * FloorDistance(leftMid, rightMid);

    // Mean facing along the shorter arc.
    float a = facing;
    float b = previous.facing;
    if (b > a + kPi)
        b = b - kTwoPi;
    else if (a > b + kPi)
        a = a - kTwoPi;
    const float meanFacing = (a + b) / 2.0f;
    const Quaternion q = QuaternionRotationY(meanFacing);
    const Vector3 o = BackwardShift(meanFacing, prm.toeReach);

    // The longer since the previous step frame (up to a second), the bigger the motion.
    const float elapsed
        = std::min(static_cast<float>(std::int64_t{frame} - previous.frame) / 30.0f, 1.0f);
    float leftLift = 0.0f;
    float rightLift = 0.0f;
    if (left.stepped && right.stepped) {
        y = h * 0.125f * 3.0f * elapsed; // a jump raises the body, the feet stay down
    } else if (left.stepped) {
        leftLift = h * 0.125f;
        centerMid.x = centerMid.x + (right.position.x - center.x) * elapsed * 0.8f;
        centerMid.z = centerMid.z + (right.position.z - center.z) * elapsed * 0.8f;
    } else if (right.stepped) {
        rightLift = h * 0.125f;
        centerMid.x = centerMid.x + (left.position.x - center.x) * elapsed * 0.8f;
        centerMid.z = centerMid.z + (left.position.z - center.z) * elapsed * 0.8f;
    }

    generator->AddBoneKey(kBoneCenter, mid, {centerMid.x - o.x, y - o.y, centerMid.z - o.z}, q);
    generator->AddBoneKey(kBoneLeftFootIk, mid,
                          {leftMid.x - prm.leftFootRestX - o.x, leftLift - o.y, leftMid.z - o.z},
                          q);
    generator->AddBoneKey(
        kBoneRightFootIk, mid,
        {rightMid.x - prm.rightFootRestX - o.x, rightLift - o.y, rightMid.z - o.z}, q);
}

} // namespace zelvane
