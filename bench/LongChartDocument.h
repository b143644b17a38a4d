#pragma once

// The long DOUBLE chart as a document's score, for the benchmarks that draw or export it.
// Its length is set as editing sets it; the dance that starts with it is stopped, so that
// only the drawing is measured.

#include "LongDoubleChart.h"
#include "chart/Score.h"
#include "chart/StepDocument.h"

#include <memory>

namespace zelvane::bench {

class LongChartDocument {
public:
    LongChartDocument()
    {
        m_document.SetBpm(kLongChartBpm);
        m_score = m_document.scores().FindOrCreate(Style::DOUBLE, "MANIAC");
        for (const CNote& note : LongDoubleChartNotes())
            m_score->AppendNote(std::make_unique<CNote>(note));
        m_score->UpdateLength(0);
        m_score->StopPlayers();
    }
    const CScore* score() const { return m_score; }

private:
    CStepDocument m_document;
    CScore* m_score;
};

} // namespace zelvane::bench
