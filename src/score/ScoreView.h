#pragma once

#include "base/Note.h"
#include "base/PlaybackFollower.h"
#include "base/TempoEvents.h"
#include "chart/DocumentView.h"
#include "media/AmplitudePyramid.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QStaticText>
#include <QTimer>

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QMenu;

namespace zelvane {

class CScore;
class CScoreBar;
class CStepDocument;
class CViewState;

// The chart editor: the current score as a grid with time running down in rows and one
// column per panel. The user adds, selects, moves, lengthens, deletes, cuts, copies and
// pastes notes and inserts and deletes rows here; every change goes through the document's
// edit commands, so it can be undone. The cursor row is the views' current time.
class CScoreView : public QAbstractScrollArea, public IStepDocumentView, public IPlaybackFollower {
    Q_OBJECT
public:
    enum DragMode { kNoDrag, kRowRangeDrag, kMoveDrag, kLengthDrag, kAddDrag, kBandDrag };
    // How often a drag step is repeated while the mouse stands still, so that holding the
    // mouse outside the view keeps scrolling.
    static constexpr int kDragRepeatMs = 500;

    // A note being dragged: where it would land if the mouse were released now.
    struct MOVING_NOTE {
        CNote* note = nullptr;
        std::int32_t panel = 0;
        std::int32_t clock = 0;
        std::int32_t length = 0;
        QRect rect;
    };
    // A note being added or lengthened, drawn in place of the real one.
    struct PendingNote {
        std::int32_t clock = 0;
        std::int32_t panel = 0;
        std::int32_t length = 0;
        QRect rect; // null: there is no pending note
    };

    // `viewState` is shared with the other views of the document: the cursor row is its
    // current time, and the zoom its clocks per row. `bar` (may be null) is the score bar
    // switched off while the song plays.
    CScoreView(CStepDocument* document, CViewState* viewState, CScoreBar* bar,
               QWidget* parent = nullptr);
    ~CScoreView() override;

    void OnUpdate(IStepDocumentView* sender, UpdateHint hint, CScore* score) override;
    // Back to the top of the score in add mode with nothing selected, at the shared zoom:
    // what a new or opened document starts with.
    void InitialUpdate();

    // --- Geometry ---
    int rowHeight() const { return m_rowHeight; }
    int columnWidth() const { return m_columnWidth; }
    int headerWidth() const { return m_headerWidth; }
    int lanesRight() const { return m_lanesRight; }
    int pageRows() const { return m_pageRows; }
    int maxFirstRow() const { return m_maxFirstRow; }
    int maxFirstColumn() const { return m_maxFirstColumn; }
    int firstRow() const { return m_firstRow; }
    int firstColumn() const { return m_firstColumn; }
    int cursorRow() const { return m_cursorRow; }
    int anchorRow() const { return m_anchorRow; }
    std::int32_t clocksPerRow() const { return m_clocksPerRow; }
    // Where a note of the current score is drawn in the viewport; null when it cannot be
    // (negative time, a panel the score lacks).
    QRect GetNoteRect(std::int32_t clock, std::int32_t panel, std::int32_t length) const;
    bool IsVisible(const QRect& rect) const;

    // --- Rows and scrolling ---
    // Moves the cursor row (clamped at 0) and with it the current time the views share, and
    // tells them; the row range keeps its anchor when `extend` is set.
    void SetCursorRow(int row, bool extend);
    void SetFirstRow(int row);
    void SetFirstColumn(int column);
    void ScrollRowIntoView(int row);

    // --- Editing state ---
    bool selectMode() const { return m_selectMode; }
    void SetSelectMode(bool selectMode);
    const std::vector<CNote*>& selectedNotes() const { return m_selectedNotes; }
    void SetSelectedNotes(std::vector<CNote*> notes);
    int dragMode() const { return m_dragMode; }
    const PendingNote& pendingNote() const { return m_pendingNote; }
    const QRect& hoverRect() const { return m_hoverRect; }
    const std::vector<MOVING_NOTE>& movingNotes() const { return m_movingNotes; }

