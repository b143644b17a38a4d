#pragma once

#include "base/TempoMap.h"
#include "chart/commands/Command.h"

namespace zelvane {

struct SongProperties {
    std::string title;
    std::string artist;
    float bpm = 120.0f;
    std::int32_t gap = 0;
};

// What becomes of the tempo map's events after the song's tempo.
enum class OtherTempoEvents { Keep, Remove };

// Changes title, artist, tempo and gap together; every score is re-timed. The tempo is the
// song's, the first of the tempo map; the map's other events stay, unless they are removed
// with it (a tempo found for the whole song replaces the map).
class CSongPropertyCommand : public CDocumentCommand {
public:
    // The old values are the document's current ones. Throws InvalidArgumentError when the
    // new tempo is not a number above 0, and ChartLimitError when the new tempo or gap is
    // beyond the chart limits, the map refuses it, or the map with the new tempo would
    // stretch a chart past them. `name` is the command's in the undo menu (empty: the song
    // settings').
    CSongPropertyCommand(CStepDocument* document, SongProperties newValues,
                         OtherTempoEvents others = OtherTempoEvents::Keep,
                         const std::string& name = {});
    const SongProperties& oldValues() const { return m_old; }
    const SongProperties& newValues() const { return m_new; }

    void Do(IStepDocumentView* sender) override;
    void Undo() override;

private:
    void Apply(const SongProperties& values, const CTempoMap& tempo, IStepDocumentView* sender);

    SongProperties m_old;
    SongProperties m_new;
    CTempoMap m_oldTempo;
    CTempoMap m_newTempo;
};

} // namespace zelvane
