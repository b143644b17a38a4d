#include "chart/commands/AddNoteCommand.h"

#include "chart/Score.h"

namespace zelvane {

CAddNoteCommand::CAddNoteCommand(CScore* score, std::string name)
    : CScoreCommand(score, std::move(name))
{
}

void CAddNoteCommand::AddNote(std::unique_ptr<CNote> note)
{
    LowerMinClock(note->clock);
    CElement element;
    element.note = std::move(note);
    m_elements.push_back(std::move(element));
}

void CAddNoteCommand::InsertNotes()
{
    for (CElement& element : m_elements) {
        element.index = score()->InsertNote(std::move(element.note));
    }
}

void CAddNoteCommand::RemoveNotes()
{
    // Last first: every stored index is then still valid when it is used.
    for (auto it = m_elements.rbegin(); it != m_elements.rend(); ++it) {
        it->note = score()->TakeNoteAt(it->index);
    }
}

void CAddNoteCommand::Do(IStepDocumentView* sender)
{
    InsertNotes();
    Finish(UpdateHint::NotesAddedOrDeleted, sender);
}

void CAddNoteCommand::Undo()
{
    RemoveNotes();
    Finish(UpdateHint::NotesAddedOrDeleted, nullptr);
}

} // namespace zelvane