    // --- Commands of the Edit menu and the context menus ---
    // The view's own commands (cut, copy, paste, delete, insert rows, the two modes), looked
    // up by their command IDs: whether one may run now (false for an ID the view does not
    // have), and running it, which does nothing where it may not.
    bool IsCommandEnabled(int commandId) const;
    void RunCommand(int commandId);
    bool IsPlayFromCursorEnabled() const;
    // --- The tempo map's events ---
    // Inserting and deleting events is for the current score's editor while the song stands.
    bool IsTempoEditEnabled() const;
    // Whether the cursor row holds events to delete (the song's tempo is never among them).
    bool IsDeleteTempoEventsEnabled() const;
    // Indices into the map's events of those within the cursor row's clocks, the song's
    // tempo left out.
    std::vector<std::size_t> TempoEventsAtCursorRow() const;
    // A marker in the margin beside the lanes for each event, at the event's row.
    struct TempoMarker {
        std::size_t index = 0; // into the map's events
        QRect rect;
        QString text;
    };
    // The markers the viewport shows, top to bottom; events at one place share a line.
    std::vector<TempoMarker> VisibleTempoMarkers() const;
    // The index of the event whose marker lies under `point` (viewport coordinates).
    std::optional<std::size_t> TempoMarkerAt(const QPoint& point) const;

    // The time playback from the cursor starts at.
    std::int32_t cursorTime() const { return m_cursorRow * m_clocksPerRow; }
    // The context menus show these actions (the main window's, so their states match the
    // main menu); `refresh` brings their states up to date before a menu opens.
    void SetCommandActions(std::function<QAction*(int)> actionById, std::function<void()> refresh);
    // The context menu for a right click at `position` (viewport coordinates), or for the
    // menu key: the note menu when selected notes are meant, else the row menu. Null before
    // SetCommandActions.
    std::unique_ptr<QMenu> CreateContextMenu(const QPoint& position, bool fromKeyboard);

    // --- Playback ---
    // Puts the cursor on the row of a playback frame, as the second visible row.
    void followFrame(int frame) override;
    // No editing and no score switching while the song plays; afterwards the view takes
    // the keyboard back.
    void setPlaying(bool playing) override;

    // --- The song's waveform ---
    // The envelope of the document's song, drawn in a strip beside the lanes; null: none.
    void SetSongEnvelope(std::shared_ptr<const AmplitudePyramid> envelope);
    const std::shared_ptr<const AmplitudePyramid>& songEnvelope() const { return m_envelope; }
    void SetWaveformShown(bool shown);
    bool waveformShown() const { return m_waveformShown; }
    // Where the strip is drawn in the viewport; empty when it is not (switched off, no song).
    QRect WaveformRect() const;

    // Paints the grid as the viewport shows it, into any painter of the viewport's size.
    void Paint(QPainter& painter) const;

signals:
    // An edit from the keyboard or the mouse was refused (the chart cannot take it);
    // nothing changed. The error is passed whole, so the window can say what kind of
    // failure it was.
    void editRefused(const std::exception_ptr& error);
    // Something the Edit menu's states depend on changed (clipboard, selection, mode).
    void commandStatesChanged();
    // The marker of the map's event at `index` was double-clicked: the user wants to edit it.
    void tempoEventActivated(std::size_t index);

protected:
    // Keys and mouse buttons edit the chart through the document's commands; one the chart
    // cannot take is refused here, at the edge of the view, with nothing changed.
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    CScore* score() const;
    void Render();
    void ApplyZoom(std::int32_t clocksPerRow);
    // Moves the cursor row and the shared current time, telling nobody.
    void MoveCursorRow(int row, bool extend);
    void RecalcScrollRanges();
    int ClampRow(std::int64_t row) const;
    void SyncScrollBars();
    void OnVerticalAction(int action);
    void OnHorizontalAction(int action);

    // Painting (ScoreViewPaint.cpp).
    // The sprite sheets scaled once so that a 64-pixel cell is one row high and one column
    // wide: painting then copies cells instead of filtering every sprite anew.
    struct CellSheets {
        QImage receptor;
        QImage note;
        QImage holdHead;
        QImage holdBody;
        QImage holdTail;
    };
    CellSheets ScaleSheets() const;
    QRect SheetCell(std::int32_t panel, int row) const;
    void PaintRow(QPainter& painter, const QRect& rect, int row) const;
    void PaintNote(QPainter& painter, const QRect& rect, std::int32_t panel, std::int32_t clock,
                   bool highlighted) const;
    void PaintFreeze(QPainter& painter, const QRect& rect, std::int32_t panel) const;
    void PaintTempoMarkers(QPainter& painter) const;
    void PaintWaveform(QPainter& painter) const;
    // Where the margin of the tempo markers starts: after the lanes and the waveform.
    int MarginLeft() const;
    // Index range of the notes that can reach the viewport.
    std::pair<std::size_t, std::size_t> VisibleNoteSpan() const;

