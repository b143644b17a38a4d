#pragma once

#include <cstdint>
#include <variant>

namespace zelvane {

// The events of a tempo map: small values, each at the clock where it acts.

// From `clock` on the chart moves at `bpm` beats a minute. A 32-bit float like the song's own
// tempo, so a change to the song's tempo and back gives the same arithmetic.
struct CTempoChange {
    std::int32_t clock = 0;
    float bpm = 0.0f;
    bool operator==(const CTempoChange&) const = default;
};

// The chart waits at `clock` before its notes there while the song plays on.
struct CDelay {
    std::int32_t clock = 0;
    double milliseconds = 0.0;
    bool operator==(const CDelay&) const = default;
};

// The chart waits at `clock` after its notes there while the song plays on.
struct CStop {
    std::int32_t clock = 0;
    double milliseconds = 0.0;
    bool operator==(const CStop&) const = default;
};

// The clocks from `clock` up to (not including) `clock + length` take no time; their notes are
// not danced. Stops and delays among them still take theirs.
struct CWarp {
    std::int32_t clock = 0;
    std::int32_t length = 0;
    bool operator==(const CWarp&) const = default;
};

// Events at one clock are listed in the order of these alternatives, which is the order they
// act in: the tempo that holds from the clock, the wait before its notes, the wait after them,
// and the warp that leaves from it. Events of one kind at one clock keep the order they came in.
using CTempoEvent = std::variant<CTempoChange, CDelay, CStop, CWarp>;

inline std::int32_t EventClock(const CTempoEvent& event)
{
    return std::visit([](const auto& e) { return e.clock; }, event);
}

} // namespace zelvane
