#include "motion/BoneFrameSequence.h"

#include <algorithm>

namespace zelvane {

BonePose CBoneFrameSequence::Sample(std::int32_t f) const
{
    static const CBoneFrame kRest(0);
    const CBoneFrame* previous = FindAtOrBefore(f);
    if (previous == nullptr)
        previous = &kRest;
    const CBoneFrame* next = FindAtOrAfter(f);
    if (next == nullptr || previous->frame >= next->frame)
        return {previous->translation, previous->rotation};

    const std::int64_t span = static_cast<std::int64_t>(next->frame) - previous->frame;
    const std::int64_t offset = static_cast<std::int64_t>(f) - previous->frame;
    const int i = static_cast<int>(std::clamp<std::int64_t>(offset * 127 / span, 0, 127));

    auto channel = [&](float from, float to, int curve) {
        return from + (to - from) * static_cast<float>(next->curves[curve].table()[i]) / 127.0f;
    };
    BonePose pose;
    pose.translation.x = channel(previous->translation.x, next->translation.x, CBoneFrame::CURVE_X);
    pose.translation.y = channel(previous->translation.y, next->translation.y, CBoneFrame::CURVE_Y);
    pose.translation.z = channel(previous->translation.z, next->translation.z, CBoneFrame::CURVE_Z);
    const float amount
        = static_cast<float>(next->curves[CBoneFrame::CURVE_ROTATION].table()[i]) / 127.0f;
    pose.rotation = QuaternionSlerp(previous->rotation, next->rotation, amount);
    return pose;
}

} // namespace zelvane
