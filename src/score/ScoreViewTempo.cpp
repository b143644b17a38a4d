// The tempo map in the score view: a marker beside the lanes for each tempo change, stop,
// delay and warp, at its row; double-clicking one asks to edit it.

#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "chart/ViewState.h"
#include "qtcommon/QtText.h"
#include "score/ScoreView.h"

#include <QFontMetrics>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace zelvane {
namespace {

// Room between the lanes and a marker, and between markers on one line.
constexpr int kMarkerGap = 4;
// The text's inset from the marker's edges.
constexpr int kMarkerPadding = 3;
constexpr std::int64_t kFarAway = 1 << 24;

std::string Seconds(double milliseconds)
{
    return QLocale::c().toString(milliseconds / 1000.0, 'f', 3).toStdString();
}

QString MarkerText(const CTempoEvent& event)
{
    if (const auto* tempo = std::get_if<CTempoChange>(&event))
        return FormatQString(
            IDS_MARKER_TEMPO_CHANGE,
            {QLocale::c().toString(static_cast<double>(tempo->bpm), 'g', 7).toStdString()});
    if (const auto* delay = std::get_if<CDelay>(&event))
        return FormatQString(IDS_MARKER_DELAY, {Seconds(delay->milliseconds)});
    if (const auto* stop = std::get_if<CStop>(&event))
        return FormatQString(IDS_MARKER_STOP, {Seconds(stop->milliseconds)});
    return FormatQString(IDS_MARKER_WARP, {std::to_string(std::get<CWarp>(event).length)});
}

// Index range of the events whose clocks lie in [from, to].
std::pair<std::size_t, std::size_t> EventSpan(const std::vector<CTempoEvent>& events,
                                              std::int64_t from, std::int64_t to)
{
    const auto begin = std::partition_point(events.begin(), events.end(),
                                            [from](const auto& e) { return EventClock(e) < from; });
    const auto end = std::partition_point(begin, events.end(),
                                          [to](const auto& e) { return EventClock(e) <= to; });
    return {static_cast<std::size_t>(begin - events.begin()),
            static_cast<std::size_t>(end - events.begin())};
}

} // namespace

bool CScoreView::IsTempoEditEnabled() const
{
    return score() && !m_viewState->playing();
}

bool CScoreView::IsDeleteTempoEventsEnabled() const
{
    return IsTempoEditEnabled() && !TempoEventsAtCursorRow().empty();
}

std::vector<std::size_t> CScoreView::TempoEventsAtCursorRow() const
{
    const std::int64_t start = static_cast<std::int64_t>(m_cursorRow) * m_clocksPerRow;
    const auto [first, last]
        = EventSpan(m_document->tempoMap().events(), start, start + m_clocksPerRow - 1);
    std::vector<std::size_t> indices;
    for (std::size_t i = std::max<std::size_t>(first, 1); i < last; ++i)
        indices.push_back(i);
    return indices;
}

void CScoreView::SyncMarkerLabels() const
{
    const auto& events = m_document->tempoMap().events();
    if (m_labelledEvents != events) {
        m_labelledEvents = events;
        m_markerLabels.assign(events.size(), MarkerLabel());
    }
}

const CScoreView::MarkerLabel& CScoreView::LabelOf(std::size_t index) const
{
    const auto& events = m_labelledEvents;
    MarkerLabel& label = m_markerLabels[index];
    if (!label.made) {
        const QString text = MarkerText(events[index]);
        label.text.setText(text);
        label.text.setTextFormat(Qt::PlainText);
        label.text.prepare(QTransform(), m_font);
        label.width = QFontMetrics(m_font).horizontalAdvance(text);
        label.made = true;
    }
    return label;
}

std::vector<CScoreView::TempoMarker> CScoreView::VisibleTempoMarkers() const
{
    std::vector<TempoMarker> markers;
    if (!score())
        return markers;
    SyncMarkerLabels();
    const QSize client = viewport()->size();
    const QFontMetrics metrics(m_font);
    const int lineHeight = metrics.height() + 2;
    // Only the events near the window are laid out, so the cost follows the window, not the
    // map: one row above (a marker reaches below its row's top) to the last row shown.
    const std::int64_t base = static_cast<std::int64_t>(m_clocksPerRow) * m_firstRow;
    const std::int64_t rowsShown = client.height() / m_rowHeight + 1;
    const auto& events = m_document->tempoMap().events();
    const auto [first, last]
        = EventSpan(events, base - m_clocksPerRow * 2, base + rowsShown * m_clocksPerRow);

    // Markers start just right of the lanes. Markers that would overlap one above share its
    // line; a line too long for the window slides left over the lanes, so that every
    // marker stays in sight however narrow the pane.
    std::size_t lineStart = 0;
    const auto fitLine = [&] {
        if (lineStart >= markers.size())
            return;
        const int overflow = markers.back().rect.right() + 1 - client.width();
        const int room = markers[lineStart].rect.left() - m_headerWidth;
        const int shift = std::min(overflow, room);
        if (shift > 0)
            for (std::size_t k = lineStart; k < markers.size(); ++k)
                markers[k].rect.translate(-shift, 0);
    };
    for (std::size_t i = first; i < last; ++i) {
        const std::int64_t y = (EventClock(events[i]) - base) * m_rowHeight / m_clocksPerRow;
        const MarkerLabel& label = LabelOf(i);
        const int width = label.width + 2 * kMarkerPadding;
        QRect rect(MarginLeft() + kMarkerGap,
                   static_cast<int>(std::clamp(y, -kFarAway, kFarAway)) + 1, width, lineHeight);
        if (!markers.empty() && rect.top() <= markers.back().rect.bottom()) {
            const QRect& previous = markers.back().rect;
            rect.moveTo(previous.right() + 1 + kMarkerGap, previous.top());
        } else {
            fitLine();
            lineStart = markers.size();
        }
        markers.push_back({i, rect, label.text.text()});
    }
    fitLine();
    const QRect shown(QPoint(0, 0), client);
    std::erase_if(markers, [&shown](const TempoMarker& m) { return !m.rect.intersects(shown); });
    return markers;
}

std::optional<std::size_t> CScoreView::TempoMarkerAt(const QPoint& point) const
{
    for (const TempoMarker& marker : VisibleTempoMarkers())
        if (marker.rect.contains(point))
            return marker.index;
    return std::nullopt;
}

void CScoreView::PaintTempoMarkers(QPainter& painter) const
{
    const std::vector<TempoMarker> markers = VisibleTempoMarkers();
    if (markers.empty())
        return;
    const QPalette& colours = palette();
    const QColor border = colours.color(QPalette::Text);
    painter.save();
    painter.setFont(m_font);
    painter.setPen(colours.color(QPalette::ToolTipText));
    for (const TempoMarker& marker : markers) {
        const QRect& r = marker.rect;
        painter.fillRect(r, colours.color(QPalette::ToolTipBase));
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), border);
        const QStaticText& text = LabelOf(marker.index).text;
        const int top = r.top() + (r.height() - static_cast<int>(text.size().height())) / 2;
        painter.drawStaticText(QPoint(r.left() + kMarkerPadding, top), text);
    }
    painter.restore();
}

void CScoreView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && IsTempoEditEnabled()) {
        if (const std::optional<std::size_t> index = TempoMarkerAt(event->position().toPoint())) {
            emit tempoEventActivated(*index);
            return;
        }
    }
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

} // namespace zelvane
