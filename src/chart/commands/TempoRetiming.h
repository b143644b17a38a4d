#pragma once

#include "base/TempoMap.h"
#include "text/Reason.h"

#include <cstdint>

namespace zelvane {

class CScore;
class CStepDocument;

// What every edit of the tempo map shares: the charts are held to the limits through the new
// map before it is taken, and once taken only what it changed is danced again.

// The first note of the document's charts that `tempo` would put beyond the limits, with
// its chart; no score and an empty reason when all fit. `skip` (may be null) is a chart
// the caller checks itself.
struct ChartBreach {
    const CScore* score = nullptr;
    Reason reason;
};
ChartBreach FindChartBreach(const CStepDocument& document, const CTempoMap& tempo,
                            const CScore* skip = nullptr);
// Throws ChartLimitError, naming the chart, for FindChartBreach's breach.
void CheckChartsThrough(const CStepDocument& document, const CTempoMap& tempo,
                        const CScore* skip = nullptr);

// The first clock whose time two maps may give differently: the clock of the first event in
// which they differ. INT32_MAX when they are equal.
std::int32_t FirstChangedClock(const CTempoMap& a, const CTempoMap& b);

// Puts `tempo` in force, then has every chart but `skip` danced again from the first clock
// it changed. Callers copy the map before they change anything, so that only the dances
// can fail once the edit has begun.
void InstallTempoMap(CStepDocument& document, CTempoMap tempo, const CScore* skip = nullptr);

} // namespace zelvane
