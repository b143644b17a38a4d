#include "score/ScoreView.h"

#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "chart/ViewState.h"
#include "score/ScoreBar.h"
#include "score/ScoreClipboard.h"
#include "text/Errors.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <limits>
#include <optional>

namespace zelvane {
namespace {

// The first row or column a scroll-bar action asks for: a line or a page either way, the
// start, the last whole page (`last` - 1) or where the thumb was dragged. None for actions
// that move nothing.
std::optional<int> ScrollTarget(int action, int first, int page, int last, const QScrollBar& bar)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        return first + 1;
    case QAbstractSlider::SliderSingleStepSub:
        return first - 1;
    case QAbstractSlider::SliderPageStepAdd:
        return first + page;
    case QAbstractSlider::SliderPageStepSub:
        return first - page;
    case QAbstractSlider::SliderToMinimum:
        return 0;
    case QAbstractSlider::SliderToMaximum:
        return last - 1;
    case QAbstractSlider::SliderMove:
        return bar.sliderPosition();
    default:
        return std::nullopt;
    }
}

// One-pixel borders, as thin as the system draws its own.
constexpr int kBorder = 1;
// Pixel coordinates of notes far outside the viewport are clamped to this, which keeps
// every comparison with the viewport right and every QRect in range.
constexpr std::int64_t kFarAway = 1 << 24;

int ClampPixel(std::int64_t value)
{
    return static_cast<int>(std::clamp(value, -kFarAway, kFarAway));
}

QFont ScoreFont()
{
    // The system's Japanese UI font, so the measure numbers look like the rest of the window.
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic")});
    font.setPointSize(10);
    return font;
}

} // namespace

CScoreView::CScoreView(CStepDocument* document, CViewState* viewState, CScoreBar* bar,
                       QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_document(document)
    , m_viewState(viewState)
    , m_bar(bar)
    , m_font(ScoreFont())
{
    setObjectName(QStringLiteral("scoreView"));
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);

    // Cells are half an inch of the screen: 48 pixels at 96 dpi.
    m_columnWidth = std::max(1, logicalDpiX() / 2);
    m_rowHeight = std::max(1, logicalDpiY() / 2);
    m_headerWidth = kBorder + 4 * QFontMetrics(m_font, this).horizontalAdvance(QLatin1Char('0'));
    m_sheets = ScaleSheets();

    m_dragTimer.setInterval(kDragRepeatMs);
    connect(&m_dragTimer, &QTimer::timeout, this,
            [this] { DragStep(m_lastMouse, QGuiApplication::keyboardModifiers()); });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &CScoreView::OnVerticalAction);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            &CScoreView::OnHorizontalAction);
    connect(&CScoreClipboard::Get(), &CScoreClipboard::changed, this,
            &CScoreView::commandStatesChanged);

    m_document->AddView(this);
    InitialUpdate();
}

CScoreView::~CScoreView()
{
    m_document->RemoveView(this);
}

CScore* CScoreView::score() const
{
    return m_document->scores().current();
}

void CScoreView::InitialUpdate()
{
    m_firstRow = m_firstColumn = m_anchorRow = m_cursorRow = 0;
    m_selectedNotes.clear();
    m_selectMode = false;
    m_dragMode = kNoDrag;
    m_hoverRect = QRect();
    m_pendingNote = PendingNote();
    ApplyZoom(m_viewState->clocksPerRow());
}

void CScoreView::OnUpdate(IStepDocumentView*, UpdateHint hint, CScore*)
{
    switch (hint) {
    case UpdateHint::CurrentScore:
        // The score bar refills its level list itself on this hint.
    case UpdateHint::NotesAddedOrDeleted:
        // Notes may be gone: nothing may point at them any more.
        CancelDrag();
        m_selectedNotes.clear();
        m_hoverRect = QRect();
        [[fallthrough]];
    case UpdateHint::NotesMoved:
        if (m_clocksPerRow != m_viewState->clocksPerRow()) {
            ApplyZoom(m_viewState->clocksPerRow());
            break;
        }
        RecalcScrollRanges();
        Render();
        emit commandStatesChanged();
        break;
    case UpdateHint::Zoom:
        ApplyZoom(m_viewState->clocksPerRow());
        break;
    case UpdateHint::Song:
        // A new tempo map moves the markers, and the song's length in clocks with it.
        RecalcScrollRanges();
        Render();
        emit commandStatesChanged();
        break;
    default:
        break;
    }
}

