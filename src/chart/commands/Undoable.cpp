#include "chart/commands/Undoable.h"

#include "text/StringTable.h"

#include <algorithm>

namespace zelvane {
namespace {

std::string MenuText(std::uint32_t id, const CCommand* command)
{
    std::string text(LoadString(id));
    if (!command)
        return text;
    const std::string insert = " - " + command->name();
    const std::size_t tab = text.find('\t');
    if (tab == std::string::npos)
        return text + insert;
    text.insert(tab, insert);
    return text;
}

} // namespace

CUndoable::~CUndoable() = default;

void CUndoable::Execute(std::unique_ptr<CCommand> command, IStepDocumentView* sender)
{
    // Room for the command is made before it runs, so once it has changed the chart keeping
    // it cannot fail. A Do that fails has changed nothing and goes with its command; the
    // redo tail then stays as it was.
    // Grown by half again, not to the exact size: clicking notes in one at a time would
    // otherwise move the whole history on every click.
    if (m_history.capacity() < m_historyPosition + 1)
        m_history.reserve(std::max(m_historyPosition + 1, m_history.capacity() * 3 / 2));
    command->Do(sender);
    m_history.resize(m_historyPosition);
    m_history.push_back(std::move(command));
    m_historyPosition = m_history.size();
}

void CUndoable::Undo()
{
    if (!CanUndo())
        return;
    // The position moves only once the command has undone itself.
    m_history[m_historyPosition - 1]->Undo();
    --m_historyPosition;
}

void CUndoable::Redo()
{
    if (!CanRedo())
        return;
    m_history[m_historyPosition]->Do(nullptr);
    ++m_historyPosition;
}

std::string CUndoable::UndoMenuText() const
{
    return MenuText(IDS_UNDO, CanUndo() ? m_history[m_historyPosition - 1].get() : nullptr);
}

std::string CUndoable::RedoMenuText() const
{
    return MenuText(IDS_REDO, CanRedo() ? m_history[m_historyPosition].get() : nullptr);
}

void CUndoable::ClearHistory()
{
    m_history.clear();
    m_historyPosition = 0;
}

} // namespace zelvane
