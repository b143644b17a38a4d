#include "stepmania/SmTiming.h"

#include "stepmania/MsdText.h"

#include "base/TimeUnits.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fmt/format.h>
#include <limits>
#include <string_view>

namespace zelvane::stepmania {
namespace {

std::optional<double> ParseNumber(std::string_view text)
{
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

struct Entry {
    std::int64_t clock = 0;
    double value = 0.0;
};

// "beat=value,beat=value,...": every entry that reads, in the order written.
std::vector<Entry> ReadEntries(const std::optional<std::string>& list, std::string_view tag,
                               std::vector<Reason>& passedOver)
{
    std::vector<Entry> entries;
    if (!list)
        return entries;
    std::string_view rest = *list;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view entry = TrimBlanks(rest.substr(0, comma));
        if (!entry.empty()) {
            const std::size_t equals = entry.find('=');
            const std::optional<double> beat = equals == std::string_view::npos
                ? std::nullopt
                : ParseNumber(entry.substr(0, equals));
            const std::optional<double> value
                = beat ? ParseNumber(entry.substr(equals + 1)) : std::nullopt;
            const std::optional<std::int64_t> clock = value ? BeatToClock(*beat) : std::nullopt;
            if (clock)
                entries.push_back({*clock, *value});
            else
                passedOver.push_back(
                    Reason(IDS_REASON_SM_BAD_ENTRY, {std::string(tag), std::string(entry)}));
        }
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    return entries;
}

Reason BadEntry(std::string_view tag, const Entry& entry)
{
    return Reason(
        IDS_REASON_SM_BAD_ENTRY,
        {std::string(tag),
         fmt::format("{}={}", static_cast<double>(entry.clock) / kClocksPerBeat, entry.value)});
}

// Events that fit 32-bit clocks and the map's own rules for one event; the others are
// passed over with their reason.
void AddChecked(std::vector<CTempoEvent>& events, const CTempoEvent& event,
                std::vector<Reason>& passedOver)
{
    if (Reason breach = TempoEventBreach(event); !breach.empty())
        passedOver.push_back(std::move(breach));
    else
        events.push_back(event);
}

std::optional<std::int32_t> ClockOf(std::int64_t clock)
{
    if (clock < 0 || clock > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(clock);
}

} // namespace

SmTimingTags SmTimingTags::OverriddenBy(const SmTimingTags& own) const
{
    SmTimingTags tags = *this;
    for (auto [mine, theirs] :
         {std::pair{&tags.offset, &own.offset}, std::pair{&tags.bpms, &own.bpms},
          std::pair{&tags.stops, &own.stops}, std::pair{&tags.delays, &own.delays},
          std::pair{&tags.warps, &own.warps}})
        if (*theirs)
            *mine = *theirs;
    return tags;
}

std::optional<std::int64_t> BeatToClock(double beat)
{
    const double clocks = beat * kClocksPerBeat;
    // Beyond 2^53 a double holds no fractions and no chart reaches anyway.
    if (!(std::abs(clocks) < 9007199254740992.0))
        return std::nullopt;
    return static_cast<std::int64_t>(std::nearbyint(clocks)); // ties to even
}

SmTiming ReadTiming(const SmTimingTags& tags, bool negativeAsWarps, std::vector<Reason>& passedOver)
{
    SmTiming timing;
    if (tags.offset) {
        const std::optional<double> offset = ParseNumber(*tags.offset);
        const double gap = offset ? std::nearbyint(-*offset * 1000.0) : 0.0;
        if (offset && std::abs(gap) <= std::numeric_limits<std::int32_t>::max())
            timing.gap = static_cast<std::int32_t>(gap);
        else
            passedOver.push_back(Reason(IDS_REASON_SM_BAD_ENTRY, {"OFFSET", *tags.offset}));
    }

    std::vector<Entry> tempos = ReadEntries(tags.bpms, "BPMS", passedOver);
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const Entry& a, const Entry& b) { return a.clock < b.clock; });
    std::vector<CTempoEvent> events;
    std::vector<Entry> kept;
    std::optional<Entry> backward; // a negative tempo not yet caught up
    for (const Entry& entry : tempos) {
        if (entry.value < 0.0 && negativeAsWarps) {
            if (!backward)
                backward = entry;
            continue;
        }
        if (!(entry.value > 0.0)) {
            passedOver.push_back(BadEntry("BPMS", entry));
            continue;
        }
        if (backward) {
            // Running back over (clock - start) at |negative| takes as long as running
            // forward over (clock - start) x bpm / |negative| at the new tempo: the chart
            // is back where it left at that point, and skips everything in between.
            const double span = static_cast<double>(entry.clock - backward->clock);
            const double catchUp = span * entry.value / -backward->value;
            const std::optional<std::int32_t> start = ClockOf(backward->clock);
            const double length = std::nearbyint(span + catchUp);
            if (start && length >= 1.0 && length <= std::numeric_limits<std::int32_t>::max())
                AddChecked(events, CWarp{*start, static_cast<std::int32_t>(length)}, passedOver);
            else
                passedOver.push_back(BadEntry("BPMS", *backward));
            backward.reset();
        }
        // Two tempos that round to one clock: the later one holds, as it would a moment on.
        if (!kept.empty() && kept.back().clock == entry.clock)
            kept.back() = entry;
        else
            kept.push_back(entry);
    }
    if (backward)
        passedOver.push_back(
            Reason(IDS_REASON_SM_NEGATIVE_TEMPO_UNENDED, {fmt::format("{}", backward->clock)}));
    // The first tempo holds from clock 0, and so does any other written before it.
    while (kept.size() > 1 && kept[1].clock <= 0)
        kept.erase(kept.begin());
    if (kept.empty())
        throw FileFormatError(Reason(IDS_REASON_SM_NO_TEMPO));
    const float songBpm = static_cast<float>(kept.front().value);
    if (!(songBpm > 0.0f) || songBpm > kMaxTempoBpm)
        throw FileFormatError(
            Reason(IDS_REASON_SONG_TEMPO_OUT_OF_RANGE,
                   {fmt::format("{}", kept.front().value), fmt::format("{}", kMaxTempoBpm)}));
    timing.tempo = CTempoMap(songBpm);
    for (std::size_t i = 1; i < kept.size(); ++i) {
        const std::optional<std::int32_t> clock = ClockOf(kept[i].clock);
        if (clock)
            AddChecked(events, CTempoChange{*clock, static_cast<float>(kept[i].value)}, passedOver);
        else
            passedOver.push_back(BadEntry("BPMS", kept[i]));
    }
    // Negative stops skip ahead by the beats their time would have taken, so they need the
    // tempos first.
    CTempoMap tempoOnly(songBpm);
    if (Reason refused = tempoOnly.Add(events); !refused.empty())
        throw FileFormatError(refused);

