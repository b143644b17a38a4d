#include "chart/commands/SongPropertyCommand.h"

#include "base/ChartLimits.h"
#include "chart/StepDocument.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <fmt/format.h>

namespace zelvane {

CSongPropertyCommand::CSongPropertyCommand(CStepDocument* document, SongProperties newValues)
    : CDocumentCommand(document, std::string(LoadString(IDS_SONG_SETTINGS)))
    , m_old{document->title(), document->artist(), document->bpm(), document->gap()}
    , m_new(std::move(newValues))
{
    if (!CStepDocument::IsValidBpm(m_new.bpm))
        throw InvalidArgumentError(Reason(IDS_REASON_TEMPO_NOT_POSITIVE));
    for (const Reason& breach : {ChartTempoBreach(m_new.bpm), ChartGapBreach(m_new.gap)})
        if (!breach.empty())
            throw ChartLimitError(breach);
    // A slower tempo stretches every chart: one that would then last longer than the limit
    // is not re-timed.
    if (m_new.bpm != m_old.bpm) {
        const std::int32_t maxClock = MaxChartClock(m_new.bpm);
        for (const auto& score : document->scores()) {
            for (const auto& note : score->notes()) {
                const Reason breach = ChartLimitBreach(*note, m_new.bpm, maxClock);
                if (!breach.empty())
                    throw ChartLimitError(Reason(IDS_REASON_AT_TEMPO_IN_CHART,
                                                 {fmt::format("{}", m_new.bpm),
                                                  std::string(StyleName(score->style())),
                                                  score->difficulty(), breach}));
            }
        }
    }
}

void CSongPropertyCommand::Apply(const SongProperties& values, IStepDocumentView* sender)
{
    CStepDocument* doc = document();
    doc->SetTitle(values.title);
    doc->SetArtist(values.artist);
    doc->SetBpm(values.bpm);
    doc->SetGap(values.gap);
    doc->UpdateAllScores();
    doc->SetModifiedFlag(true);
    doc->UpdateAllViews(sender, UpdateHint::Song);
}

void CSongPropertyCommand::Do(IStepDocumentView* sender)
{
    Apply(m_new, sender);
}

void CSongPropertyCommand::Undo()
{
    Apply(m_old, nullptr);
}

} // namespace zelvane
