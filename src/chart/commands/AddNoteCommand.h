#pragma once

#include "base/Note.h"
#include "chart/commands/Command.h"

#include <memory>
#include <vector>

namespace zelvane {

// Adds notes to a score. While done the score owns them; while undone the command does.
// Do and Undo change all of the notes or, failing, none of them.
class CAddNoteCommand : public CScoreCommand {
public:
    struct CElement {
        std::unique_ptr<CNote> note; // held while the command is undone
        CNote* placed = nullptr;     // the note while the score holds it
        std::size_t index = 0;       // where it was inserted
    };

    CAddNoteCommand(CScore* score, std::string name);
    // Throws InvalidArgumentError for a panel the score lacks or a note beyond the chart
    // limits; the command is then as it was.
    void AddNote(std::unique_ptr<CNote> note);
    const std::vector<CElement>& elements() const { return m_elements; }

    void Do(IStepDocumentView* sender) override;
    void Undo() override;

protected:
    // Makes room for the notes; may fail, before anything changed.
    void PrepareInsert();
    void InsertNotes() noexcept;
    // All or none; throws InvalidArgumentError if a note is no longer in the score.
    void RemoveNotes();

private:
    std::vector<CElement> m_elements;
};

} // namespace zelvane
