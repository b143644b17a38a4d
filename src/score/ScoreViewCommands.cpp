// The score view's Edit commands (delete, cut, copy, paste, insert rows) and its context
// menus. Every change of the score is an edit command run through the document's history.

#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "chart/ViewState.h"
#include "chart/commands/AddNoteCommand.h"
#include "chart/commands/DeleteClockCommand.h"
#include "chart/commands/DeleteNoteCommand.h"
#include "chart/commands/InsertClockCommand.h"
#include "qtcommon/CommandIds.h"
#include "qtcommon/QtText.h"
#include "score/ScoreClipboard.h"
#include "score/ScoreView.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

#include <algorithm>
#include <limits>

namespace zelvane {
namespace {

std::string Name(std::uint32_t id)
{
    return std::string(LoadString(id));
}

} // namespace

// --- Edit commands ---

const CScoreView::Command* CScoreView::FindCommand(int commandId)
{
    static constexpr Command kCommands[] = {
        {ID_EDIT_CUT, &CScoreView::Cut, &CScoreView::IsDeleteEnabled},
        {ID_EDIT_COPY, &CScoreView::Copy, &CScoreView::IsDeleteEnabled},
        {ID_EDIT_PASTE, &CScoreView::Paste, &CScoreView::IsPasteEnabled},
        {ID_EDIT_DELETE, &CScoreView::Delete, &CScoreView::IsDeleteEnabled},
        {ID_EDIT_INSERT_ROWS, &CScoreView::InsertRows, &CScoreView::IsInsertRowsEnabled},
        {ID_EDIT_ADD_MODE, &CScoreView::EnterAddMode, &CScoreView::IsModeEnabled},
        {ID_EDIT_SELECT_MODE, &CScoreView::EnterSelectMode, &CScoreView::IsModeEnabled},
    };
    for (const Command& command : kCommands)
        if (command.id == commandId)
            return &command;
    return nullptr;
}

bool CScoreView::IsCommandEnabled(int commandId) const
{
    const Command* command = FindCommand(commandId);
    return command && (this->*command->enabled)();
}

void CScoreView::RunCommand(int commandId)
{
    // The rule is asked again here: a key may arrive before the menus were refreshed.
    const Command* command = FindCommand(commandId);
    if (command && (this->*command->enabled)())
        (this->*command->run)();
}

bool CScoreView::IsDeleteEnabled() const
{
    return score() && !m_viewState->playing()
        && (!m_selectedNotes.empty() || m_pendingNote.rect.isNull());
}

bool CScoreView::IsPasteEnabled() const
{
    const CScoreClipboard& clipboard = CScoreClipboard::Get();
    return score() && (clipboard.HasRange() || clipboard.HasNotes());
}

bool CScoreView::IsInsertRowsEnabled() const
{
    return score() && !m_viewState->playing() && m_selectedNotes.empty()
        && m_pendingNote.rect.isNull();
}

bool CScoreView::IsModeEnabled() const
{
    return !m_viewState->playing();
}

bool CScoreView::IsPlayFromCursorEnabled() const
{
    return score() && !m_viewState->playing() && score()->length() > 0;
}

void CScoreView::DeleteSelection(std::uint32_t nameId)
{
    CScore* current = score();
    if (!m_selectedNotes.empty()) {
        auto command = std::make_unique<CDeleteNoteCommand>(current, Name(nameId));
        for (CNote* note : m_selectedNotes)
            command->AddNote(note);
        m_selectedNotes.clear();
        m_document->Execute(std::move(command), this);
    } else if (m_pendingNote.rect.isNull()) {
        const auto [start, length] = RowRangeClocks();
        m_document->Execute(
            std::make_unique<CDeleteClockCommand>(current, Name(nameId), start, length), this);
        m_anchorRow = m_cursorRow;
    }
    Render();
    emit commandStatesChanged();
}

bool CScoreView::CopySelection()
{
    if (!m_selectedNotes.empty()) {
        std::vector<CNote> notes;
        notes.reserve(m_selectedNotes.size());
        for (const CNote* note : m_selectedNotes)
            notes.push_back(*note);
        CScoreClipboard::Get().PutNotes(notes);
        return true;
    }
    if (m_pendingNote.rect.isNull()) {
        const auto [start, length] = RowRangeClocks();
        CScoreClipboard::Get().PutRange(score()->CopyRange(start, length));
        return true;
    }
    return false;
}

void CScoreView::Delete()
{
    DeleteSelection(IDS_DELETE);
}

void CScoreView::Copy()
{
    CopySelection();
}

void CScoreView::Cut()
{
    if (CopySelection())
        DeleteSelection(IDS_CUT);
}

void CScoreView::EnterAddMode()
{
    SetSelectMode(false);
}

void CScoreView::EnterSelectMode()
{
    SetSelectMode(true);
}

void CScoreView::Paste()
{
    CScore* current = score();
    const CScoreClipboard& clipboard = CScoreClipboard::Get();
    const std::int32_t cursorClock = m_cursorRow * m_clocksPerRow;
    if (clipboard.HasRange()) {
        const std::optional<ClockRange> range = clipboard.ReadRange(cursorClock);
        if (!range || range->length <= 0)
            return;
        auto command = std::make_unique<CInsertClockCommand>(current, Name(IDS_PASTE), range->start,
                                                             range->length);
        // Notes of panels this score lacks are dropped, and so is whatever damaged data put
        // outside the range.
        for (const CNote& note : range->notes)
            if (current->HasPanel(note.panel) && note.length >= 0 && note.clock >= range->start
                && note.clock - range->start < range->length)
                command->AddNote(std::make_unique<CNote>(note));
        m_document->Execute(std::move(command), this);
        m_anchorRow = (range->start + range->length - 1) / m_clocksPerRow;
    } else {
        const std::optional<std::vector<CNote>> notes = clipboard.ReadNotes();
        if (!notes)
            return;
        std::vector<CNote> kept;
        for (const CNote& note : *notes)
            if (current->HasPanel(note.panel) && note.length >= 0)
                kept.push_back(note);
        if (kept.empty())
            return;
        // A note is held from its clock on, so the earliest clock is where the copied notes
        // began: that one lands on the cursor, unless the score ends before it.
        std::int64_t reference = current->length();
        for (const CNote& note : kept)
            reference = std::min<std::int64_t>(reference, note.clock);
        const std::int64_t shift = cursorClock - reference;
        auto command = std::make_unique<CAddNoteCommand>(current, Name(IDS_PASTE));
        std::vector<CNote*> pasted;
        for (const CNote& note : kept) {
            const std::int64_t clock = note.clock + shift;
            if (clock < 0 || clock > std::numeric_limits<std::int32_t>::max())
                return; // nothing is pasted where it could not be placed
            auto copy = std::make_unique<CNote>(
                CNote{static_cast<std::int32_t>(clock), note.panel, note.length});
            pasted.push_back(copy.get());
            command->AddNote(std::move(copy));
        }
        m_document->Execute(std::move(command), this);
        m_selectedNotes = std::move(pasted);
    }
    Render();
    emit commandStatesChanged();
}

void CScoreView::InsertRows()
{
    const auto [start, length] = RowRangeClocks();
    m_document->Execute(
        std::make_unique<CInsertClockCommand>(score(), Name(IDS_INSERT_ROWS), start, length), this);
    Render();
}

// --- Context menus ---

void CScoreView::SetCommandActions(std::function<QAction*(int)> actionById,
                                   std::function<void()> refresh)
{
    m_actionById = std::move(actionById);
    m_refreshActions = std::move(refresh);
}

void CScoreView::contextMenuEvent(QContextMenuEvent* event)
{
    const bool fromKeyboard = event->reason() == QContextMenuEvent::Keyboard;
    ShowContextMenu(fromKeyboard ? QPoint(0, 0) : event->pos(), fromKeyboard);
}

void CScoreView::ShowContextMenu(const QPoint& position, bool fromKeyboard)
{
    const std::unique_ptr<QMenu> menu = CreateContextMenu(position, fromKeyboard);
    if (menu)
        menu->exec(viewport()->mapToGlobal(position));
}

std::unique_ptr<QMenu> CScoreView::CreateContextMenu(const QPoint& position, bool fromKeyboard)
{
    if (!m_actionById || !score())
        return nullptr;
    bool onHandle = false;
    const CNote* hit = fromKeyboard ? nullptr : HitNote(position, &onHandle);
    // The short menu acts on the selected notes; the long one on rows and modes.
    const bool noteMenu = !m_selectedNotes.empty() && (fromKeyboard || hit);
    const QList<int> noteItems{ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_DELETE};
    const QList<int> rowItems{ID_EDIT_CUT,
                              ID_EDIT_COPY,
                              ID_EDIT_PASTE,
                              ID_EDIT_DELETE,
                              ID_EDIT_INSERT_ROWS,
                              0,
                              ID_EDIT_INSERT_TEMPO_CHANGE,
                              ID_EDIT_INSERT_STOP,
                              ID_EDIT_INSERT_DELAY,
                              ID_EDIT_DELETE_TEMPO_EVENTS,
                              0,
                              ID_EDIT_ADD_MODE,
                              ID_EDIT_SELECT_MODE,
                              0,
                              ID_VIEW_ZOOM_IN,
                              ID_VIEW_ZOOM_OUT};
    if (m_refreshActions)
        m_refreshActions();
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(noteMenu ? QStringLiteral("noteMenu") : QStringLiteral("rowMenu"));
    for (int id : noteMenu ? noteItems : rowItems) {
        if (id == 0)
            menu->addSeparator();
        else if (QAction* action = m_actionById(id))
            menu->addAction(action);
    }
    return menu;
}

} // namespace zelvane
