#pragma once

#include "base/TempoMap.h"
#include "chart/commands/Command.h"

#include <cstddef>
#include <memory>
#include <span>

namespace zelvane {

// Inserts, changes or deletes events of the document's tempo map: tempo changes, stops,
// delays and warps. It holds the map before and after, so undoing gives back the very map.
// Every chart is danced again from the first clock whose time changed.
class CTempoEventCommand : public CDocumentCommand {
public:
    // Each throws ChartLimitError, nothing changed, when the map refuses the edit (its reason)
    // or a chart would no longer fit the limits through the new map.
    static std::unique_ptr<CTempoEventCommand> Insert(CStepDocument* document,
                                                      const CTempoEvent& event);
    // The event at `index` of the map's events becomes `event`.
    static std::unique_ptr<CTempoEventCommand> Change(CStepDocument* document, std::size_t index,
                                                      const CTempoEvent& event);
    // Deletes the events at these indices of the map's events (the song's tempo cannot go).
    static std::unique_ptr<CTempoEventCommand> Remove(CStepDocument* document,
                                                      std::span<const std::size_t> indices);

    // Any new map: checked against every chart as above.
    CTempoEventCommand(CStepDocument* document, std::string name, CTempoMap after);

    const CTempoMap& before() const { return m_before; }
    const CTempoMap& after() const { return m_after; }

    void Do(IStepDocumentView* sender) override;
    void Undo() override;

private:
    void Apply(const CTempoMap& tempo, IStepDocumentView* sender);

    CTempoMap m_before;
    CTempoMap m_after;
};

} // namespace zelvane
