#include "chart/commands/DeleteClockCommand.h"

#include "chart/commands/ClockShift.h"

namespace zelvane {

CDeleteClockCommand::CDeleteClockCommand(CScore* score, std::string name, std::int32_t start,
                                         std::int32_t length)
    : CDeleteNoteCommand(score, std::move(name))
    , m_start(start)
    , m_length(length)
{
    const std::int64_t end = static_cast<std::int64_t>(start) + length;
    for (const auto& note : score->notes())
        if (note->clock >= start && note->clock < end)
            AddNote(note.get());
    LowerMinClock(start);
}

void CDeleteClockCommand::Do(IStepDocumentView* sender)
{
    ShiftNoteClocks(*score(), static_cast<std::int64_t>(m_start) + m_length, -m_length);
    CDeleteNoteCommand::Do(sender);
}

void CDeleteClockCommand::Undo()
{
    ShiftNoteClocks(*score(), m_start, m_length);
    CDeleteNoteCommand::Undo();
}

} // namespace zelvane
