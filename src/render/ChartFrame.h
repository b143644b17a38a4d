#pragma once

#include <cstdint>
#include <optional>

namespace zelvane {

class CTempoMap;

// Where the chart stands at one frame of the song: the arithmetic of the scrolling chart
// image, with the integer, single-precision and truncation steps fixed so that the picture
// is the same on every machine. Notes scroll upwards towards the receptor line (y 32 to 96)
// at 64 pixels per `clocksPerRow` clocks. Results that can leave 32 bits are 64-bit.
//
// At one tempo a note's place follows from the frames between it and now, in the float steps
// every existing video was made with. When the tempo changes or the chart stops, the place
// follows from the clocks between the note and the chart's position now, as on the game's
// screen: the notes stand through a stop and scroll at the speed of the tempo that holds.
class CChartFrame {
public:
    static constexpr std::int32_t kReceptorTop = 32;
    static constexpr std::int32_t kCellSize = 64;
    static constexpr std::int32_t kImageHeight = 480;

    // `clocksPerRow` must be above 0 (the caller checks it).
    CChartFrame(std::int32_t frame, float bpm, std::int32_t clocksPerRow);
    // The chart of a tempo map; nothing of the map is kept.
    CChartFrame(std::int32_t frame, const CTempoMap& tempo, std::int32_t clocksPerRow);

    std::int32_t frame() const { return m_frame; }
    // The song position in clocks at this frame.
    std::int32_t clock() const { return m_clock; }

    // Top of a note starting at `clock`; it grows with the clock.
    std::int64_t NoteTop(std::int32_t clock) const;
    // Bottom of a note ending at `endClock` (its clock for a tap); it grows with the clock.
    std::int64_t NoteBottom(std::int32_t endClock) const;
    // Row of the note sheet for a tap at `clock`: the colours cycle once per measure of the
    // song position, and taps on different sixteenths start on different colours. Always
    // 0 to 15, also for clocks and positions before the song.
    std::int32_t TapColourRow(std::int32_t clock) const;
    // Row of the receptor sheet: 2 (dim) before the song and from the chart's end on,
    // otherwise 0 (bright) for the first four clocks of each beat and 1 between.
    std::int32_t ReceptorRow(std::int32_t scoreLength) const;

    // Notes that start after lastVisibleClock() or end before firstVisibleEnd() cannot be
    // drawn at this frame, so a painter can pass them over with two comparisons. Both follow
    // from the position formulas growing with the clock, found by bisection; for a tempo
    // where that does not hold (not a positive number) they exclude nothing.
    std::int64_t lastVisibleClock() const { return m_lastVisibleClock; }
    std::int64_t firstVisibleEnd() const { return m_firstVisibleEnd; }

private:
    // Finds the visible range once the position is known.
    void FindVisibleRange();
    // At one tempo: the truncated scroll of something `deltaFrames` frames ahead; negative
    // for the future, and subtracted from the line it scrolls away from.
    std::int32_t ScrollOffset(std::int64_t deltaFrames) const;
    // Through a tempo map: the truncated distance in pixels from the receptor line down to
    // something at `clock`; negative once it has passed.
    std::int64_t PixelsAhead(std::int32_t clock) const;

    std::int32_t m_frame;
    float m_bpm;
    std::int32_t m_clocksPerRow;
    std::int32_t m_clock;
    // The chart's position in clocks with its fraction, when a tempo map places the notes.
    std::optional<double> m_position;
    std::int64_t m_lastVisibleClock = 0;
    std::int64_t m_firstVisibleEnd = 0;
};

} // namespace zelvane
