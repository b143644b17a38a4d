#include "base/ChartLimits.h"

#include "text/StringTable.h"

#include <algorithm>
#include <fmt/format.h>
#include <limits>

namespace zelvane {
namespace {

// The one test of the limits; the reasons below only say which part of it failed.
bool FitsChartLimits(const CNote& note, std::int32_t maxClock)
{
    return note.clock >= 0 && note.length >= 0
        && static_cast<std::int64_t>(note.clock) + note.length <= maxClock;
}

// ClockToFrame never decreases as the clock grows, so the last clock within the limit is
// found by bisection with the very conversion the dance uses.
template<class ClockToFrameOf> std::int32_t LastClockWithinChartFrames(ClockToFrameOf clockToFrame)
{
    std::int32_t low = 0; // clock 0 is frame 0, within
    std::int32_t high = std::numeric_limits<std::int32_t>::max();
    if (clockToFrame(high) <= kMaxChartFrames)
        return high;
    while (high - low > 1) {
        const std::int32_t middle = low + (high - low) / 2;
        if (clockToFrame(middle) <= kMaxChartFrames)
            low = middle;
        else
            high = middle;
    }
    return low;
}

Reason LimitOf(const CTempoMap& tempo, std::int32_t maxClock)
{
    // Which of the two limits holds: two hours, or at fast tempos the clock's own.
    if (maxClock == kMaxChartClock)
        return Reason(IDS_REASON_LIMIT_CLOCK, {maxClock});
    if (tempo.IsSingleTempo())
        return Reason(IDS_REASON_LIMIT_TWO_HOURS, {fmt::format("{}", tempo.songBpm()), maxClock});
    return Reason(IDS_REASON_LIMIT_TWO_HOURS_TEMPO_MAP, {maxClock});
}

} // namespace

std::int32_t MaxClockWithinChartFrames(float bpm)
{
    return LastClockWithinChartFrames(
        [bpm](std::int32_t clock) { return ClockToFrame(clock, bpm); });
}

std::int32_t MaxClockWithinChartFrames(const CTempoMap& tempo)
{
    if (tempo.IsSingleTempo())
        return MaxClockWithinChartFrames(tempo.songBpm());
    return LastClockWithinChartFrames(
        [&tempo](std::int32_t clock) { return tempo.ClockToFrame(clock); });
}

std::int32_t MaxChartClock(const CTempoMap& tempo)
{
    return std::min(MaxClockWithinChartFrames(tempo), kMaxChartClock);
}

std::int32_t MaxChartClock(float bpm)
{
    return std::min(MaxClockWithinChartFrames(bpm), kMaxChartClock);
}

Reason ChartTempoBreach(float bpm)
{
    if (bpm <= kMaxChartBpm)
        return {};
    return Reason(IDS_REASON_TEMPO_ABOVE_LIMIT,
                  {fmt::format("{}", bpm), fmt::format("{}", kMaxChartBpm)});
}

Reason ChartGapBreach(std::int32_t gap)
{
    if (gap >= -kMaxChartGap && gap <= kMaxChartGap)
        return {};
    return Reason(IDS_REASON_GAP_BEYOND_LIMIT, {gap, kMaxChartGap});
}

Reason ChartLimitBreach(const CNote& note, float bpm, std::int32_t maxClock)
{
    if (FitsChartLimits(note, maxClock))
        return {};
    return ChartLimitBreach(note, CTempoMap(bpm), maxClock);
}

Reason ChartLimitBreach(const CNote& note, const CTempoMap& tempo, std::int32_t maxClock)
{
    if (FitsChartLimits(note, maxClock))
        return {};
    if (note.clock < 0)
        return Reason(IDS_REASON_NOTE_BEFORE_START, {note.clock});
    if (note.length < 0)
        return Reason(IDS_REASON_NOTE_NEGATIVE_LENGTH, {note.clock, note.length});
    const std::int64_t end = static_cast<std::int64_t>(note.clock) + note.length;
    const Reason limit = LimitOf(tempo, maxClock);
    if (note.length == 0)
        return Reason(IDS_REASON_NOTE_AFTER_LIMIT, {note.clock, limit});
    return Reason(IDS_REASON_FREEZE_AFTER_LIMIT, {note.clock, end, limit});
}

Reason ChartLimitBreach(const CNote& note, float bpm)
{
    return ChartLimitBreach(note, bpm, MaxChartClock(bpm));
}

Reason ChartNoteCountBreach(std::size_t count)
{
    if (count <= kMaxChartNotes)
        return {};
    return Reason(IDS_REASON_TOO_MANY_NOTES, {count, kMaxChartNotes});
}

Reason ChartLimitBreach(const CNote& note, const CTempoMap& tempo)
{
    return ChartLimitBreach(note, tempo, MaxChartClock(tempo));
}

Reason ChartLimitBreach(std::span<const CNote> notes, float bpm)
{
    return ChartLimitBreach(notes, CTempoMap(bpm));
}

Reason ChartLimitBreach(std::span<const CNote> notes, const CTempoMap& tempo)
{
    if (Reason breach = ChartNoteCountBreach(notes.size()); !breach.empty())
        return breach;
    // Every dance checks its whole chart: the notes are tested first and only a note that
    // breaks the limits has its reason made.
    const std::int32_t maxClock = MaxChartClock(tempo);
    const auto breaking = std::find_if(notes.begin(), notes.end(), [maxClock](const CNote& note) {
        return !FitsChartLimits(note, maxClock);
    });
    if (breaking == notes.end())
        return {};
    return ChartLimitBreach(*breaking, tempo, maxClock);
}

} // namespace zelvane
