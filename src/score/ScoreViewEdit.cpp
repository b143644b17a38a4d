// Editing in the score view with the mouse and the keys. Every change of the score is an
// edit command run through the document's history.

#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "chart/ViewState.h"
#include "chart/commands/AddNoteCommand.h"
#include "chart/commands/DeleteNoteCommand.h"
#include "chart/commands/MoveNoteCommand.h"
#include "qtcommon/CommandIds.h"
#include "qtcommon/QtText.h"
#include "score/ScoreView.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

namespace zelvane {
namespace {

std::string Name(std::uint32_t id)
{
    return std::string(LoadString(id));
}

std::int32_t ClampClock(std::int64_t clock)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        clock, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

// --- Grid positions and hit tests ---

int CScoreView::RowAt(int y) const
{
    // Rows above the window (negative y) count down from the first row.
    const int row = (y >= 0 ? y / m_rowHeight : -((-y + m_rowHeight - 1) / m_rowHeight));
    // Far below, the row stops where its clock would leave the clock range.
    return static_cast<int>(
        std::min<std::int64_t>(static_cast<std::int64_t>(row) + m_firstRow,
                               std::numeric_limits<std::int32_t>::max() / m_clocksPerRow));
}

int CScoreView::PanelAt(int x) const
{
    const int offset = x - m_headerWidth;
    const int column
        = offset >= 0 ? offset / m_columnWidth : -((-offset + m_columnWidth - 1) / m_columnWidth);
    return column + m_firstColumn;
}

CNote* CScoreView::HitNote(const QPoint& point, bool* onLengthHandle) const
{
    *onLengthHandle = false;
    const CScore* current = score();
    if (!current)
        return nullptr;
    // From the last note to the first: the note drawn on top wins.
    const auto& notes = current->notes();
    const auto [first, last] = VisibleNoteSpan();
    for (std::size_t i = last; i-- > first;) {
        CNote* note = notes[i].get();
        const QRect rect = GetNoteRect(note->clock, note->panel, note->length);
        if (!IsVisible(rect) || !rect.contains(point))
            continue;
        *onLengthHandle = point.y() >= rect.bottom() + 1 - m_rowHeight / 4;
        return note;
    }
    return nullptr;
}

bool CScoreView::IsSelected(const CNote* note) const
{
    return std::find(m_selectedNotes.begin(), m_selectedNotes.end(), note) != m_selectedNotes.end();
}

std::pair<std::int32_t, std::int32_t> CScoreView::RowRangeClocks() const
{
    const std::int32_t start = std::min(m_anchorRow, m_cursorRow) * m_clocksPerRow;
    const std::int32_t length = m_clocksPerRow * (std::max(m_anchorRow, m_cursorRow) + 1) - start;
    return {start, length};
}

void CScoreView::SetSelectedNotes(std::vector<CNote*> notes)
{
    m_selectedNotes = std::move(notes);
    Render();
    emit commandStatesChanged();
}

// --- Modes and the hover arrow ---

void CScoreView::SetSelectMode(bool selectMode)
{
    m_selectMode = selectMode;
    m_hoverRect = QRect();
    if (!selectMode)
        UpdateHover(viewport()->mapFromGlobal(QCursor::pos()));
    Render();
    emit commandStatesChanged();
}

void CScoreView::UpdateHover(const QPoint& point)
{
    if (m_selectMode || !score())
        return;
    bool handle = false;
    // No arrow over a note, nor over a tempo marker that covers the lanes.
    if (point.x() >= m_headerWidth && viewport()->rect().contains(point) && !HitNote(point, &handle)
        && !TempoMarkerAt(point)) {
        const std::int32_t clock = RowAt(point.y()) * m_clocksPerRow;
        const std::int32_t panel = PanelAt(point.x());
        const QRect rect = GetNoteRect(clock, panel, 0);
        if (rect != m_hoverRect || clock != m_hoverClock || panel != m_hoverPanel) {
            m_hoverRect = rect;
            m_hoverClock = clock;
            m_hoverPanel = panel;
            if (IsVisible(rect))
                Render();
        }
        return;
    }
    m_hoverRect = QRect();
    Render();
}

void CScoreView::leaveEvent(QEvent* event)
{
    QAbstractScrollArea::leaveEvent(event);
    if (m_dragMode == kNoDrag && !m_hoverRect.isNull()) {
        m_hoverRect = QRect();
        Render();
    }
}

// --- Mouse ---

void CScoreView::ExtendRowRange(int row)
{
    if (row == m_cursorRow && m_selectedNotes.empty() && m_pendingNote.rect.isNull())
        return;
    SetCursorRow(row, true);
}

void CScoreView::StartDrag(DragMode mode)
{
    m_dragMode = mode;
    m_dragTimer.start();
}

void CScoreView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !score()) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    m_lastMouse = point;
    // A marker over the lanes is clicked, not the lane beneath it.
    if (TempoMarkerAt(point))
        return;
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    bool onHandle = false;
    CNote* hit = HitNote(point, &onHandle);

