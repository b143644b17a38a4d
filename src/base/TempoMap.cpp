#include "base/TempoMap.h"

#include "base/TimeUnits.h"
#include "text/StringTable.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <limits>
#include <stdexcept>

namespace zelvane {
namespace {

// 1800 frames a minute over 48 clocks a beat: the frames one clock spans at 1 BPM. A clock
// count times this is exact in a double, so a span costs a single rounding, in the division.
constexpr double kFramesPerClockAtOneBpm = 1800.0 / 48.0;
constexpr std::int32_t kLastClock = std::numeric_limits<std::int32_t>::max();

double SpanFrames(std::int64_t clocks, float bpm)
{
    return static_cast<double>(clocks) * kFramesPerClockAtOneBpm / bpm;
}

double MillisecondsToFrames(double milliseconds)
{
    return milliseconds * kFramesPerSecond / 1000.0;
}

bool ComesBefore(const CTempoEvent& a, const CTempoEvent& b)
{
    const std::int32_t clockA = EventClock(a);
    const std::int32_t clockB = EventClock(b);
    if (clockA != clockB)
        return clockA < clockB;
    return a.index() < b.index();
}

double PauseMilliseconds(const CTempoEvent& event)
{
    if (const auto* delay = std::get_if<CDelay>(&event))
        return delay->milliseconds;
    if (const auto* stop = std::get_if<CStop>(&event))
        return stop->milliseconds;
    return 0.0;
}

Reason EventName(const CTempoEvent& event)
{
    static constexpr std::uint32_t names[] = {IDS_REASON_EVENT_TEMPO_CHANGE, IDS_REASON_EVENT_DELAY,
                                              IDS_REASON_EVENT_STOP, IDS_REASON_EVENT_WARP};
    return Reason(names[event.index()]);
}

std::string Number(double value)
{
    return fmt::format("{}", value);
}

bool IsTempoWithinLimits(float bpm)
{
    return bpm > 0.0f && bpm <= kMaxTempoBpm; // false for NaN
}

} // namespace

Reason TempoEventBreach(const CTempoEvent& event)
{
    const std::int32_t clock = EventClock(event);
    if (clock < 0)
        return Reason(IDS_REASON_TEMPO_EVENT_BEFORE_START, {EventName(event), clock});
    if (const auto* tempo = std::get_if<CTempoChange>(&event)) {
        if (!IsTempoWithinLimits(tempo->bpm))
            return Reason(IDS_REASON_TEMPO_CHANGE_OUT_OF_RANGE,
                          {clock, Number(tempo->bpm), Number(kMaxTempoBpm)});
    } else if (const auto* warp = std::get_if<CWarp>(&event)) {
        if (warp->length <= 0)
            return Reason(IDS_REASON_WARP_NOT_POSITIVE, {clock, warp->length});
        if (warp->length > kLastClock - clock)
            return Reason(IDS_REASON_WARP_PAST_LAST_CLOCK, {clock, warp->length, kLastClock});
    } else if (!(PauseMilliseconds(event) >= 0.0)) {
        return Reason(IDS_REASON_PAUSE_NEGATIVE,
                      {EventName(event), clock, Number(PauseMilliseconds(event))});
    }
    return {};
}

double CTempoMap::Segment::Reach(std::int64_t offset) const
{
    return leave + (warped ? 0.0 : SpanFrames(offset, bpm));
}

CTempoMap::CTempoMap(float songBpm)
    : m_events{CTempoChange{0, songBpm}}
{
    Rebuild();
}

float CTempoMap::songBpm() const
{
    return std::get<CTempoChange>(m_events.front()).bpm;
}

Reason CTempoMap::Breach() const
{
    if (IsTempoWithinLimits(songBpm()))
        return {};
    return Reason(IDS_REASON_SONG_TEMPO_OUT_OF_RANGE, {Number(songBpm()), Number(kMaxTempoBpm)});
}

Reason CTempoMap::Add(const CTempoEvent& event)
{
    return Add(std::span<const CTempoEvent>(&event, 1));
}

Reason CTempoMap::Add(std::span<const CTempoEvent> events)
{
    if (Reason breach = Breach(); !breach.empty())
        return breach;
    for (const CTempoEvent& event : events) {
        if (Reason breach = TempoEventBreach(event); !breach.empty())
            return breach;
    }
    if (m_events.size() + events.size() > kMaxTempoEvents)
        return Reason(IDS_REASON_TOO_MANY_TEMPO_EVENTS,
                      {m_events.size() + events.size(), kMaxTempoEvents});
    std::vector<CTempoEvent> merged;
    merged.reserve(m_events.size() + events.size());
    merged.insert(merged.end(), m_events.begin(), m_events.end());
    merged.insert(merged.end(), events.begin(), events.end());
    // A stable sort of the old events followed by the new keeps events of one kind at one
    // clock in the order they came in, and the song's tempo first.
    std::stable_sort(merged.begin(), merged.end(), ComesBefore);
    return Commit(std::move(merged));
}

Reason CTempoMap::Change(std::size_t index, const CTempoEvent& event)
{
    if (index >= m_events.size())
        throw std::out_of_range("no tempo event at this index");
    if (Reason breach = TempoEventBreach(event); !breach.empty())
        return breach;
    std::vector<CTempoEvent> events = m_events;
    if (index == 0) {
        if (!std::holds_alternative<CTempoChange>(event) || EventClock(event) != 0)
            return Reason(IDS_REASON_FIRST_EVENT_IS_SONG_TEMPO);
        events.front() = event;
    } else {
        if (Reason breach = Breach(); !breach.empty())
            return breach;
        events.erase(events.begin() + static_cast<std::ptrdiff_t>(index));
        // Placed after its kind at its clock, as if it came in last.
        events.insert(std::upper_bound(events.begin(), events.end(), event, ComesBefore), event);
    }
    return Commit(std::move(events));
}

Reason CTempoMap::Remove(std::size_t index)
{
    if (index >= m_events.size())
        throw std::out_of_range("no tempo event at this index");
    if (index == 0)
        return Reason(IDS_REASON_SONG_TEMPO_NOT_REMOVABLE);
    std::vector<CTempoEvent> events = m_events;
    events.erase(events.begin() + static_cast<std::ptrdiff_t>(index));
    return Commit(std::move(events));
}

Reason CTempoMap::Commit(std::vector<CTempoEvent> events)
{
    double pause = 0.0;
    for (std::size_t i = 0; i < events.size(); ++i) {
        pause += PauseMilliseconds(events[i]);
        // Tempo changes come first at their clock, so two at one clock are neighbours.
        const bool tempoTwice = i > 0 && std::holds_alternative<CTempoChange>(events[i])
            && std::holds_alternative<CTempoChange>(events[i - 1])
            && EventClock(events[i]) == EventClock(events[i - 1]);
        if (tempoTwice && EventClock(events[i]) == 0)
            return Reason(IDS_REASON_CLOCK_ZERO_HOLDS_SONG_TEMPO);
        if (tempoTwice)
            return Reason(IDS_REASON_CLOCK_HOLDS_TEMPO, {EventClock(events[i])});
    }
    if (!(pause <= kMaxPauseMilliseconds))
        return Reason(IDS_REASON_PAUSES_TOO_LONG, {Number(pause)});
    m_events = std::move(events);
    Rebuild();
    return {};
}

void CTempoMap::Rebuild()
{
    // Every clock where the pace may change: the events' clocks and the ends of warps.
    std::vector<std::int32_t> starts;
    starts.reserve(m_events.size() * 2);
    for (const CTempoEvent& event : m_events) {
        starts.push_back(EventClock(event));
        if (const auto* warp = std::get_if<CWarp>(&event))
            starts.push_back(warp->clock + warp->length);
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());

    m_segments.clear();
    m_segments.reserve(starts.size());
    float bpm = songBpm();
    std::int64_t warpEnd = 0; // overlapping warps join
    double arrival = 0.0;
    auto event = m_events.begin();
    for (std::size_t i = 0; i < starts.size(); ++i) {
        Segment segment;
        segment.start = starts[i];
        double delay = 0.0;
        double stop = 0.0;
        for (; event != m_events.end() && EventClock(*event) == segment.start; ++event) {
            if (const auto* tempo = std::get_if<CTempoChange>(&*event))
                bpm = tempo->bpm;
            else if (const auto* warp = std::get_if<CWarp>(&*event))
                warpEnd = std::max<std::int64_t>(warpEnd, std::int64_t{warp->clock} + warp->length);
            else if (std::holds_alternative<CDelay>(*event))
                delay += PauseMilliseconds(*event);
            else
                stop += PauseMilliseconds(*event);
        }
        segment.bpm = bpm;
        segment.warped = segment.start < warpEnd;
        segment.arrival = arrival;
        segment.note = arrival + MillisecondsToFrames(delay);
        segment.leave = segment.note + MillisecondsToFrames(stop);
        if (i + 1 < starts.size())
            arrival = segment.Reach(std::int64_t{starts[i + 1]} - segment.start);
        m_segments.push_back(segment);
    }
}

const CTempoMap::Segment& CTempoMap::SegmentAt(std::int32_t clock) const
{
    // The first segment starts at clock 0, and callers ask only from there on.
    const auto after = std::upper_bound(
        m_segments.begin(), m_segments.end(), clock,
        [](std::int32_t value, const Segment& segment) { return value < segment.start; });
    return *(after - 1);
}

double CTempoMap::NoteFrames(std::int32_t clock) const
{
    if (clock < 0)
        return SpanFrames(clock, songBpm());
    const Segment& segment = SegmentAt(clock);
    return clock == segment.start ? segment.note : segment.Reach(clock - segment.start);
}

template<class ToLimit>
std::int32_t CTempoMap::ReachedClock(double limit, double frames, ToLimit toLimit) const
{
    if (std::isnan(limit))
        return 0;
    if (limit < 0.0) // before clock 0 at the song's tempo
        return TruncateToInt32(frames * songBpm() / kFramesPerClockAtOneBpm);
    const auto after = std::upper_bound(
        m_segments.begin(), m_segments.end(), limit,
        [&](double value, const Segment& segment) { return value < toLimit(segment.arrival); });
    const Segment& segment = *(after - 1);
    const std::int64_t end
        = after == m_segments.end() ? std::int64_t{kLastClock} + 1 : after->start;
    const std::int64_t last = end - 1 - segment.start; // the last offset inside the segment
    const auto reached
        = [&](std::int64_t offset) { return toLimit(segment.Reach(offset)) <= limit; };
    // Inside a stop or a delay the chart stands at the segment's start. A warp's clocks are
    // never reached alone: they take no time, so the next segment starts when they do.
    if (last == 0 || !reached(1))
        return segment.start;
    // The guess is off by a rounding at most; the exact comparisons settle it.
    const double guess
        = std::floor((frames - segment.leave) * segment.bpm / kFramesPerClockAtOneBpm);
    auto offset = static_cast<std::int64_t>(std::clamp(guess, 1.0, static_cast<double>(last)));
    while (offset < last && reached(offset + 1))
        ++offset;
    while (offset > 1 && !reached(offset))
        --offset;
    return static_cast<std::int32_t>(segment.start + offset);
}

double CTempoMap::ClockToSeconds(std::int32_t clock) const
{
    return NoteFrames(clock) / kFramesPerSecond;
}

std::int32_t CTempoMap::SecondsToClock(double seconds) const
{
    // Compared in seconds, so the clock of a note's own time is that note's clock.
    return ReachedClock(seconds, seconds * kFramesPerSecond,
                        [](double frames) { return frames / kFramesPerSecond; });
}

std::int32_t CTempoMap::ClockToFrame(std::int32_t clock) const
{
    if (IsSingleTempo())
        return zelvane::ClockToFrame(clock, songBpm());
    return TruncateToInt32(NoteFrames(clock));
}

std::int32_t CTempoMap::FrameToClock(std::int32_t frame) const
{
    if (IsSingleTempo())
        return zelvane::FrameToClock(frame, songBpm());
    return ReachedClock(frame, frame, [](double frames) { return frames; });
}

std::int32_t CTempoMap::AudioLengthClocks(std::int32_t audioLength, std::int32_t gap) const
{
    if (IsSingleTempo())
        return zelvane::AudioLengthClocks(audioLength, gap, songBpm());
    // Whole frames in integers first, as for a single tempo; at most about 1.3e8 of them.
    const auto frames = static_cast<std::int32_t>((static_cast<std::int64_t>(audioLength) - gap)
                                                  * kFramesPerSecond / 1000);
    return FrameToClock(frames);
}

double CTempoMap::ClockPositionAtFrame(double frames) const
{
    if (std::isnan(frames))
        return 0.0;
    if (frames < 0.0) // before clock 0 at the song's tempo
        return frames * songBpm() / kFramesPerClockAtOneBpm;
    // The last segment the chart has reached: across a warp, the one after it.
    const auto after = std::upper_bound(
        m_segments.begin(), m_segments.end(), frames,
        [](double value, const Segment& segment) { return value < segment.arrival; });
    const Segment& segment = *(after - 1);
    if (frames <= segment.leave || segment.warped)
        return segment.start;
    const double end = after == m_segments.end() ? static_cast<double>(kLastClock)
                                                 : static_cast<double>(after->start);
    // Rounding must not carry the position past the next segment's start.
    return std::min(
        segment.start + (frames - segment.leave) * segment.bpm / kFramesPerClockAtOneBpm, end);
}

float CTempoMap::TempoAt(std::int32_t clock) const
{
    return clock < 0 ? songBpm() : SegmentAt(clock).bpm;
}

std::int32_t CTempoMap::ArrivalFrame(std::int32_t clock) const
{
    if (IsSingleTempo() || clock < 0)
        return ClockToFrame(clock);
    const Segment& segment = SegmentAt(clock);
    return TruncateToInt32(clock == segment.start ? segment.arrival : NoteFrames(clock));
}

std::int32_t CTempoMap::DepartureFrame(std::int32_t clock) const
{
    if (IsSingleTempo() || clock < 0)
        return ClockToFrame(clock);
    const Segment& segment = SegmentAt(clock);
    return TruncateToInt32(clock == segment.start ? segment.leave : NoteFrames(clock));
}

std::int32_t CTempoMap::FramesPerBeatAt(std::int32_t clock) const
{
    return TruncateToInt32(kFramesPerSecond * 60.0f / TempoAt(clock));
}

bool CTempoMap::IsInsideWarp(std::int32_t clock) const
{
    return clock >= 0 && SegmentAt(clock).warped;
}

std::optional<std::int32_t> CTempoMap::FirstDifference(const CTempoMap& other) const
{
    if (*this == other)
        return std::nullopt;
    // The song's tempo alone converts with other arithmetic than a map of changes: any
    // clock may come out a frame apart.
    if (IsSingleTempo() != other.IsSingleTempo())
        return 0;
    // Segments are built from clock 0 on, each from the events up to its start only, so
    // the maps agree on every clock before the first event they do not share.
    const auto [mine, theirs] = std::mismatch(m_events.begin(), m_events.end(),
                                              other.m_events.begin(), other.m_events.end());
    if (mine == m_events.end())
        return EventClock(*theirs);
    if (theirs == other.m_events.end())
        return EventClock(*mine);
    return std::min(EventClock(*mine), EventClock(*theirs));
}

} // namespace zelvane
