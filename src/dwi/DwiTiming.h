#pragma once

#include "base/TempoMap.h"
#include "text/Reason.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string_view>

namespace zelvane {

// One entry of a #CHANGEBPM or #FREEZE list, "position=value": the position counts sixteenth
// notes (12 clocks each) and may have decimals; the clock is the nearest one, ties to even.
struct DwiTimingEntry {
    std::int32_t clock = 0;
    double value = 0.0;
};

// A #CHANGEBPM entry: a position from clock 0 on and a tempo above 0. None for anything else.
std::optional<DwiTimingEntry> ParseDwiTempoChange(std::string_view entry);
// A #FREEZE entry: a position from clock 0 on and milliseconds of 0 or more. None otherwise.
std::optional<DwiTimingEntry> ParseDwiFreeze(std::string_view entry);

// Calls `take` with every entry of a comma-separated list, trimmed of spaces; empty entries
// (",," or a trailing comma) are no entries.
template<class Take> void ForEachDwiListEntry(std::string_view list, Take take)
{
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        std::string_view entry = list.substr(0, comma);
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        while (!entry.empty() && (entry.front() == ' ' || entry.front() == '\t'))
            entry.remove_prefix(1);
        while (!entry.empty() && (entry.back() == ' ' || entry.back() == '\t'))
            entry.remove_suffix(1);
        if (!entry.empty())
            take(entry);
    }
}

// The timing a DWI file sets with its #BPM, #CHANGEBPM and #FREEZE tags, taken in the order
// they come: a later tempo at a clock replaces an earlier one there (#BPM is the tempo at
// clock 0), and so does a later freeze. Then it becomes a tempo map.
class CDwiTiming {
public:
    explicit CDwiTiming(float songBpm);

    // #BPM: the tempo at clock 0.
    void SetSongBpm(float bpm) { m_tempos[0] = bpm; }
    // A #CHANGEBPM entry; one at clock 0 sets the song's tempo too.
    void SetTempo(std::int32_t clock, float bpm);
    void SetFreeze(std::int32_t clock, double milliseconds);

    float songBpm() const { return m_tempos.at(0); }
    // Whether any #CHANGEBPM or #FREEZE entry was taken.
    bool hasEntries() const { return m_hasEntries; }

    // The map of these tags, into `map`; or why a tempo map refuses them, `map` untouched.
    // A change to the tempo already holding and a freeze of no time are not events: they
    // change no time, and a file that only restates its #BPM stays a song of one tempo.
    [[nodiscard]] Reason Build(CTempoMap& map) const;

private:
    // Whether one more clock may be kept: a file of millions of entries is refused for
    // too many events whatever they are, so past the map's own limit none are stored.
    bool HasRoomFor(std::int32_t clock, bool tempo) const;

    std::map<std::int32_t, float> m_tempos;
    std::map<std::int32_t, double> m_freezes;
    bool m_hasEntries = false;
    bool m_overflowed = false;
};

} // namespace zelvane
