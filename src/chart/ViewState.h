#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zelvane {

// What the views of the one document share and the document itself does not keep: where the
// cursor stands (the current time), how many clocks a row of the score shows, and whether the
// song plays. The window owns it; nothing of it is saved with the document, and a new or
// read document starts it over.
class CViewState {
public:
    static constexpr std::array<std::int32_t, 8> kZoomTable{3, 4, 6, 8, 12, 16, 24, 48};
    // A document is first shown whole rows of a beat: zoomed out as far as it goes.
    static constexpr std::int32_t kDefaultZoomIndex = 7;

    std::int32_t currentTime() const { return m_currentTime; }
    void SetCurrentTime(std::int32_t clock) { m_currentTime = clock; }

    std::int32_t zoomIndex() const { return m_zoomIndex; }
    std::int32_t clocksPerRow() const { return kZoomTable[static_cast<std::size_t>(m_zoomIndex)]; }
    bool CanZoomIn() const { return m_zoomIndex > 0; }
    bool CanZoomOut() const { return m_zoomIndex < kDefaultZoomIndex; }
    // One step, where there is one; each returns whether the zoom changed.
    bool ZoomIn();
    bool ZoomOut();

    // Undo, redo and every edit rest while the song plays.
    bool playing() const { return m_playing; }
    void SetPlaying(bool playing) { m_playing = playing; }

    // A new or read document: at its top, zoomed out. Whether the song plays is the
    // clock's to say.
    void StartOver();

private:
    std::int32_t m_currentTime = 0;
    std::int32_t m_zoomIndex = kDefaultZoomIndex;
    bool m_playing = false;
};

} // namespace zelvane
