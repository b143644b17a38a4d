#pragma once

#include "chart/Note.h"
#include "chart/commands/Command.h"

#include <memory>
#include <vector>

namespace zelvane {

// Adds notes to a score. While done the score owns them; while undone the command does.
class CAddNoteCommand : public CScoreCommand {
public:
    struct CElement {
        std::unique_ptr<CNote> note; // held while the command is undone
        CNote* placed = nullptr;     // the note while the score holds it
        std::size_t index = 0;       // where it was inserted
    };

    CAddNoteCommand(CScore* score, std::string name);
    void AddNote(std::unique_ptr<CNote> note);
    const std::vector<CElement>& elements() const { return m_elements; }

    void Do(IStepDocumentView* sender) override;
    void Undo() override;

protected:
    void InsertNotes();
    void RemoveNotes();

private:
    std::vector<CElement> m_elements;
};

} // namespace zelvane