    // The view's commands (ScoreViewCommands.cpp): each row is a command ID, what it does
    // and when it may.
    struct Command {
        int id;
        void (CScoreView::*run)();
        bool (CScoreView::*enabled)() const;
    };
    static const Command* FindCommand(int commandId);
    bool IsDeleteEnabled() const;
    bool IsPasteEnabled() const;
    bool IsInsertRowsEnabled() const;
    bool IsModeEnabled() const;
    void Delete();
    void Copy();
    void Cut();
    void Paste();
    void InsertRows();
    void EnterAddMode();
    void EnterSelectMode();

    // Editing (ScoreViewEdit.cpp).
    int RowAt(int y) const;
    int PanelAt(int x) const;
    CNote* HitNote(const QPoint& point, bool* onLengthHandle) const;
    bool IsSelected(const CNote* note) const;
    void UpdateHover(const QPoint& point);
    void ExtendRowRange(int row);
    void StartDrag(DragMode mode);
    void DragStep(const QPoint& point, Qt::KeyboardModifiers modifiers);
    void MoveNotes(const QPoint& point);
    void EndDrag();
    void CancelDrag();
    void ReleaseDrag(const QPoint& point, Qt::KeyboardModifiers modifiers);
    void ToggleNoteKey(std::int32_t panel);
    void DeleteSelection(std::uint32_t nameId);
    bool CopySelection();
    void ShowContextMenu(const QPoint& position, bool fromKeyboard);
    std::pair<std::int32_t, std::int32_t> RowRangeClocks() const;

    CStepDocument* m_document;
    CViewState* m_viewState;
    CScoreBar* m_bar;
    QFont m_font;
    int m_headerWidth = 0;
    int m_columnWidth = 48;
    int m_rowHeight = 48;
    CellSheets m_sheets;
    int m_lanesRight = 0;
    int m_panelCount = 4;
    std::int32_t m_scoreLength = 0;
    std::int32_t m_longestNote = 0;
    bool m_notesNearClockOrder = true;
    std::int32_t m_clocksPerRow = 48;
    int m_anchorRow = 0;
    int m_cursorRow = 0;
    int m_pageRows = 0;
    int m_pageColumns = 0;
    int m_maxFirstRow = 0;
    int m_maxFirstColumn = 0;
    int m_firstRow = 0;
    int m_firstColumn = 0;
    bool m_syncingBars = false;

    bool m_selectMode = false;
    std::vector<CNote*> m_selectedNotes;
    int m_dragMode = kNoDrag;
    QRect m_hoverRect;
    std::int32_t m_hoverClock = 0;
    std::int32_t m_hoverPanel = 0;
    CNote* m_resizedNote = nullptr;
    PendingNote m_pendingNote;
    std::vector<MOVING_NOTE> m_movingNotes;
    std::int32_t m_dragAnchorClock = 0;
    std::int32_t m_dragAnchorPanel = 0;
    QPoint m_bandOrigin;
    QRect m_bandRect;
    QPoint m_lastMouse;
    QTimer m_dragTimer;

    // The markers' texts, laid out once per event and kept while the map holds the same
    // events: painting then only places them.
    struct MarkerLabel {
        QStaticText text;
        int width = 0;
        bool made = false;
    };
    // Drops the labels when the map's events are no longer those they were made for.
    void SyncMarkerLabels() const;
    // The label of an event of the map as last synced.
    const MarkerLabel& LabelOf(std::size_t index) const;
    mutable std::vector<CTempoEvent> m_labelledEvents;
    mutable std::vector<MarkerLabel> m_markerLabels;

    std::shared_ptr<const AmplitudePyramid> m_envelope;
    bool m_waveformShown = true;

    std::function<QAction*(int)> m_actionById;
    std::function<void()> m_refreshActions;
};

} // namespace zelvane
