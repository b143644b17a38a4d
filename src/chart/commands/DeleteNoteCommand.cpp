#include "chart/commands/DeleteNoteCommand.h"

#include "chart/Score.h"
#include "text/Errors.h"
#include "text/StringTable.h"

namespace zelvane {

CDeleteNoteCommand::CDeleteNoteCommand(CScore* score, std::string name)
    : CScoreCommand(score, std::move(name))
{
}

void CDeleteNoteCommand::AddNote(CNote* note)
{
    if (score()->IndexOf(note) < 0)
        throw InvalidArgumentError(Reason(IDS_REASON_NOTE_TO_DELETE_MISSING));
    AddScoreNote(note);
}

void CDeleteNoteCommand::AddScoreNote(CNote* note)
{
    LowerMinClock(note->clock);
    m_elements.push_back({note, nullptr});
}

void CDeleteNoteCommand::TakeNotesOut()
{
    std::vector<CNote*> notes;
    notes.reserve(m_elements.size());
    for (const CElement& element : m_elements)
        notes.push_back(element.note);
    std::vector<std::unique_ptr<CNote>> taken = score()->TakeNotes(notes);
    for (std::size_t i = 0; i < m_elements.size(); ++i)
        m_elements[i].owned = std::move(taken[i]);
}

void CDeleteNoteCommand::PrepareToPutBack()
{
    score()->ReserveNotes(m_elements.size());
}

void CDeleteNoteCommand::PutNotesBack() noexcept
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
    PrepareToPutBack();
    PutNotesBack();
    Finish(UpdateHint::NotesAddedOrDeleted, nullptr);
}

} // namespace zelvane
