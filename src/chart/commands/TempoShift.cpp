#include "chart/commands/TempoShift.h"

#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace zelvane {
namespace {

constexpr std::int64_t kLastClock = std::numeric_limits<std::int32_t>::max();

// The map of the song's tempo with `events`; the map's own reason when it refuses them.
CTempoMap Rebuilt(float songBpm, const std::vector<CTempoEvent>& events)
{
    CTempoMap result(songBpm);
    if (Reason refused = result.Add(events); !refused.empty())
        throw ChartLimitError(refused);
    return result;
}

// Where an event's clock lies: a point event's, or either end of a warp.
enum class Edge { Point, WarpStart, WarpEnd };

// Every event but the song's tempo, placed anew by `place`: a clock to its new clock, or
// none when the event goes.
template<class Place> std::vector<CTempoEvent> Moved(const CTempoMap& tempo, Place place)
{
    std::vector<CTempoEvent> events;
    const std::vector<CTempoEvent>& old = tempo.events();
    events.reserve(old.size());
    for (std::size_t i = 1; i < old.size(); ++i) {
        CTempoEvent event = old[i];
        if (auto* warp = std::get_if<CWarp>(&event)) {
            const std::int64_t end = std::int64_t{warp->clock} + warp->length;
            const std::optional<std::int64_t> from = place(warp->clock, Edge::WarpStart);
            const std::optional<std::int64_t> to = place(end, Edge::WarpEnd);
            if (!from || !to || *to <= *from)
                continue;
            warp->clock = static_cast<std::int32_t>(*from);
            warp->length = static_cast<std::int32_t>(*to - *from);
        } else {
            const std::optional<std::int64_t> clock = place(EventClock(event), Edge::Point);
            if (!clock)
                continue;
            std::visit([&](auto& e) { e.clock = static_cast<std::int32_t>(*clock); }, event);
        }
        events.push_back(event);
    }
    return events;
}

Reason EventKind(const CTempoEvent& event)
{
    static constexpr std::uint32_t names[] = {IDS_REASON_EVENT_TEMPO_CHANGE, IDS_REASON_EVENT_DELAY,
                                              IDS_REASON_EVENT_STOP, IDS_REASON_EVENT_WARP};
    return Reason(names[event.index()]);
}

} // namespace

CTempoMap TempoMapWithInsertedClocks(const CTempoMap& tempo, std::int32_t start,
                                     std::int32_t length)
{
    if (tempo.IsSingleTempo() || length == 0)
        return tempo;
    // A point moves when it lies at or after the start; a warp's end only when it lies
    // beyond it, so a warp that ends where the rows go in does not take them in.
    const auto place = [start, length](std::int64_t clock, Edge edge) {
        const bool moves = edge == Edge::WarpEnd ? clock > start : clock >= start;
        return std::optional<std::int64_t>(moves ? clock + length : clock);
    };
    // A clock pushed past the last one refuses the insert rather than wrap round.
    const std::vector<CTempoEvent>& events = tempo.events();
    for (std::size_t i = 1; i < events.size(); ++i) {
        const auto* warp = std::get_if<CWarp>(&events[i]);
        const std::int64_t last
            = warp ? std::int64_t{warp->clock} + warp->length : std::int64_t{EventClock(events[i])};
        if (*place(last, warp ? Edge::WarpEnd : Edge::Point) > kLastClock)
            throw ChartLimitError(
                Reason(IDS_REASON_INSERT_MOVES_TEMPO_EVENT_PAST_END,
                       {length, start, EventClock(events[i]), EventKind(events[i]), kLastClock}));
    }
    return Rebuilt(tempo.songBpm(), Moved(tempo, place));
}

CTempoMap TempoMapWithDeletedClocks(const CTempoMap& tempo, std::int32_t start, std::int32_t length)
{
    if (tempo.IsSingleTempo() || length == 0)
        return tempo;
    const std::int64_t end = std::int64_t{start} + length;
    std::vector<CTempoEvent> events = Moved(tempo, [&](std::int64_t clock, Edge edge) {
        if (clock < start)
            return std::optional<std::int64_t>(clock);
        if (clock >= end)
            return std::optional<std::int64_t>(clock - length);
        // Inside the deleted rows: a point goes, a warp keeps what lies beyond.
        if (edge == Edge::Point)
            return std::optional<std::int64_t>();
        return std::optional<std::int64_t>(start);
    });
    // When the song's first rows go, a tempo change that followed them now starts the song:
    // it becomes the song's tempo.
    float songBpm = tempo.songBpm();
    const auto first = std::find_if(events.begin(), events.end(), [](const CTempoEvent& event) {
        return std::holds_alternative<CTempoChange>(event) && EventClock(event) == 0;
    });
    if (first != events.end()) {
        songBpm = std::get<CTempoChange>(*first).bpm;
        events.erase(first);
    }
    return Rebuilt(songBpm, events);
}

} // namespace zelvane
