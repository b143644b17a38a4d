#pragma once

#include "base/TempoEvents.h"
#include "text/Reason.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zelvane {

// The limits every tempo map is held to.
constexpr float kMaxTempoBpm = 100000.0f;
// Stops and delays together, so the time a chart stands still stays bounded like its length.
constexpr double kMaxPauseMilliseconds = 60.0 * 60.0 * 1000.0;
// Every event counts, the song's tempo among them; like a chart's notes, a count that fits
// 16 bits.
constexpr std::size_t kMaxTempoEvents = 65535;

// Why one event breaks the limits; empty when it keeps them.
Reason TempoEventBreach(const CTempoEvent& event);

// How the chart's clocks meet the song's time when the tempo changes, the chart stands or
// skips. Clock 0 is at time 0 (frame 0, audio time `gap`); a note's time is the moment the
// chart plays it, after a delay at its clock and before a stop there.
//
// A map of the song's tempo alone converts with the functions of TimeUnits themselves, so a
// song without changes keeps its frames bit for bit. Otherwise the map works in frames as
// doubles: a clock at a tempo spans 37.5 / bpm frames, and clock x 37.5 is exact, so a time
// that is a whole frame comes out whole. Lookups are binary searches over segments of constant
// pace, each with the time the chart reaches it.
class CTempoMap {
public:
    // Any tempo is kept, so a document from before still converts as it did; Breach() says
    // when it is outside the limits, and no other event can be added until it is within them.
    explicit CTempoMap(float songBpm);

    float songBpm() const;
    // Sorted by clock; at one clock in the order of CTempoEvent's alternatives. The first
    // event is always the song's tempo at clock 0.
    const std::vector<CTempoEvent>& events() const { return m_events; }
    // Nothing but the song's tempo.
    bool IsSingleTempo() const { return m_events.size() == 1; }
    // The song's tempo when it breaks the limits, or empty.
    Reason Breach() const;

    // Every edit returns why it was refused, and then changes
    // nothing; empty when done. A clock holds at most one tempo change, and clock 0 the
    // song's. Adding many at once is one sort rather than one per event.
    [[nodiscard]] Reason Add(const CTempoEvent& event);
    [[nodiscard]] Reason Add(std::span<const CTempoEvent> events);
    // The event at `index` of events() becomes `event`; index 0 takes only a tempo at clock 0.
    [[nodiscard]] Reason Change(std::size_t index, const CTempoEvent& event);
    // The song's tempo cannot be removed, only changed.
    [[nodiscard]] Reason Remove(std::size_t index);

    // The time of the note at `clock`, in seconds from clock 0.
    double ClockToSeconds(std::int32_t clock) const;
    // The clock the chart has reached at `seconds`: inside a stop or a delay it stands at that
    // clock, across a warp it jumps to the warp's end. Times before clock 0 give clocks
    // truncated toward zero, as TimeUnits does; so does FrameToClock.
    std::int32_t SecondsToClock(double seconds) const;
    // The frame of the note at `clock`, truncated toward zero.
    std::int32_t ClockToFrame(std::int32_t clock) const;
    // The clock the chart has reached at the start of `frame`.
    std::int32_t FrameToClock(std::int32_t frame) const;
    // The song's length in clocks: the audio after the gap in whole frames, then in clocks.
    std::int32_t AudioLengthClocks(std::int32_t audioLength, std::int32_t gap) const;
    // The frame at which the chart reaches `clock`, before a delay there; the frame of the
    // note at `clock` for any clock without one.
    std::int32_t ArrivalFrame(std::int32_t clock) const;
    // The frame at which the chart moves on from `clock`, after a stop there; the frame of
    // the note at `clock` for any clock without one.
    std::int32_t DepartureFrame(std::int32_t clock) const;
    // Where the chart stands `frames` frames after clock 0, in clocks with their fraction:
    // FrameToClock before truncation, for what moves smoothly with the chart. It stands inside
    // a stop or a delay, jumps across a warp and moves at the tempo in between.
    double ClockPositionAtFrame(double frames) const;
    // The tempo that holds at `clock` (the song's before clock 0).
    float TempoAt(std::int32_t clock) const;
    // Whole frames a beat lasts at the tempo that holds at `clock`: 1800 / bpm in float,
    // truncated, whatever the stops and changes within that beat.
    std::int32_t FramesPerBeatAt(std::int32_t clock) const;
    bool IsInsideWarp(std::int32_t clock) const;
    // The first clock from which the two maps may convert differently: every clock before it
    // has the same times, frames and tempo in both. Empty when the maps are equal.
    std::optional<std::int32_t> FirstDifference(const CTempoMap& other) const;

    // Two maps are equal when they hold the same events; the segments follow from them.
    bool operator==(const CTempoMap& other) const { return m_events == other.m_events; }

private:
    // Clocks from `start` to the next segment's start, at one tempo, warped or not. Times
    // are frames from clock 0.
    struct Segment {
        std::int32_t start = 0;
        float bpm = 0.0f;
        bool warped = false;
        double arrival = 0.0; // the chart reaches `start`
        double note = 0.0;    // its notes play, after the delays there
        double leave = 0.0;   // it moves on, after the stops there

        // When the chart reaches the clock `offset` (1 or more) past the start.
        double Reach(std::int64_t offset) const;
    };

    const Segment& SegmentAt(std::int32_t clock) const;
    // When the chart plays the notes at `clock`.
    double NoteFrames(std::int32_t clock) const;
    // The last clock reached by `limit` in the unit `toLimit` turns frames into; `frames` is
    // `limit` in frames, a first guess that `toLimit` corrects.
    template<class ToLimit>
    std::int32_t ReachedClock(double limit, double frames, ToLimit toLimit) const;
    // Takes sorted events when they keep the limits that involve several of them.
    Reason Commit(std::vector<CTempoEvent> events);
    void Rebuild();

    std::vector<CTempoEvent> m_events;
    std::vector<Segment> m_segments;
};

} // namespace zelvane
