#include "chart/commands/MoveNoteCommand.h"

#include "chart/Score.h"
#include "text/Errors.h"
#include "text/StringTable.h"

namespace zelvane {

CMoveNoteCommand::CMoveNoteCommand(CScore* score, std::string name)
    : CScoreCommand(score, std::move(name))
{
}

void CMoveNoteCommand::AddMove(CNote* note, std::int32_t newClock, std::int32_t newPanel,
                               std::int32_t newLength)
{
    if (score()->IndexOf(note) < 0)
        throw InvalidArgumentError(Reason(IDS_REASON_NOTE_TO_MOVE_MISSING));
    const CNote newValues{newClock, newPanel, newLength};
    CheckNote(newValues);
    LowerMinClock(note->clock);
    LowerMinClock(newClock);
    m_elements.push_back({note, *note, newValues});
}

// Setting values and sorting pointers cannot fail: a move is done whole.
void CMoveNoteCommand::Do(IStepDocumentView* sender)
{
    for (CElement& element : m_elements)
        *element.note = element.newValues;
    score()->SortNotesForMove();
    Finish(UpdateHint::NotesMoved, sender);
}

void CMoveNoteCommand::Undo()
{
    for (auto it = m_elements.rbegin(); it != m_elements.rend(); ++it)
        *it->note = it->oldValues;
    score()->SortNotesForMove();
    Finish(UpdateHint::NotesMoved, nullptr);
}

} // namespace zelvane
