#include "chart/commands/DeleteClockCommand.h"

#include "chart/commands/ClockShift.h"
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
    LowerMinClock(start);
}

void CDeleteClockCommand::Do(IStepDocumentView* sender)
{
    // The notes of the range come out first (all or none); they are not among the notes
    // that move up.
    TakeNotesOut();
    ShiftNoteClocks(*score(), static_cast<std::int64_t>(m_start) + m_length, -m_length);
    Finish(UpdateHint::NotesAddedOrDeleted, sender);
}

void CDeleteClockCommand::Undo()
{
    PrepareToPutBack();
    ShiftNoteClocks(*score(), m_start, m_length);
    PutNotesBack();
    Finish(UpdateHint::NotesAddedOrDeleted, nullptr);
}

} // namespace zelvane
