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
        element.placed = element.note.get();
        element.index = score()->InsertNote(std::move(element.note));
    }
}

void CAddNoteCommand::RemoveNotes()
{
    // Last first, so that every stored index is still valid when it is used, unless a later
    // move re-sorted the notes: then the note is found by identity, never another taken out.
    for (auto it = m_elements.rbegin(); it != m_elements.rend(); ++it) {
        const auto& notes = score()->notes();
        if (it->index < notes.size() && notes[it->index].get() == it->placed)
            it->note = score()->TakeNoteAt(it->index);
        else
            it->note = score()->TakeNote(it->placed);
        it->placed = nullptr;
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
