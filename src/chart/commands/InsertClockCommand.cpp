#include "chart/commands/InsertClockCommand.h"

#include "base/ChartLimits.h"
#include "chart/StepDocument.h"
#include "chart/commands/ClockShift.h"
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
    // Every note the gap pushes later must still fit the chart, or the insert is refused
    // whole (and undoing it could never restore a clock held at the limit).
    const float bpm = score->document()->bpm();
    const std::int32_t maxClock = MaxChartClock(bpm);
    for (const auto& note : score->notes()) {
        if (note->clock < start)
            continue;
        const std::int64_t movedEnd
            = static_cast<std::int64_t>(note->clock) + length + std::max(note->length, 0);
        if (movedEnd > maxClock)
            throw ChartLimitError(
                Reason(IDS_REASON_INSERT_PAST_LIMIT,
                       {length, start, note->clock, fmt::format("{}", bpm), maxClock}));
    }
    LowerMinClock(start);
}

void CInsertClockCommand::Do(IStepDocumentView* sender)
{
    PrepareInsert();
    ShiftNoteClocks(*score(), m_start, m_length);
    InsertNotes();
    Finish(UpdateHint::NotesAddedOrDeleted, sender);
}

void CInsertClockCommand::Undo()
{
    // The command's own notes come out first (all or none), so only the notes that were
    // there before move back.
    RemoveNotes();
    ShiftNoteClocks(*score(), static_cast<std::int64_t>(m_start) + m_length, -m_length);
    Finish(UpdateHint::NotesAddedOrDeleted, nullptr);
}

} // namespace zelvane
