#include "render/ChartFrame.h"

#include "base/TempoMap.h"
#include "base/TimeUnits.h"

#include <cmath>
#include <functional>
#include <limits>

namespace zelvane {
namespace {

constexpr std::int64_t kMinClock = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMaxClock = std::numeric_limits<std::int32_t>::max();

// Remainders that stay non-negative for negative values, so rows computed before the song
// (negative clocks) still index inside the sheet.
std::int64_t FloorMod(std::int64_t value, std::int64_t divisor)
{
    const std::int64_t remainder = value % divisor;
    return remainder < 0 ? remainder + divisor : remainder;
}

// The last clock in [kMinClock, kMaxClock] where `holds` is true, for a predicate that is
// true up to some clock and false after it; kMinClock - 1 when it never holds.
std::int64_t LastClockWhere(const std::function<bool(std::int32_t)>& holds)
{
    std::int64_t low = kMinClock;
    std::int64_t high = kMaxClock;
    if (!holds(static_cast<std::int32_t>(low)))
        return kMinClock - 1;
    if (holds(static_cast<std::int32_t>(high)))
        return high;
    while (high - low > 1) {
        const std::int64_t middle = low + (high - low) / 2;
        (holds(static_cast<std::int32_t>(middle)) ? low : high) = middle;
    }
    return low;
}

} // namespace

CChartFrame::CChartFrame(std::int32_t frame, float bpm, std::int32_t clocksPerRow)
    : m_frame(frame)
    , m_bpm(bpm)
    , m_clocksPerRow(clocksPerRow)
    , m_clock(FrameToClock(frame, bpm))
{
    FindVisibleRange();
}

CChartFrame::CChartFrame(std::int32_t frame, const CTempoMap& tempo, std::int32_t clocksPerRow)
    : m_frame(frame)
    , m_bpm(tempo.songBpm())
    , m_clocksPerRow(clocksPerRow)
    , m_clock(tempo.FrameToClock(frame))
{
    // A song of one tempo keeps the arithmetic its videos were made with.
    if (!tempo.IsSingleTempo())
        m_position = tempo.ClockPositionAtFrame(frame);
    FindVisibleRange();
}

void CChartFrame::FindVisibleRange()
{
    m_lastVisibleClock = kMaxClock;
    m_firstVisibleEnd = kMinClock;
    if (!m_position && !(std::isfinite(m_bpm) && m_bpm > 0.0f))
        return;
    m_lastVisibleClock
        = LastClockWhere([this](std::int32_t clock) { return NoteTop(clock) < kImageHeight; });
    m_firstVisibleEnd = LastClockWhere([this](std::int32_t clock) {
                            return NoteBottom(clock) < kReceptorTop + kCellSize;
                        })
        + 1;
}

std::int32_t CChartFrame::ScrollOffset(std::int64_t deltaFrames) const
{
    const std::int64_t scaled = deltaFrames * 3072;
    return TruncateToInt32(static_cast<float>(scaled) * m_bpm / -60.0f / 30.0f
                           / static_cast<float>(m_clocksPerRow));
}

std::int64_t CChartFrame::PixelsAhead(std::int32_t clock) const
{
    // Clocks up to 2^32 apart at 64 pixels each stay exact in a double and fit 64 bits.
    return static_cast<std::int64_t>(
        std::trunc((clock - *m_position) * kCellSize / static_cast<double>(m_clocksPerRow)));
}

std::int64_t CChartFrame::NoteTop(std::int32_t clock) const
{
    if (m_position)
        return kReceptorTop + PixelsAhead(clock);
    const std::int64_t delta = static_cast<std::int64_t>(ClockToFrame(clock, m_bpm)) - m_frame;
    return kReceptorTop - static_cast<std::int64_t>(ScrollOffset(delta));
}

std::int64_t CChartFrame::NoteBottom(std::int32_t endClock) const
{
    if (m_position)
        return kReceptorTop + kCellSize + PixelsAhead(endClock);
    const std::int64_t delta = static_cast<std::int64_t>(ClockToFrame(endClock, m_bpm)) - m_frame;
    return kReceptorTop + kCellSize - static_cast<std::int64_t>(ScrollOffset(delta));
}

std::int32_t CChartFrame::TapColourRow(std::int32_t clock) const
{
    // The clocks the tap is ahead of the chart's position, truncated toward zero.
    std::int64_t ahead = 0;
    if (m_position) {
        ahead = static_cast<std::int64_t>(std::trunc(clock - *m_position));
    } else {
        const std::int64_t delta = static_cast<std::int64_t>(ClockToFrame(clock, m_bpm)) - m_frame;
        ahead = TruncateToInt32(static_cast<float>(delta * kClocksPerBeat) * m_bpm / 60.0f / 30.0f);
    }
    const std::int64_t songClock = clock - ahead;
    const std::int64_t row
        = FloorMod(songClock, kClocksPerMeasure) / 12 + (static_cast<std::int64_t>(clock) / 12) * 4;
    return static_cast<std::int32_t>(FloorMod(row, 16));
}

std::int32_t CChartFrame::ReceptorRow(std::int32_t scoreLength) const
{
    if (m_frame < 0 || m_clock >= scoreLength)
        return 2;
    return FloorMod(m_clock, kClocksPerBeat) < 4 ? 0 : 1;
}

} // namespace zelvane