    if (!shift && hit && onHandle) {
        m_selectedNotes = {hit};
        m_resizedNote = hit;
        m_pendingNote = {hit->clock, hit->panel, hit->length,
                         GetNoteRect(hit->clock, hit->panel, hit->length)};
        StartDrag(kLengthDrag);
        Render();
    } else if (hit) {
        if (shift) {
            const auto it = std::find(m_selectedNotes.begin(), m_selectedNotes.end(), hit);
            if (it != m_selectedNotes.end())
                m_selectedNotes.erase(it);
            else
                m_selectedNotes.push_back(hit);
        } else if (!IsSelected(hit)) {
            m_selectedNotes = {hit};
        }
        Render();
        if (!shift && IsSelected(hit)) {
            m_dragAnchorClock = RowAt(point.y()) * m_clocksPerRow;
            m_dragAnchorPanel = PanelAt(point.x());
            m_movingNotes.clear();
            for (CNote* note : m_selectedNotes)
                m_movingNotes.push_back({note, note->panel, note->clock, note->length,
                                         GetNoteRect(note->clock, note->panel, note->length)});
            StartDrag(kMoveDrag);
        }
    } else if (point.x() >= m_headerWidth && point.x() < m_lanesRight) {
        if (shift) {
            ExtendRowRange(RowAt(point.y()));
        } else if (m_selectMode) {
            m_bandOrigin = point;
            m_bandRect = QRect();
            StartDrag(kBandDrag);
        } else {
            m_hoverRect = QRect();
            m_selectedNotes.clear();
            const std::int32_t clock = RowAt(point.y()) * m_clocksPerRow;
            const std::int32_t panel = PanelAt(point.x());
            m_pendingNote = {clock, panel, 0, GetNoteRect(clock, panel, 0)};
            StartDrag(kAddDrag);
            Render();
        }
    } else if (point.x() < m_headerWidth) {
        const int row = RowAt(point.y());
        if (row != m_cursorRow || !m_selectedNotes.empty() || !m_pendingNote.rect.isNull())
            SetCursorRow(row, shift);
        StartDrag(kRowRangeDrag);
    }
    emit commandStatesChanged();
}

void CScoreView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    m_lastMouse = point;
    if (m_dragMode != kNoDrag) {
        DragStep(point, event->modifiers());
        return;
    }
    bool onHandle = false;
    const CNote* hit = HitNote(point, &onHandle);
    viewport()->setCursor(hit && onHandle ? Qt::SizeVerCursor : Qt::ArrowCursor);
    UpdateHover(point);
}

