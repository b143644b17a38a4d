#include "chart/commands/InsertClockCommand.h"

#include "base/ChartLimits.h"
#include "chart/StepDocument.h"
#include "chart/commands/ClockShift.h"
#include "chart/commands/TempoRetiming.h"
#include "chart/commands/TempoShift.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
#include <fmt/format.h>

namespace zelvane {

CInsertClockCommand::CInsertClockCommand(CScore* score, std::string name, std::int32_t start,
                                         std::int32_t length)
    : CAddNoteCommand(score, std::move(name))
    , m_start(start)
    , m_length(length)
{
    if (start < 0 || length < 0)
        throw InvalidArgumentError(Reason(IDS_REASON_INSERT_NEGATIVE));
    const CStepDocument& document = *score->document();
    CTempoMap tempo = TempoMapWithInsertedClocks(document.tempoMap(), start, length);
    // Every note the gap pushes later must still fit the chart, or the insert is refused
    // whole (and undoing it could never restore a clock held at the limit).
    const std::int32_t maxClock = MaxChartClock(tempo);
    for (const auto& note : score->notes()) {
        if (note->clock < start)
            continue;
        const std::int64_t movedEnd
            = static_cast<std::int64_t>(note->clock) + length + std::max(note->length, 0);
        if (movedEnd <= maxClock)
            continue;
        if (tempo.IsSingleTempo())
            throw ChartLimitError(
                Reason(IDS_REASON_INSERT_PAST_LIMIT,
                       {length, start, note->clock, fmt::format("{}", tempo.songBpm()), maxClock}));
        const CNote moved{static_cast<std::int32_t>(std::min<std::int64_t>(
                              std::int64_t{note->clock} + length, kMaxChartClock + 1)),
                          note->panel, note->length};
        throw ChartLimitError(Reason(IDS_REASON_INSERT_PAST_LIMIT_TEMPO_MAP,
                                     {length, start, ChartLimitBreach(moved, tempo, maxClock)}));
    }
    // The other charts keep their notes but not their times once the map's events move.
    if (!(tempo == document.tempoMap())) {
        CheckChartsThrough(document, tempo, score);
        m_tempoBefore = document.tempoMap();
        m_tempoAfter = std::move(tempo);
    }
    LowerMinClock(start);
}

void CInsertClockCommand::Do(IStepDocumentView* sender)
{
    PrepareInsert();
    std::optional<CTempoMap> tempo = m_tempoAfter;
    ShiftNoteClocks(*score(), m_start, m_length);
    InsertNotes();
    if (tempo)
        InstallTempoMap(*document(), std::move(*tempo), score());
    Finish(UpdateHint::NotesAddedOrDeleted, sender);
}

void CInsertClockCommand::Undo()
{
    // The command's own notes come out first (all or none), so only the notes that were
    // there before move back.
    std::optional<CTempoMap> tempo = m_tempoBefore;
    RemoveNotes();
    ShiftNoteClocks(*score(), static_cast<std::int64_t>(m_start) + m_length, -m_length);
    if (tempo)
        InstallTempoMap(*document(), std::move(*tempo), score());
    Finish(UpdateHint::NotesAddedOrDeleted, nullptr);
}

} // namespace zelvane
