#include "chart/commands/DeleteNoteCommand.h"

#include "chart/Score.h"

namespace zelvane {

CDeleteNoteCommand::CDeleteNoteCommand(CScore* score, std::string name)
    : CScoreCommand(score, std::move(name))
{
}

void CDeleteNoteCommand::AddNote(CNote* note)
{
    LowerMinClock(note->clock);
    m_elements.push_back({note, nullptr});
}

void CDeleteNoteCommand::TakeNotesOut()
{
    for (auto it = m_elements.rbegin(); it != m_elements.rend(); ++it)
        it->owned = score()->TakeNote(it->note);
}

void CDeleteNoteCommand::PutNotesBack()
{
    for (CElement& element : m_elements)
        score()->InsertNote(std::move(element.owned));
}

void CDeleteNoteCommand::Do(IStepDocumentView* sender)
{
    TakeNotesOut();
    Finish(UpdateHint::NotesAddedOrDeleted, sender);
}

void CDeleteNoteCommand::Undo()
{
    PutNotesBack();
    Finish(UpdateHint::NotesAddedOrDeleted, nullptr);
}

} // namespace zelvane
