#include "dwi/DwiTiming.h"

#include "text/StringTable.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <vector>

namespace zelvane {
namespace {

constexpr double kClocksPerSixteenth = 12.0;

// C atof rules, as for #BPM: the leading number counts, nothing after it; none without one.
template<class Number> std::optional<Number> ParseLeadingNumber(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The position and the value of "position=value", the value still as text.
struct SplitEntry {
    std::int32_t clock;
    std::string_view value;
};

std::optional<SplitEntry> SplitTimingEntry(std::string_view entry)
{
    const std::size_t equals = entry.find('=');
    if (equals == std::string_view::npos || entry.find('=', equals + 1) != std::string_view::npos)
        return std::nullopt;
    const std::optional<double> sixteenths = ParseLeadingNumber<double>(entry.substr(0, equals));
    if (!sixteenths)
        return std::nullopt;
    // The default rounding mode rounds ties to even.
    const double clock = std::nearbyint(*sixteenths * kClocksPerSixteenth);
    if (!(clock >= 0.0 && clock <= 2147483647.0))
        return std::nullopt;
    return SplitEntry{static_cast<std::int32_t>(clock), entry.substr(equals + 1)};
}

} // namespace

std::optional<DwiTimingEntry> ParseDwiTempoChange(std::string_view entry)
{
    const auto split = SplitTimingEntry(entry);
    if (!split)
        return std::nullopt;
    // A tempo is a float like the song's, so "146.25" here and in #BPM are one tempo.
    const std::optional<float> bpm = ParseLeadingNumber<float>(split->value);
    if (!bpm || !(*bpm > 0.0f))
        return std::nullopt;
    return DwiTimingEntry{split->clock, *bpm};
}

std::optional<DwiTimingEntry> ParseDwiFreeze(std::string_view entry)
{
    const auto split = SplitTimingEntry(entry);
    if (!split)
        return std::nullopt;
    const std::optional<double> milliseconds = ParseLeadingNumber<double>(split->value);
    if (!milliseconds || !(*milliseconds >= 0.0))
        return std::nullopt;
    return DwiTimingEntry{split->clock, *milliseconds};
}

CDwiTiming::CDwiTiming(float songBpm)
{
    m_tempos[0] = songBpm;
}

bool CDwiTiming::HasRoomFor(std::int32_t clock, bool tempo) const
{
    if (tempo ? m_tempos.contains(clock) : m_freezes.contains(clock))
        return true;
    return m_tempos.size() + m_freezes.size() < kMaxTempoEvents;
}

void CDwiTiming::SetTempo(std::int32_t clock, float bpm)
{
    m_hasEntries = true;
    if (!HasRoomFor(clock, true)) {
        m_overflowed = true;
        return;
    }
    m_tempos[clock] = bpm;
}

void CDwiTiming::SetFreeze(std::int32_t clock, double milliseconds)
{
    m_hasEntries = true;
    if (!HasRoomFor(clock, false)) {
        m_overflowed = true;
        return;
    }
    m_freezes[clock] = milliseconds;
}

Reason CDwiTiming::Build(CTempoMap& map) const
{
    // Past the limit the count is at least one more than it: the entries beyond it were
    // not kept to be counted.
    if (m_overflowed)
        return Reason(IDS_REASON_TOO_MANY_TEMPO_EVENTS, {kMaxTempoEvents + 1, kMaxTempoEvents});
    std::vector<CTempoEvent> events;
    float holding = songBpm();
    for (auto it = std::next(m_tempos.begin()); it != m_tempos.end(); ++it) {
        if (it->second == holding)
            continue;
        holding = it->second;
        events.push_back(CTempoChange{it->first, it->second});
    }
    for (const auto& [clock, milliseconds] : m_freezes)
        if (milliseconds > 0.0)
            events.push_back(CStop{clock, milliseconds});
    CTempoMap built(songBpm());
    if (!events.empty()) {
        if (Reason refused = built.Add(events); !refused.empty())
            return refused;
    }
    map = std::move(built);
    return {};
}

} // namespace zelvane
