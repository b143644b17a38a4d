#include "motion/MorphFrameSequence.h"

namespace zelvane {

float CMorphFrameSequence::Sample(std::int32_t f) const
{
    static const CMorphFrame kRest(0, 0.0f);
    const CMorphFrame* previous = FindAtOrBefore(f);
    if (previous == nullptr)
        previous = &kRest;
    const CMorphFrame* next = FindAtOrAfter(f);
    if (next == nullptr || previous->frame >= next->frame)
        return previous->weight;
    const auto span = static_cast<float>(static_cast<std::int64_t>(next->frame) - previous->frame);
    const auto offset = static_cast<float>(static_cast<std::int64_t>(f) - previous->frame);
    return previous->weight + (next->weight - previous->weight) * (offset / span);
}

} // namespace zelvane
