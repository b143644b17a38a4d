#include "chart/commands/TempoRetiming.h"

#include "base/ChartLimits.h"
#include "chart/StepDocument.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
#include <limits>

namespace zelvane {

ChartBreach FindChartBreach(const CStepDocument& document, const CTempoMap& tempo,
                            const CScore* skip)
{
    const std::int32_t maxClock = MaxChartClock(tempo);
    for (const auto& score : document.scores()) {
        if (score.get() == skip)
            continue;
        for (const auto& note : score->notes()) {
            Reason breach = ChartLimitBreach(*note, tempo, maxClock);
            if (!breach.empty())
                return {score.get(), std::move(breach)};
        }
    }
    return {};
}

void CheckChartsThrough(const CStepDocument& document, const CTempoMap& tempo, const CScore* skip)
{
    const ChartBreach breach = FindChartBreach(document, tempo, skip);
    if (breach.score)
        throw ChartLimitError(Reason(IDS_REASON_THROUGH_TEMPO_MAP_IN_CHART,
                                     {std::string(StyleName(breach.score->style())),
                                      breach.score->difficulty(), breach.reason}));
}

std::int32_t FirstChangedClock(const CTempoMap& a, const CTempoMap& b)
{
    // Both lists are sorted by clock and agree up to the first difference, so no event that
    // differs lies before the earlier of the two events found there.
    const auto& x = a.events();
    const auto& y = b.events();
    const auto [itX, itY] = std::mismatch(x.begin(), x.end(), y.begin(), y.end());
    std::int32_t clock = std::numeric_limits<std::int32_t>::max();
    if (itX != x.end())
        clock = std::min(clock, EventClock(*itX));
    if (itY != y.end())
        clock = std::min(clock, EventClock(*itY));
    return clock;
}

void InstallTempoMap(CStepDocument& document, CTempoMap tempo, const CScore* skip)
{
    const std::int32_t from = FirstChangedClock(document.tempoMap(), tempo);
    if (from == std::numeric_limits<std::int32_t>::max())
        return;
    document.SetTempoMap(std::move(tempo));
    // The notes stand where they were: before `from` every time is as it was, so each
    // dancer keeps its dance up to there.
    for (const auto& score : document.scores())
        if (score.get() != skip)
            score->UpdateLength(from);
}

} // namespace zelvane
