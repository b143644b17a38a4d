#pragma once

#include "base/Note.h"
#include "chart/commands/Command.h"

#include <memory>
#include <vector>

namespace zelvane {

// Takes notes out of a score. While done the command owns them; while undone the score does.
// Do and Undo change all of the notes or, failing, none of them.
class CDeleteNoteCommand : public CScoreCommand {
public:
    struct CElement {
        CNote* note = nullptr;        // the note, wherever it is
        std::unique_ptr<CNote> owned; // set while the note is out of the score
    };

    CDeleteNoteCommand(CScore* score, std::string name);
    // Throws InvalidArgumentError when `note` is not a note of the score.
    void AddNote(CNote* note);
    const std::vector<CElement>& elements() const { return m_elements; }

    void Do(IStepDocumentView* sender) override;
    void Undo() override;

protected:
    // A note taken straight from the score's own list, which needs no search.
    void AddScoreNote(CNote* note);
    // All or none; throws InvalidArgumentError if a note is not in the score (or is named
    // twice).
    void TakeNotesOut();
    // Makes room for the notes; may fail, before anything changed.
    void PrepareToPutBack();
    void PutNotesBack() noexcept;

private:
    std::vector<CElement> m_elements;
};

} // namespace zelvane
