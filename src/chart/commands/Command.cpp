#include "chart/commands/Command.h"

#include "base/ChartLimits.h"
#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>

namespace zelvane {

CScoreCommand::CScoreCommand(CScore* score, std::string name)
    : CDocumentCommand(score->document(), std::move(name))
    , m_score(score)
    , m_minClock(score->length())
{
}

void CScoreCommand::CheckNote(const CNote& note) const
{
    if (!m_score->HasPanel(note.panel))
        throw InvalidArgumentError(Reason(IDS_REASON_PANEL_NOT_IN_STYLE,
                                          {note.panel, std::string(StyleName(m_score->style()))}));
    const Reason breach = ChartLimitBreach(note, document()->tempoMap().songBpm());
    if (!breach.empty())
        throw ChartLimitError(breach);
}

void CScoreCommand::LowerMinClock(std::int32_t clock)
{
    m_minClock = std::min(m_minClock, clock);
}

void CScoreCommand::Finish(UpdateHint hint, IStepDocumentView* sender)
{
    m_score->UpdateLength(m_minClock);
    document()->SetModifiedFlag(true);
    document()->UpdateAllViews(sender, hint, m_score);
}

} // namespace zelvane
