#pragma once

#include "chart/Note.h"
#include "chart/commands/Command.h"

#include <memory>
#include <vector>

namespace zelvane {

// Takes notes out of a score. While done the command owns them; while undone the score does.
class CDeleteNoteCommand : public CScoreCommand {
public:
    struct CElement {
        CNote* note = nullptr;        // the note, wherever it is
        std::unique_ptr<CNote> owned; // set while the note is out of the score
    };

    CDeleteNoteCommand(CScore* score, std::string name);
    // `note` must be a note of the score.
    void AddNote(CNote* note);
    const std::vector<CElement>& elements() const { return m_elements; }

    void Do(IStepDocumentView* sender) override;
    void Undo() override;

protected:
    void TakeNotesOut();
    void PutNotesBack();

private:
    std::vector<CElement> m_elements;
};

} // namespace zelvane
