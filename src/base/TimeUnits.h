#pragma once

#include <cstdint>

namespace zelvane {

// Every conversion between clocks, frames and audio time goes through these, with the
// integer and single-precision steps the program's files and dances depend on.
constexpr std::int32_t kClocksPerBeat = 48;
constexpr std::int32_t kClocksPerMeasure = 192;
constexpr std::int32_t kFramesPerSecond = 30;

// Truncates toward zero into 32 bits; NaN gives 0 and values beyond the range saturate.
std::int32_t TruncateToInt32(float value);
std::int32_t TruncateToInt32(double value);

// clock x 1800 / 48 in integers, then / bpm in float, truncated.
std::int32_t ClockToFrame(std::int32_t clock, float bpm);
// frame x 48 in integers, then x bpm / 60 / 30 in float, truncated.
std::int32_t FrameToClock(std::int32_t frame, float bpm);
// frame x 1000 / 30 + gap, in integers.
std::int32_t FrameToAudioTime(std::int32_t frame, std::int32_t gap);
// (ms - gap) / 1000 x 30 in float, truncated.
std::int32_t AudioTimeToFrame(std::int32_t milliseconds, std::int32_t gap);
// The gap's whole frames: gap x 30 / 1000 in 64-bit integers, truncated toward zero.
std::int32_t GapFrames(std::int32_t gap);
// The audio after the gap, in clocks: frames in integers, then clocks in float.
std::int32_t AudioLengthClocks(std::int32_t audioLength, std::int32_t gap, float bpm);

} // namespace zelvane