void CScoreView::ApplyZoom(std::int32_t clocksPerRow)
{
    const std::int32_t old = m_clocksPerRow;
    m_clocksPerRow = std::max(1, clocksPerRow);
    // The rows nearest to the old ones keep the cursor and the range in place.
    const auto nearest = [&](int row) {
        return ClampRow((static_cast<std::int64_t>(old) * row + m_clocksPerRow / 2)
                        / m_clocksPerRow);
    };
    m_cursorRow = nearest(m_cursorRow);
    m_anchorRow = nearest(m_anchorRow);
    if (m_clocksPerRow * m_cursorRow != m_viewState->currentTime()) {
        m_viewState->SetCurrentTime(m_clocksPerRow * m_cursorRow);
        m_document->UpdateAllViews(this, UpdateHint::CurrentTime);
    }
    RecalcScrollRanges();
    Render();
}

void CScoreView::RecalcScrollRanges()
{
    const CScore* current = score();
    if (!current)
        return;
    m_scoreLength = current->length();
    m_panelCount = current->panelCount();
    m_longestNote = 0;
    for (const auto& note : current->notes())
        m_longestNote = std::max(m_longestNote, note->length);
    // Painting searches the notes by clock. That needs every note to start no earlier than
    // the longest length before any note ahead of it, which clock order and the order moves
    // leave both keep; a file in another order is walked whole instead.
    m_notesNearClockOrder = true;
    // No clock lies below the start, so the first note always passes; and the start is far
    // enough above the bottom of the 64-bit range that taking a length off it cannot overflow.
    std::int64_t latest = std::numeric_limits<std::int32_t>::min();
    for (const auto& note : current->notes()) {
        if (note->clock < latest - m_longestNote) {
            m_notesNearClockOrder = false;
            break;
        }
        latest = std::max<std::int64_t>(latest, note->clock);
    }

    const QSize client = viewport()->size();
    m_pageRows = client.height() / m_rowHeight;
    const std::int64_t totalRows
        = (static_cast<std::int64_t>(m_scoreLength) + m_clocksPerRow - 1) / m_clocksPerRow;
    m_maxFirstRow = static_cast<int>(
        std::clamp<std::int64_t>(totalRows - m_pageRows, 0, std::numeric_limits<int>::max() / 2));
    m_pageColumns = std::max(0, (client.width() - m_headerWidth) / m_columnWidth);
    m_maxFirstColumn = std::max(m_panelCount - m_pageColumns, 0);
    m_firstColumn = std::clamp(m_firstColumn, 0, m_maxFirstColumn);
    m_lanesRight = m_columnWidth * m_panelCount + m_headerWidth;
    SyncScrollBars();
}

void CScoreView::SyncScrollBars()
{
    // The view may scroll past the score's end into empty rows; the bar's thumb then stays
    // at its end.
    m_syncingBars = true;
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, m_maxFirstRow);
    vertical->setPageStep(std::max(1, m_pageRows));
    vertical->setValue(std::min(m_firstRow, m_maxFirstRow));
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, m_maxFirstColumn);
    horizontal->setPageStep(std::max(1, m_pageColumns));
    horizontal->setValue(m_firstColumn);
    m_syncingBars = false;
}

void CScoreView::OnVerticalAction(int action)
{
    QScrollBar* bar = verticalScrollBar();
    const std::optional<int> row
        = ScrollTarget(action, m_firstRow, m_pageRows, m_maxFirstRow, *bar);
    if (!row)
        return;
    SetFirstRow(*row);
    // Qt would clamp the step to the bar's range; the row set here is what counts.
    bar->setSliderPosition(std::min(m_firstRow, m_maxFirstRow));
}

void CScoreView::OnHorizontalAction(int action)
{
    QScrollBar* bar = horizontalScrollBar();
    const std::optional<int> column
        = ScrollTarget(action, m_firstColumn, m_pageColumns, m_maxFirstColumn, *bar);
    if (!column)
        return;
    SetFirstColumn(*column);
    bar->setSliderPosition(m_firstColumn);
}

int CScoreView::ClampRow(std::int64_t row) const
{
    // Past the score's end the view scrolls on, but never so far that a row's clock or the
    // clock of the last visible row leaves the clock range.
    const std::int64_t lastRow
        = std::numeric_limits<std::int32_t>::max() / m_clocksPerRow - m_pageRows - 2;
    return static_cast<int>(std::clamp<std::int64_t>(row, 0, std::max<std::int64_t>(lastRow, 0)));
}