void CScoreView::DragStep(const QPoint& point, Qt::KeyboardModifiers)
{
    switch (m_dragMode) {
    case kRowRangeDrag:
        ExtendRowRange(RowAt(point.y()));
        break;
    case kMoveDrag:
        MoveNotes(point);
        break;
    case kLengthDrag:
    case kAddDrag: {
        const int row = RowAt(point.y());
        ScrollRowIntoView(row);
        const std::int32_t length = std::max(row * m_clocksPerRow - m_pendingNote.clock, 0);
        if (length != m_pendingNote.length || m_pendingNote.rect.isNull()) {
            m_pendingNote.length = length;
            m_pendingNote.rect
                = GetNoteRect(m_pendingNote.clock, m_pendingNote.panel, m_pendingNote.length);
            if (IsVisible(m_pendingNote.rect))
                Render();
        }
        break;
    }
    case kBandDrag: {
        // The corner under the mouse is outside the band, so a note is taken only when
        // the band reaches past its last pixel.
        const QRect band(
            QPoint(std::min(m_bandOrigin.x(), point.x()), std::min(m_bandOrigin.y(), point.y())),
            QSize(std::abs(point.x() - m_bandOrigin.x()), std::abs(point.y() - m_bandOrigin.y())));
        if (band != m_bandRect) {
            m_bandRect = band;
            Render();
        }
        break;
    }
    default:
        break;
    }
}

void CScoreView::MoveNotes(const QPoint& point)
{
    const int row = RowAt(point.y());
    const std::int32_t panel = PanelAt(point.x());
    const std::int32_t clock = row * m_clocksPerRow;
    bool allVisible = true;
    if (clock != m_dragAnchorClock || panel != m_dragAnchorPanel) {
        for (MOVING_NOTE& moving : m_movingNotes) {
            moving.clock = ClampClock(static_cast<std::int64_t>(clock) + moving.note->clock
                                      - m_dragAnchorClock);
            moving.panel = panel + (moving.note->panel - m_dragAnchorPanel);
            moving.rect = GetNoteRect(moving.clock, moving.panel, moving.length);
            allVisible = allVisible && IsVisible(moving.rect);
        }
        ScrollRowIntoView(row);
        if (panel >= m_firstColumn + m_pageColumns)
            SetFirstColumn(panel - m_pageColumns + 1);
        else if (panel < m_firstColumn)
            SetFirstColumn(panel);
        // The rectangles follow the scroll position.
        for (MOVING_NOTE& moving : m_movingNotes)
            moving.rect = GetNoteRect(moving.clock, moving.panel, moving.length);
    }
    viewport()->setCursor(allVisible ? Qt::ArrowCursor : Qt::ForbiddenCursor);
    Render();
}

void CScoreView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_dragMode == kNoDrag) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    ReleaseDrag(event->position().toPoint(), event->modifiers());
}

void CScoreView::ReleaseDrag(const QPoint& point, Qt::KeyboardModifiers modifiers)
{
    CScore* current = score();
    const int mode = m_dragMode;
    EndDrag();
    if (!current)
        return;
    switch (mode) {
    case kMoveDrag: {
        auto command = std::make_unique<CMoveNoteCommand>(current, Name(IDS_MOVE));
        bool abandoned = false;
        for (auto it = m_movingNotes.rbegin(); it != m_movingNotes.rend(); ++it) {
            // A note that would leave the chart abandons the whole move.
            if (it->rect.isNull()) {
                abandoned = true;
                break;
            }
            if (it->clock != it->note->clock || it->panel != it->note->panel
                || it->length != it->note->length)
                command->AddMove(it->note, it->clock, it->panel, it->length);
        }
        m_movingNotes.clear();
        if (!abandoned && !command->elements().empty())
            m_document->Execute(std::move(command), this);
        break;
    }
    case kLengthDrag: {
        CNote* note = m_resizedNote;
        const std::int32_t length = m_pendingNote.length;
        m_pendingNote = PendingNote();
        m_resizedNote = nullptr;
        if (note && length != note->length) {
            auto command = std::make_unique<CMoveNoteCommand>(current, Name(IDS_CHANGE_LENGTH));
            command->AddMove(note, note->clock, note->panel, length);
            m_document->Execute(std::move(command), this);
        }
        break;
    }
    case kAddDrag: {
        const int row = RowAt(point.y());
        ScrollRowIntoView(row);
        const PendingNote pending = m_pendingNote;
        m_pendingNote = PendingNote();
        const std::int32_t length = std::max(row * m_clocksPerRow - pending.clock, 0);
        if (current->HasPanel(pending.panel) && pending.clock >= 0) {
            auto note = std::make_unique<CNote>(CNote{pending.clock, pending.panel, length});
            CNote* added = note.get();
            auto command = std::make_unique<CAddNoteCommand>(current, Name(IDS_ADD));
            command->AddNote(std::move(note));
            m_document->Execute(std::move(command), this);
            RecalcScrollRanges();
            m_selectedNotes = {added};
        }
        break;
    }
    case kBandDrag: {
        if (!modifiers.testFlag(Qt::ShiftModifier))
            m_selectedNotes.clear();
        for (const auto& owned : current->notes()) {
            CNote* note = owned.get();
            const QRect rect = GetNoteRect(note->clock, note->panel, note->length);
            if (!IsVisible(rect) || !m_bandRect.contains(rect.topLeft())
                || !m_bandRect.contains(rect.bottomRight() + QPoint(1, 1)))
                continue;
            const auto it = std::find(m_selectedNotes.begin(), m_selectedNotes.end(), note);
            if (it != m_selectedNotes.end())
                m_selectedNotes.erase(it);
            else
                m_selectedNotes.push_back(note);
        }
        m_bandRect = QRect();
        break;
    }
    default:
        break;
    }
    Render();
    emit commandStatesChanged();
}

