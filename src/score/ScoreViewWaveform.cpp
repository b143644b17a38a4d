// The song's waveform in the score view: a strip beside the lanes where each pixel line shows
// the lowest and highest sample of the stretch of song its place in the rows stands for, so
// that the music lines up with the notes through every tempo change, stop and the gap.

#include "chart/StepDocument.h"
#include "score/ScoreView.h"

#include <QPainter>

#include <algorithm>
#include <limits>
#include <vector>

namespace zelvane {
namespace {

constexpr int kWaveformWidth = 48;
// Room between the lanes and the strip.
constexpr int kWaveformGap = 2;
constexpr double kFullScale = 32768.0;

} // namespace

void CScoreView::SetSongEnvelope(std::shared_ptr<const AmplitudePyramid> envelope)
{
    if (envelope == m_envelope)
        return;
    m_envelope = std::move(envelope);
    viewport()->update();
}

void CScoreView::SetWaveformShown(bool shown)
{
    if (shown == m_waveformShown)
        return;
    m_waveformShown = shown;
    viewport()->update();
}

QRect CScoreView::WaveformRect() const
{
    if (!m_waveformShown || !m_envelope || m_envelope->levelCount() == 0)
        return {};
    return QRect(m_lanesRight + kWaveformGap, 0, kWaveformWidth, viewport()->height());
}

int CScoreView::MarginLeft() const
{
    const QRect strip = WaveformRect();
    return strip.isNull() ? m_lanesRight : strip.right() + 1;
}

void CScoreView::PaintWaveform(QPainter& painter) const
{
    const QRect strip = WaveformRect();
    if (strip.isNull() || m_rowHeight <= 0)
        return;
    const CTempoMap& tempo = m_document->tempoMap();
    const double gap = m_document->description().gap;
    // The song's time where each visible row starts, one more for the end of the last: the
    // map is asked once per row, and the lines within a row share its pace.
    const int rows = strip.height() / m_rowHeight + 2;
    std::vector<double> rowMs(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        const std::int64_t clock = (static_cast<std::int64_t>(m_firstRow) + i) * m_clocksPerRow;
        const auto clamped = static_cast<std::int32_t>(
            std::min<std::int64_t>(clock, std::numeric_limits<std::int32_t>::max()));
        rowMs[static_cast<std::size_t>(i)] = gap + tempo.ClockToSeconds(clamped) * 1000.0;
    }

    const QColor colour = palette().color(QPalette::Highlight);
    const double half = kWaveformWidth / 2.0;
    const int middle = strip.left() + kWaveformWidth / 2;
    for (int y = 0; y < strip.height(); ++y) {
        const auto row = static_cast<std::size_t>(y / m_rowHeight);
        const double start = rowMs[row];
        const double pace = (rowMs[row + 1] - start) / m_rowHeight;
        const double from = start + pace * (y % m_rowHeight);
        const AmplitudeSpan span = m_envelope->SpanMs(from, from + pace);
        const int left = middle + static_cast<int>(span.low * half / kFullScale);
        const int right = middle + static_cast<int>(span.high * half / kFullScale);
        // Silence is still a line, so the strip shows where the song is.
        painter.fillRect(QRect(left, y, std::max(1, right - left + 1), 1), colour);
    }
}

} // namespace zelvane