void CScoreView::SetFirstRow(int row)
{
    row = ClampRow(row);
    if (row == m_firstRow)
        return;
    m_firstRow = row;
    SyncScrollBars();
    Render();
}

void CScoreView::SetFirstColumn(int column)
{
    column = std::clamp(column, 0, m_maxFirstColumn);
    if (column == m_firstColumn)
        return;
    m_firstColumn = column;
    SyncScrollBars();
    Render();
}

void CScoreView::ScrollRowIntoView(int row)
{
    if (row < m_firstRow)
        SetFirstRow(row);
    else if (row >= m_firstRow + m_pageRows)
        SetFirstRow(row - m_pageRows + 1);
}

void CScoreView::SetCursorRow(int row, bool extend)
{
    MoveCursorRow(row, extend);
    m_document->UpdateAllViews(this, UpdateHint::CurrentTime);
    Render();
    emit commandStatesChanged();
}

void CScoreView::MoveCursorRow(int row, bool extend)
{
    row = ClampRow(row);
    if (!extend)
        m_anchorRow = row;
    m_cursorRow = row;
    m_selectedNotes.clear();
    ScrollRowIntoView(row);
    m_viewState->SetCurrentTime(m_clocksPerRow * row);
}

QRect CScoreView::GetNoteRect(std::int32_t clock, std::int32_t panel, std::int32_t length) const
{
    if (clock < 0 || panel < 0 || panel >= m_panelCount)
        return QRect();
    const int left = m_headerWidth + (panel - m_firstColumn) * m_columnWidth;
    const std::int64_t base = static_cast<std::int64_t>(m_clocksPerRow) * m_firstRow;
    const std::int64_t top = (clock - base) * m_rowHeight / m_clocksPerRow;
    const std::int64_t bottom = m_rowHeight
        + m_rowHeight * (static_cast<std::int64_t>(clock) + length - base) / m_clocksPerRow;
    return QRect(QPoint(left, ClampPixel(top)),
                 QPoint(left + m_columnWidth - 1, ClampPixel(bottom) - 1));
}

bool CScoreView::IsVisible(const QRect& rect) const
{
    if (rect.isNull())
        return false;
    const QSize client = viewport()->size();
    return rect.left() < client.width() && rect.left() >= m_headerWidth
        && rect.top() < client.height() && rect.bottom() + 1 > 0;
}

void CScoreView::Render()
{
    viewport()->update();
}

void CScoreView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    Paint(painter);
}

void CScoreView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (viewport()->width() > 0 && viewport()->height() > 0)
        RecalcScrollRanges();
}

void CScoreView::scrollContentsBy(int, int)
{
    // Scrolling is by whole rows and columns, handled from the bars' actions.
}

void CScoreView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    Render(); // the focus mark follows the focus
}

void CScoreView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    // A drag that lost the keyboard is abandoned, as if the system had cancelled it.
    CancelDrag();
    Render();
}

bool CScoreView::event(QEvent* event)
{
    try {
        return QAbstractScrollArea::event(event);
    } catch (const CoreError&) {
        emit editRefused(std::current_exception());
        return true;
    }
}

bool CScoreView::viewportEvent(QEvent* event)
{
    try {
        return QAbstractScrollArea::viewportEvent(event);
    } catch (const CoreError&) {
        emit editRefused(std::current_exception());
        return true;
    }
}

void CScoreView::followFrame(int frame)
{
    if (!score())
        return;
    const std::int32_t clock = m_document->tempoMap().FrameToClock(frame);
    const int row = static_cast<int>((m_clocksPerRow / 2 + static_cast<std::int64_t>(clock))
                                     / m_clocksPerRow);
    // The playing row is the second visible row, so the one before it stays in sight.
    SetFirstRow(std::max(row - 1, 0));
    // The other views follow the clock themselves, and nothing the commands or the window
    // show depends on the row while the song plays: the cursor moves without a word to them.
    if (row != m_cursorRow) {
        MoveCursorRow(row, false);
        Render();
    }
}

void CScoreView::setPlaying(bool playing)
{
    setEnabled(!playing);
    if (m_bar)
        m_bar->SetSwitchingEnabled(!playing);
    if (!playing && isVisible())
        setFocus();
}

} // namespace zelvane
