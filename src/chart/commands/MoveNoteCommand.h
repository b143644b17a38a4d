#pragma once

#include "base/Note.h"
#include "chart/commands/Command.h"

#include <vector>

namespace zelvane {

// Changes the clock, panel and length of notes (dragging, lengthening), then re-sorts the
// score by (clock - length, panel).
class CMoveNoteCommand : public CScoreCommand {
public:
    struct CElement {
        CNote* note = nullptr; // never owned
        CNote oldValues;
        CNote newValues;
    };

    CMoveNoteCommand(CScore* score, std::string name);
    // Throws InvalidArgumentError when the note is not in the score or its new place breaks
    // the chart limits or names a panel the score lacks.
    void AddMove(CNote* note, std::int32_t newClock, std::int32_t newPanel, std::int32_t newLength);
    const std::vector<CElement>& elements() const { return m_elements; }

    void Do(IStepDocumentView* sender) override;
    void Undo() override;

private:
    std::vector<CElement> m_elements;
};

} // namespace zelvane
