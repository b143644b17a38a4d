#include "base/TimeUnits.h"

#include <cmath>
#include <limits>

namespace zelvane {
namespace {

// 64-bit intermediates keep products such as clock x 1800 from wrapping; where the 32-bit
// products do not overflow the results are the same.
std::int32_t Saturate(std::int64_t value)
{
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

// 2^31 is exact in float and double alike, so one body serves both.
template<typename Real> std::int32_t Truncate(Real value)
{
    if (std::isnan(value))
        return 0;
    if (value >= Real(2147483648.0))
        return std::numeric_limits<std::int32_t>::max();
    if (value < Real(-2147483648.0))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

} // namespace

std::int32_t TruncateToInt32(float value)
{
    return Truncate(value);
}

std::int32_t TruncateToInt32(double value)
{
    return Truncate(value);
}

std::int32_t ClockToFrame(std::int32_t clock, float bpm)
{
    const std::int64_t t = static_cast<std::int64_t>(clock) * 1800 / 48;
    return TruncateToInt32(static_cast<float>(t) / bpm);
}

std::int32_t FrameToClock(std::int32_t frame, float bpm)
{
    const std::int64_t clocks = static_cast<std::int64_t>(frame) * 48;
    return TruncateToInt32(static_cast<float>(clocks) * bpm / 60.0f / 30.0f);
}

std::int32_t FrameToAudioTime(std::int32_t frame, std::int32_t gap)
{
    return Saturate(static_cast<std::int64_t>(frame) * 1000 / 30 + gap);
}

std::int32_t AudioTimeToFrame(std::int32_t milliseconds, std::int32_t gap)
{
    const std::int64_t offset = static_cast<std::int64_t>(milliseconds) - gap;
    return TruncateToInt32(static_cast<float>(offset) / 1000.0f * 30.0f);
}

std::int32_t GapFrames(std::int32_t gap)
{
    return static_cast<std::int32_t>(static_cast<std::int64_t>(gap) * kFramesPerSecond / 1000);
}

std::int32_t AudioLengthClocks(std::int32_t audioLength, std::int32_t gap, float bpm)
{
    const std::int64_t frames = (static_cast<std::int64_t>(audioLength) - gap) * 30 / 1000;
    return TruncateToInt32(static_cast<float>(frames * 48) * bpm / 60.0f / 30.0f);
}

} // namespace zelvane
