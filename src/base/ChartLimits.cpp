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

} // namespace

std::int32_t MaxClockWithinChartFrames(float bpm)
{
    // ClockToFrame never decreases as the clock grows, so the last clock within the limit
    // is found by bisection with the very conversion the dance uses.
    std::int32_t low = 0; // ClockToFrame(0) = 0 is within
    std::int32_t high = std::numeric_limits<std::int32_t>::max();
    if (ClockToFrame(high, bpm) <= kMaxChartFrames)
        return high;
    while (high - low > 1) {
        const std::int32_t middle = low + (high - low) / 2;
        if (ClockToFrame(middle, bpm) <= kMaxChartFrames)
            low = middle;
        else
            high = middle;
    }
    return low;
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
    if (note.clock < 0)
        return Reason(IDS_REASON_NOTE_BEFORE_START, {note.clock});
    if (note.length < 0)
        return Reason(IDS_REASON_NOTE_NEGATIVE_LENGTH, {note.clock, note.length});
    const std::int64_t end = static_cast<std::int64_t>(note.clock) + note.length;
    // Which of the two limits holds at this tempo: two hours, or above 728 BPM the clock's own.
    const Reason limit = maxClock == kMaxChartClock
        ? Reason(IDS_REASON_LIMIT_CLOCK, {maxClock})
        : Reason(IDS_REASON_LIMIT_TWO_HOURS, {fmt::format("{}", bpm), maxClock});
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

Reason ChartLimitBreach(std::span<const CNote> notes, float bpm)
{
    if (Reason breach = ChartNoteCountBreach(notes.size()); !breach.empty())
        return breach;
    // Every dance checks its whole chart: the notes are tested first and only a note that
    // breaks the limits has its reason made.
    const std::int32_t maxClock = MaxChartClock(bpm);
    const auto breaking = std::find_if(notes.begin(), notes.end(), [maxClock](const CNote& note) {
        return !FitsChartLimits(note, maxClock);
    });
    if (breaking == notes.end())
        return {};
    return ChartLimitBreach(*breaking, bpm, maxClock);
}

} // namespace zelvane
