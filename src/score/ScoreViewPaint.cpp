// Painting of the score view: rows, lines, measure numbers, notes and what a drag shows.

#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "chart/ViewState.h"
#include "render/DrawSprite.h"
#include "render/SpriteSheets.h"
#include "score/ScoreView.h"

#include <QPainter>

#include <algorithm>

namespace zelvane {
namespace {

constexpr int kBorder = 1;
constexpr std::int32_t kClocksPerMeasure = 192;
constexpr std::int32_t kClocksPerBeat = 48;
// The tap colours cycle one sheet row per this many clocks.
constexpr std::int32_t kColourStep = 12;
constexpr int kColourRows = 16;
constexpr int kSheetCell = CSpriteSheets::kCellSize;

} // namespace

CScoreView::CellSheets CScoreView::ScaleSheets() const
{
    const CSpriteSheets& sheets = CSpriteSheets::Get();
    const auto scale = [this](const QImage& sheet) {
        const QSize size(sheet.width() * m_columnWidth / kSheetCell,
                         sheet.height() * m_rowHeight / kSheetCell);
        if (size == sheet.size())
            return sheet;
        return sheet.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    return {scale(sheets.receptor()), scale(sheets.note()), scale(sheets.holdHead()),
            scale(sheets.holdBody()), scale(sheets.holdTail())};
}

QRect CScoreView::SheetCell(std::int32_t panel, int row) const
{
    const QRect cell = CSpriteSheets::ArrowCell(panel, row);
    return QRect(cell.x() / kSheetCell * m_columnWidth, cell.y() / kSheetCell * m_rowHeight,
                 m_columnWidth, m_rowHeight);
}

void CScoreView::Paint(QPainter& painter) const
{
    const QPalette& colours = palette();
    const QSize client = viewport()->size();
    painter.fillRect(QRect(QPoint(0, 0), client), colours.color(QPalette::Base));
    const CScore* current = score();
    if (!current)
        return;

    // Rows cover only what the window shows, so the cost follows the window, not the score.
    int row = m_firstRow;
    for (int y = 0; y < client.height(); y += m_rowHeight, ++row)
        PaintRow(painter, QRect(0, y, m_lanesRight, m_rowHeight), row);

    const auto& notes = current->notes();
    const auto [first, last] = VisibleNoteSpan();
    for (std::size_t i = first; i < last; ++i) {
        CNote* note = notes[i].get();
        if (note == m_resizedNote)
            continue;
        if (std::any_of(m_movingNotes.begin(), m_movingNotes.end(),
                        [note](const MOVING_NOTE& moving) { return moving.note == note; }))
            continue;
        const QRect rect = GetNoteRect(note->clock, note->panel, note->length);
        if (IsVisible(rect))
            PaintNote(painter, rect, note->panel, note->clock, IsSelected(note));
    }

    const QColor text = colours.color(QPalette::Text);
    painter.fillRect(QRect(m_headerWidth - kBorder, 0, kBorder, client.height()), text);
    PaintWaveform(painter);
    PaintTempoMarkers(painter);
    painter.fillRect(QRect(m_lanesRight - kBorder, 0, kBorder, client.height()), text);

    if (!m_bandRect.isEmpty()) {
        const QColor band = colours.color(QPalette::Highlight);
        const QRect& r = m_bandRect;
        painter.fillRect(QRect(r.left(), r.top(), r.width(), kBorder), band);
        painter.fillRect(QRect(r.left(), r.bottom() + 1 - kBorder, r.width(), kBorder), band);
        painter.fillRect(QRect(r.left(), r.top(), kBorder, r.height()), band);
        painter.fillRect(QRect(r.right() + 1 - kBorder, r.top(), kBorder, r.height()), band);
    }

    if (!m_viewState->playing() && m_pendingNote.rect.isNull() && !m_hoverRect.isNull())
        DrawSprite(painter, m_sheets.receptor, SheetCell(m_hoverPanel, 0), m_hoverRect);
    if (!m_pendingNote.rect.isNull() && m_pendingNote.rect.left() >= m_headerWidth)
        PaintNote(painter, m_pendingNote.rect, m_pendingNote.panel, m_pendingNote.clock, true);
    for (const MOVING_NOTE& moving : m_movingNotes)
        if (!moving.rect.isNull())
            PaintNote(painter, moving.rect, moving.panel, moving.clock, true);
}

std::pair<std::size_t, std::size_t> CScoreView::VisibleNoteSpan() const
{
    // Notes lie in clock order, except that moving re-sorts them by where they begin minus
    // their length; either way no note starts more than the longest length before one ahead
    // of it. So a binary search for the first note that can reach the first row, and for the
    // first that lies wholly below the last, bounds the notes to paint.
    const auto& notes = score()->notes();
    if (!m_notesNearClockOrder)
        return {0, notes.size()};
    const std::int64_t firstClock = static_cast<std::int64_t>(m_firstRow) * m_clocksPerRow;
    const std::int64_t rows = viewport()->height() / m_rowHeight + 2;
    const std::int64_t lastClock = firstClock + rows * m_clocksPerRow;
    const std::int64_t from = firstClock - 2 * static_cast<std::int64_t>(m_longestNote);
    const std::int64_t to = lastClock + m_longestNote;
    const auto begin = std::partition_point(
        notes.begin(), notes.end(), [from](const auto& note) { return note->clock < from; });
    const auto end = std::partition_point(begin, notes.end(),
                                          [to](const auto& note) { return note->clock <= to; });
    return {static_cast<std::size_t>(begin - notes.begin()),
            static_cast<std::size_t>(end - notes.begin())};
}

void CScoreView::PaintRow(QPainter& painter, const QRect& rect, int row) const
{
    const QPalette& colours = palette();
    const bool highlighted = m_selectedNotes.empty() && m_pendingNote.rect.isNull()
        && row >= std::min(m_anchorRow, m_cursorRow) && row <= std::max(m_anchorRow, m_cursorRow);
    if (highlighted) {
        painter.fillRect(rect, colours.color(QPalette::Highlight));
    } else {
        painter.fillRect(QRect(rect.left(), rect.top(), m_headerWidth, rect.height()),
                         colours.color(QPalette::Base));
        int x = rect.left() + m_headerWidth;
        for (int panel = m_firstColumn; panel < m_panelCount && x < rect.right() + 1;
             ++panel, x += m_columnWidth) {
            const QPalette::ColorRole role = panel % 2 == 0 ? QPalette::Button : QPalette::Base;
            painter.fillRect(QRect(x, rect.top(), m_columnWidth, rect.height()),
                             colours.color(role));
        }
    }

    const std::int64_t clock = static_cast<std::int64_t>(row) * m_clocksPerRow;
    const QColor text = colours.color(QPalette::Text);
    if (clock % kClocksPerMeasure != 0) {
        const QColor line = clock % kClocksPerBeat == 0 ? text : colours.color(QPalette::Button);
        painter.fillRect(QRect(rect.left() + m_headerWidth, rect.top() - kBorder,
                               rect.width() - m_headerWidth, kBorder),
                         line);
    } else {
        painter.fillRect(QRect(rect.left(), rect.top() - kBorder, rect.width(), kBorder), text);
        painter.setFont(m_font);
        painter.setPen(highlighted ? colours.color(QPalette::HighlightedText) : text);
        painter.drawText(QRect(rect.left(), rect.top(), m_headerWidth, rect.height()),
                         Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine,
                         QString::number(clock / kClocksPerMeasure + 1));
    }

    if (row == m_cursorRow && hasFocus()) {
        painter.save();
        painter.setPen(QPen(text, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        painter.restore();
    }
}

void CScoreView::PaintNote(QPainter& painter, const QRect& rect, std::int32_t panel,
                           std::int32_t clock, bool highlighted) const
{
    if (highlighted)
        painter.fillRect(rect, palette().color(QPalette::Highlight));
    if (rect.height() <= m_rowHeight) {
        // The colour tells the note's place in the beat and cycles with the current time.
        const std::int32_t now = m_viewState->currentTime();
        int colour = static_cast<int>(
            ((now % kClocksPerMeasure) / kColourStep + (clock / kColourStep) * 4) % kColourRows);
        if (colour < 0)
            colour += kColourRows;
        DrawSprite(painter, m_sheets.note, SheetCell(panel, colour), rect);
        return;
    }
    PaintFreeze(painter, rect, panel);
}

void CScoreView::PaintFreeze(QPainter& painter, const QRect& rect, std::int32_t panel) const
{
    const std::int64_t base = static_cast<std::int64_t>(m_clocksPerRow) * m_firstRow;
    const std::int64_t now = m_rowHeight
        * (static_cast<std::int64_t>(m_viewState->currentTime()) - base) / m_clocksPerRow;
    const int top = rect.top();
    const int bottom = rect.bottom() + 1;
    // Lit while the current time is inside the freeze.
    const int row = now >= top && now < bottom ? 1 : 0;
    const int height = viewport()->height();

    DrawSprite(painter, m_sheets.holdTail, SheetCell(panel, row),
               QRect(rect.left(), bottom - m_rowHeight, rect.width(), m_rowHeight));

    // The body runs from the middle of the head to the tail, in tiles of two rows laid
    // upwards from the tail, and a partial tile at the top cut so that its pattern stays on
    // the tile grid.
    const int bodyTop = top + m_rowHeight / 2;
    const int bodyBottom = bottom - m_rowHeight;
    if (bodyTop < bodyBottom) {
        const int tileHeight = 2 * m_rowHeight;
        const QRect cell = SheetCell(panel, 2 * row);
        const QRect tile(cell.x(), cell.y(), m_columnWidth, tileHeight);
        const int wholeTiles = (bodyBottom - bodyTop) / tileHeight;
        // Tiles below the window are skipped by count: a freeze may be far taller.
        const int firstShown = std::max(0, (bodyBottom - height) / tileHeight);
        for (int k = firstShown; k < wholeTiles; ++k) {
            const int tileTop = bodyBottom - (k + 1) * tileHeight;
            if (tileTop + tileHeight <= 0)
                break;
            DrawSprite(painter, m_sheets.holdBody, tile,
                       QRect(rect.left(), tileTop, rect.width(), tileHeight));
        }
        const int restBottom = bodyBottom - wholeTiles * tileHeight;
        if (bodyTop < restBottom && restBottom > 0 && bodyTop < height) {
            const int skipped = bodyTop - (restBottom - tileHeight);
            const QRect source(tile.x(), tile.y() + skipped, m_columnWidth, tileHeight - skipped);
            if (!source.isEmpty())
                DrawSprite(painter, m_sheets.holdBody, source,
                           QRect(rect.left(), bodyTop, rect.width(), restBottom - bodyTop));
        }
    }

    DrawSprite(painter, m_sheets.holdHead, SheetCell(panel, row),
               QRect(rect.left(), top, rect.width(), m_rowHeight));
}

} // namespace zelvane
