#include "chart/commands/SongPropertyCommand.h"

#include "base/ChartLimits.h"
#include "chart/StepDocument.h"
#include "chart/commands/TempoRetiming.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <fmt/format.h>

namespace zelvane {

CSongPropertyCommand::CSongPropertyCommand(CStepDocument* document, SongProperties newValues,
                                           OtherTempoEvents others, const std::string& name)
    : CDocumentCommand(document, name.empty() ? std::string(LoadString(IDS_SONG_SETTINGS)) : name)
    , m_old{document->description().title, document->description().artist,
            document->tempoMap().songBpm(), document->description().gap}
    , m_new(std::move(newValues))
    , m_oldTempo(document->tempoMap())
    , m_newTempo(document->tempoMap())
{
    if (!IsValidBpm(m_new.bpm))
        throw InvalidArgumentError(Reason(IDS_REASON_TEMPO_NOT_POSITIVE));
    for (const Reason& breach : {ChartTempoBreach(m_new.bpm), ChartGapBreach(m_new.gap)})
        if (!breach.empty())
            throw ChartLimitError(breach);
    const bool single = m_oldTempo.IsSingleTempo() || others == OtherTempoEvents::Remove;
    if (m_new.bpm == m_old.bpm && m_oldTempo.IsSingleTempo() == single)
        return;
    // The song's tempo is the map's first; the changes after it stay where they are.
    if (single)
        m_newTempo = CTempoMap(m_new.bpm);
    else if (Reason refused = m_newTempo.Change(0, CTempoChange{0, m_new.bpm}); !refused.empty())
        throw ChartLimitError(refused);
    // A slower tempo stretches every chart: one that would then last longer than the limit
    // is not re-timed.
    const ChartBreach breach = FindChartBreach(*document, m_newTempo);
    if (breach.score)
        throw ChartLimitError(
            Reason(IDS_REASON_AT_TEMPO_IN_CHART,
                   {fmt::format("{}", m_new.bpm), std::string(StyleName(breach.score->style())),
                    breach.score->difficulty(), breach.reason}));
}

void CSongPropertyCommand::Apply(const SongProperties& values, const CTempoMap& tempo,
                                 IStepDocumentView* sender)
{
    CStepDocument* doc = document();
    CTempoMap copy = tempo; // before anything changes
    doc->SetDescription({values.title, values.artist, values.gap});
    doc->SetTempoMap(std::move(copy));
    doc->scores().UpdateAll();
    doc->SetModifiedFlag(true);
    doc->UpdateAllViews(sender, UpdateHint::Song);
}

void CSongPropertyCommand::Do(IStepDocumentView* sender)
{
    Apply(m_new, m_newTempo, sender);
}

void CSongPropertyCommand::Undo()
{
    Apply(m_old, m_oldTempo, nullptr);
}

} // namespace zelvane
