#pragma once

#include "base/Note.h"
#include "base/TimeUnits.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zelvane {

// How far a chart may reach. A chart lasts at most two hours at its tempo and has no
// negative clocks or lengths, so the dance of any chart that gets in has a bounded number
// of step frames and every frame number fits 32 bits with room to spare. Every reader, edit
// command and paste holds charts to this one policy.
constexpr std::int32_t kMaxChartSeconds = 2 * 60 * 60;
constexpr std::int32_t kMaxChartFrames = kMaxChartSeconds * kFramesPerSecond; // 216 000

// A chart holds at most this many notes: the document file counts a chart's notes in 16
// bits, and a chart that could not be saved must not get in. No real chart comes near it
// (two hours of eight steps a second is 57 600), while a tiny chart file at an absurd tempo
// could otherwise ask for hundreds of millions.
constexpr std::size_t kMaxChartNotes = 65535;

// The last clock whose frame is within kMaxChartFrames at this tempo (a finite tempo above
// 0); a note may end there but not after it.
std::int32_t MaxChartClock(float bpm);

// Why a note does not fit the limits at this tempo, in one English sentence; empty when it
// fits. `maxClock` is MaxChartClock(bpm), computed once by callers that check many notes.
std::string ChartLimitBreach(const CNote& note, float bpm, std::int32_t maxClock);
std::string ChartLimitBreach(const CNote& note, float bpm);
// Why a chart of `count` notes is too many, or empty.
std::string ChartNoteCountBreach(std::size_t count);
// The first breach among the notes (their count included), or empty.
std::string ChartLimitBreach(std::span<const CNote> notes, float bpm);

} // namespace zelvane
