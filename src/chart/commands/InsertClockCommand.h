#pragma once

#include "base/TempoMap.h"
#include "chart/commands/AddNoteCommand.h"

#include <optional>

namespace zelvane {

// Opens a gap of `length` clocks at `start` by moving every later note, then adds the
// command's own notes (a paste) into the gap; an inserted row adds none. The tempo map's
// events at or after `start` move with the notes, so every chart keeps its timing there.
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
    // Both set only when the insert moves events of the map.
    std::optional<CTempoMap> m_tempoBefore;
    std::optional<CTempoMap> m_tempoAfter;
};

} // namespace zelvane
