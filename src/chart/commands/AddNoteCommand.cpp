#include "chart/commands/AddNoteCommand.h"

#include "base/ChartLimits.h"
#include "chart/Score.h"
#include "text/Errors.h"

namespace zelvane {

CAddNoteCommand::CAddNoteCommand(CScore* score, std::string name)
    : CScoreCommand(score, std::move(name))
{
}

void CAddNoteCommand::AddNote(std::unique_ptr<CNote> note)
{
    CheckNote(*note);
    const Reason breach = ChartNoteCountBreach(score()->notes().size() + m_elements.size() + 1);
    if (!breach.empty())
        throw ChartLimitError(breach);
    LowerMinClock(note->clock);
    CElement element;
    element.note = std::move(note);
    m_elements.push_back(std::move(element));
}

void CAddNoteCommand::PrepareInsert()
{
    score()->ReserveNotes(m_elements.size());
}

void CAddNoteCommand::InsertNotes() noexcept
{
    // With the room made beforehand, inserting moves pointers only and cannot fail.
    for (CElement& element : m_elements) {
        element.placed = element.note.get();
        element.index = score()->InsertNote(std::move(element.note));
    }
}

void CAddNoteCommand::RemoveNotes()
{
    // Found by identity, all or none: a move may have re-sorted the notes since they were
    // inserted, and a note that cannot be found leaves every other one in the score.
    std::vector<CNote*> placed;
    placed.reserve(m_elements.size());
    for (const CElement& element : m_elements)
        placed.push_back(element.placed);
    std::vector<std::unique_ptr<CNote>> taken = score()->TakeNotes(placed);
    for (std::size_t i = 0; i < m_elements.size(); ++i) {
        m_elements[i].note = std::move(taken[i]);
        m_elements[i].placed = nullptr;
    }
}

void CAddNoteCommand::Do(IStepDocumentView* sender)
{
    PrepareInsert();
    InsertNotes();
    Finish(UpdateHint::NotesAddedOrDeleted, sender);
}

void CAddNoteCommand::Undo()
{
    RemoveNotes();
    Finish(UpdateHint::NotesAddedOrDeleted, nullptr);
}

} // namespace zelvane
