#include "chart/commands/Command.h"

#include "chart/Score.h"
#include "chart/StepDocument.h"

#include <algorithm>

namespace zelvane {

CScoreCommand::CScoreCommand(CScore* score, std::string name)
    : CDocumentCommand(score->document(), std::move(name))
    , m_score(score)
    , m_minClock(score->length())
{
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
