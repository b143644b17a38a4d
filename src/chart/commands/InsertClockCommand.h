#pragma once

#include "chart/commands/AddNoteCommand.h"

namespace zelvane {

// Opens a gap of `length` clocks at `start` by moving every later note, then adds the
// command's own notes (a paste) into the gap; an inserted row adds none.
class CInsertClockCommand : public CAddNoteCommand {
public:
    CInsertClockCommand(CScore* score, std::string name, std::int32_t start, std::int32_t length);
    std::int32_t start() const { return m_start; }
    std::int32_t length() const { return m_length; }

    void Do(IStepDocumentView* sender) override;
    void Undo() override;

private:
    std::int32_t m_start;
    std::int32_t m_length;
};

} // namespace zelvane
