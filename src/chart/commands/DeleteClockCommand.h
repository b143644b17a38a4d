#pragma once

#include "base/TempoMap.h"
#include "chart/commands/DeleteNoteCommand.h"

#include <optional>

namespace zelvane {

// Removes the rows start <= clock < start + length: their notes go out of the score and
// every later note moves up by `length`. Freezes crossing the edges keep their lengths. The
// tempo map's events in the rows go too (the song's tempo stays) and later ones move up.
class CDeleteClockCommand : public CDeleteNoteCommand {
public:
    CDeleteClockCommand(CScore* score, std::string name, std::int32_t start, std::int32_t length);
    std::int32_t start() const { return m_start; }
    std::int32_t length() const { return m_length; }

    void Do(IStepDocumentView* sender) override;
    void Undo() override;

private:
    std::int32_t m_start;
    std::int32_t m_length;
    // Both set only when the delete changes the map.
    std::optional<CTempoMap> m_tempoBefore;
    std::optional<CTempoMap> m_tempoAfter;
};

} // namespace zelvane
