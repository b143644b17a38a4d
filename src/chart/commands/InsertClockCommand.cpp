#include "chart/commands/InsertClockCommand.h"

#include "chart/commands/ClockShift.h"

namespace zelvane {

CInsertClockCommand::CInsertClockCommand(CScore* score, std::string name, std::int32_t start,
                                         std::int32_t length)
    : CAddNoteCommand(score, std::move(name))
    , m_start(start)
    , m_length(length)
{
    LowerMinClock(start);
}

void CInsertClockCommand::Do(IStepDocumentView* sender)
{
    ShiftNoteClocks(*score(), m_start, m_length);
    CAddNoteCommand::Do(sender);
}

void CInsertClockCommand::Undo()
{
    // The command's own notes lie inside the gap and keep their clocks.
    ShiftNoteClocks(*score(), static_cast<std::int64_t>(m_start) + m_length, -m_length);
    CAddNoteCommand::Undo();
}

} // namespace zelvane