    const auto pauses
        = [&](const std::optional<std::string>& list, std::string_view tag, bool delay) {
              for (const Entry& entry : ReadEntries(list, tag, passedOver)) {
                  const std::optional<std::int32_t> clock = ClockOf(entry.clock);
                  // Whole microseconds: what a file says in seconds comes back the same once
                  // written again.
                  const double milliseconds = std::nearbyint(entry.value * 1e6) / 1000.0;
                  if (!clock) {
                      passedOver.push_back(BadEntry(tag, entry));
                  } else if (milliseconds < 0.0 && negativeAsWarps && !delay) {
                      const double beats = -entry.value * tempoOnly.TempoAt(*clock) / 60.0;
                      const double length = std::nearbyint(beats * kClocksPerBeat);
                      if (length >= 1.0 && length <= std::numeric_limits<std::int32_t>::max())
                          AddChecked(events, CWarp{*clock, static_cast<std::int32_t>(length)},
                                     passedOver);
                  } else if (delay) {
                      AddChecked(events, CDelay{*clock, milliseconds}, passedOver);
                  } else {
                      AddChecked(events, CStop{*clock, milliseconds}, passedOver);
                  }
              }
          };
    pauses(tags.stops, "STOPS", false);
    pauses(tags.delays, "DELAYS", true);
    for (const Entry& entry : ReadEntries(tags.warps, "WARPS", passedOver)) {
        const std::optional<std::int32_t> clock = ClockOf(entry.clock);
        const std::optional<std::int64_t> length = BeatToClock(entry.value);
        if (clock && length && *length >= 1 && *length <= std::numeric_limits<std::int32_t>::max())
            AddChecked(events, CWarp{*clock, static_cast<std::int32_t>(*length)}, passedOver);
        else if (!(length && *length == 0)) // a warp of no length changes nothing
            passedOver.push_back(BadEntry("WARPS", entry));
    }
    if (Reason refused = timing.tempo.Add(events); !refused.empty())
        throw FileFormatError(refused);
    return timing;
}

} // namespace zelvane::stepmania
