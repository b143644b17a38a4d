#pragma once

#include "base/Note.h"
#include "base/TempoMap.h"
#include "base/TimeUnits.h"
#include "text/Reason.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace zelvane {

// How far a chart may reach. A chart lasts at most two hours at its tempo and has no
// negative clocks or lengths, so the dance of any chart that gets in has a bounded number
// of step frames and every frame number fits 32 bits with room to spare. Every reader, edit
// command and paste holds charts to this one policy.
constexpr std::int32_t kMaxChartSeconds = 2 * 60 * 60;
constexpr std::int32_t kMaxChartFrames = kMaxChartSeconds * kFramesPerSecond; // 216 000

// Nor does a chart end after this clock, whatever its tempo: 87 381 beats, two hours at
// 728 BPM. At absurd tempos two hours hold every clock up to 2^31, and a chart that far out
// would make a written chart file of hundreds of megabytes.
constexpr std::int32_t kMaxChartClock = 1 << 22;

// The tempo of a song is above 0 and at most this many beats a minute (a tempo of 0 or
// less is no tempo at all and is refused as such where it is read).
constexpr float kMaxChartBpm = 100000.0f;

// Where the song starts against the chart, in milliseconds either way: ten minutes. The
// background video begins gap x 30 / 1000 frames before the chart, so a gap of billions of
// milliseconds would ask for a video of millions of frames.
constexpr std::int32_t kMaxChartGap = 10 * 60 * 1000;

// A chart holds at most this many notes: the document file counts a chart's notes in 16
// bits, and a chart that could not be saved must not get in. No real chart comes near it
// (two hours of eight steps a second is 57 600), while a tiny chart file at an absurd tempo
// could otherwise ask for hundreds of millions.
constexpr std::size_t kMaxChartNotes = 65535;

// The last clock whose frame is within kMaxChartFrames at this tempo (a finite tempo above
// 0). The dance places the song's beats up to there.
std::int32_t MaxClockWithinChartFrames(float bpm);
// The last clock a note may end at: MaxClockWithinChartFrames, and never after
// kMaxChartClock.
std::int32_t MaxChartClock(float bpm);
// The same through a tempo map: for a map of one tempo exactly the functions above.
std::int32_t MaxClockWithinChartFrames(const CTempoMap& tempo);
std::int32_t MaxChartClock(const CTempoMap& tempo);

// Why a tempo above 0 is beyond the limits; an empty reason when it is within.
Reason ChartTempoBreach(float bpm);
// Why a gap is beyond the limits, or an empty reason.
Reason ChartGapBreach(std::int32_t gap);

// Why a note does not fit the limits at this tempo; an empty reason when it fits.
// `maxClock` is MaxChartClock(bpm), computed once by callers that check many notes.
Reason ChartLimitBreach(const CNote& note, float bpm, std::int32_t maxClock);
Reason ChartLimitBreach(const CNote& note, float bpm);
// Why a chart of `count` notes is too many, or an empty reason.
Reason ChartNoteCountBreach(std::size_t count);
// The first breach among the notes (their count included), or an empty reason.
Reason ChartLimitBreach(std::span<const CNote> notes, float bpm);
// The same through a tempo map; `maxClock` is MaxChartClock(tempo).
Reason ChartLimitBreach(const CNote& note, const CTempoMap& tempo, std::int32_t maxClock);
Reason ChartLimitBreach(const CNote& note, const CTempoMap& tempo);
Reason ChartLimitBreach(std::span<const CNote> notes, const CTempoMap& tempo);

} // namespace zelvane
