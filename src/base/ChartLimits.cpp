#include "base/ChartLimits.h"

#include <algorithm>
#include <fmt/format.h>
#include <limits>

namespace zelvane {
namespace {

// The one test of the limits; the sentences below only say which part of it failed.
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

std::string ChartTempoBreach(float bpm)
{
    if (bpm <= kMaxChartBpm)
        return {};
    return fmt::format("the tempo of {} BPM is above the chart's limit of {} BPM", bpm,
                       kMaxChartBpm);
}

std::string ChartGapBreach(std::int32_t gap)
{
    if (gap >= -kMaxChartGap && gap <= kMaxChartGap)
        return {};
    return fmt::format("the gap of {} ms is beyond the chart's limit of {} ms either way", gap,
                       kMaxChartGap);
}

std::string ChartLimitBreach(const CNote& note, float bpm, std::int32_t maxClock)
{
    if (FitsChartLimits(note, maxClock))
        return {};
    if (note.clock < 0)
        return fmt::format("a note lies before the start of the chart (clock {})", note.clock);
    if (note.length < 0)
        return fmt::format("a note at clock {} has a negative length ({})", note.clock,
                           note.length);
    const std::int64_t end = static_cast<std::int64_t>(note.clock) + note.length;
    // Which of the two limits holds at this tempo: two hours, or above 728 BPM the clock's own.
    const std::string limit = maxClock == kMaxChartClock
        ? fmt::format("the chart's limit of clock {}", maxClock)
        : fmt::format("the chart's limit of two hours at {} BPM (clock {})", bpm, maxClock);
    if (note.length == 0)
        return fmt::format("a note at clock {} lies after {}", note.clock, limit);
    return fmt::format("a freeze at clock {} ends at clock {}, after {}", note.clock, end, limit);
}

std::string ChartLimitBreach(const CNote& note, float bpm)
{
    return ChartLimitBreach(note, bpm, MaxChartClock(bpm));
}

std::string ChartNoteCountBreach(std::size_t count)
{
    if (count <= kMaxChartNotes)
        return {};
    return fmt::format("the chart has {} notes, more than the {} a chart may hold", count,
                       kMaxChartNotes);
}

std::string ChartLimitBreach(std::span<const CNote> notes, float bpm)
{
    if (std::string breach = ChartNoteCountBreach(notes.size()); !breach.empty())
        return breach;
    // Every dance checks its whole chart: the notes are tested first and only a note that
    // breaks the limits has its sentence made.
    const std::int32_t maxClock = MaxChartClock(bpm);
    const auto breaking = std::find_if(notes.begin(), notes.end(), [maxClock](const CNote& note) {
        return !FitsChartLimits(note, maxClock);
    });
    if (breaking == notes.end())
        return {};
    return ChartLimitBreach(*breaking, bpm, maxClock);
}

} // namespace zelvane
