#include "chart/commands/DeleteClockCommand.h"

#include "base/ChartLimits.h"
#include "chart/StepDocument.h"
#include "chart/commands/ClockShift.h"
#include "chart/commands/TempoRetiming.h"
#include "chart/commands/TempoShift.h"
#include "text/Errors.h"
#include "text/StringTable.h"

namespace zelvane {

CDeleteClockCommand::CDeleteClockCommand(CScore* score, std::string name, std::int32_t start,
                                         std::int32_t length)
    : CDeleteNoteCommand(score, std::move(name))
    , m_start(start)
    , m_length(length)
{
    if (start < 0 || length < 0)
        throw InvalidArgumentError(Reason(IDS_REASON_DELETE_NEGATIVE));
    const std::int64_t end = static_cast<std::int64_t>(start) + length;
    for (const auto& note : score->notes())
        if (note->clock >= start && note->clock < end)
            AddScoreNote(note.get());
    const CStepDocument& document = *score->document();
    CTempoMap tempo = TempoMapWithDeletedClocks(document.tempoMap(), start, length);
    if (!(tempo == document.tempoMap())) {
        // Without a pause or a slower tempo in the rows, time after them may grow: every
        // chart, this one's notes as they will stand, must still fit.
        CheckChartsThrough(document, tempo, score);
        const std::int32_t maxClock = MaxChartClock(tempo);
        for (const auto& note : score->notes()) {
            if (note->clock >= start && note->clock < end)
                continue;
            const std::int64_t clock = note->clock >= end ? note->clock - length : note->clock;
            const CNote moved{static_cast<std::int32_t>(clock), note->panel, note->length};
            if (Reason breach = ChartLimitBreach(moved, tempo, maxClock); !breach.empty())
                throw ChartLimitError(
                    Reason(IDS_REASON_THROUGH_TEMPO_MAP_IN_CHART,
                           {std::string(StyleName(score->style())), score->difficulty(), breach}));
        }
        m_tempoBefore = document.tempoMap();
        m_tempoAfter = std::move(tempo);
    }
    LowerMinClock(start);
}

void CDeleteClockCommand::Do(IStepDocumentView* sender)
{
    // The notes of the range come out first (all or none); they are not among the notes
    // that move up.
    std::optional<CTempoMap> tempo = m_tempoAfter;
    TakeNotesOut();
    ShiftNoteClocks(*score(), static_cast<std::int64_t>(m_start) + m_length, -m_length);
    if (tempo)
        InstallTempoMap(*document(), std::move(*tempo), score());
    Finish(UpdateHint::NotesAddedOrDeleted, sender);
}

void CDeleteClockCommand::Undo()
{
    PrepareToPutBack();
    std::optional<CTempoMap> tempo = m_tempoBefore;
    ShiftNoteClocks(*score(), m_start, m_length);
    PutNotesBack();
    if (tempo)
        InstallTempoMap(*document(), std::move(*tempo), score());
    Finish(UpdateHint::NotesAddedOrDeleted, nullptr);
}

} // namespace zelvane
