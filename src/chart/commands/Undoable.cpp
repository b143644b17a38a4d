#include "chart/commands/Undoable.h"

#include "text/StringTable.h"

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
    command->Do(sender);
    m_history.resize(m_historyPosition);
    m_history.push_back(std::move(command));
    m_historyPosition = m_history.size();
}

void CUndoable::Undo()
{
    if (!CanUndo())
        return;
    --m_historyPosition;
    m_history[m_historyPosition]->Undo();
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