void CScoreView::EndDrag()
{
    m_dragMode = kNoDrag;
    m_dragTimer.stop();
    viewport()->setCursor(Qt::ArrowCursor);
}

void CScoreView::CancelDrag()
{
    if (m_dragMode == kNoDrag)
        return;
    EndDrag();
    m_movingNotes.clear();
    m_pendingNote = PendingNote();
    m_resizedNote = nullptr;
    m_bandRect = QRect();
    Render();
}

void CScoreView::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        SetFirstRow(m_firstRow - steps);
    event->accept();
}

// --- Keys ---

void CScoreView::keyPressEvent(QKeyEvent* event)
{
    if (!score()) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    // Keys of the view's own commands, beside those the window's menus take.
    static constexpr std::pair<int, int> kCommandKeys[]
        = {{Qt::Key_Insert, ID_EDIT_INSERT_ROWS}, {Qt::Key_Delete, ID_EDIT_DELETE}};
    for (const auto& [key, command] : kCommandKeys) {
        if (event->key() == key) {
            RunCommand(command);
            return;
        }
    }
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    switch (event->key()) {
    case Qt::Key_PageUp:
        SetCursorRow(m_cursorRow - m_pageRows, shift);
        return;
    case Qt::Key_PageDown:
        SetCursorRow(m_cursorRow + m_pageRows, shift);
        return;
    case Qt::Key_End:
        SetCursorRow((score()->length() - 1 + m_clocksPerRow / 2) / m_clocksPerRow, shift);
        return;
    case Qt::Key_Home:
        SetCursorRow(0, shift);
        return;
    case Qt::Key_Up:
        SetCursorRow(m_cursorRow - 1, shift);
        return;
    case Qt::Key_Down:
        SetCursorRow(m_cursorRow + 1, shift);
        return;
    case Qt::Key_Left:
        SetFirstColumn(m_firstColumn - 1);
        return;
    case Qt::Key_Right:
        SetFirstColumn(m_firstColumn + 1);
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0] >= QLatin1Char('1') && text[0] <= QLatin1Char('8')) {
        ToggleNoteKey(text[0].unicode() - '1');
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CScoreView::ToggleNoteKey(std::int32_t panel)
{
    CScore* current = score();
    if (!current->HasPanel(panel) || m_viewState->playing())
        return;
    const std::int32_t now = m_viewState->currentTime();
    if (CNote* note = current->FindNote(now, panel)) {
        auto command = std::make_unique<CDeleteNoteCommand>(current, Name(IDS_DELETE));
        command->AddNote(note);
        m_document->Execute(std::move(command), this);
    } else {
        auto command = std::make_unique<CAddNoteCommand>(current, Name(IDS_ADD));
        command->AddNote(std::make_unique<CNote>(CNote{now, panel, 0}));
        m_document->Execute(std::move(command), this);
    }
    Render();
}

} // namespace zelvane
