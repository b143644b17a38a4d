#pragma once

#include "chart/DocumentView.h"
#include "chart/commands/Command.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace zelvane {

// The command history: commands [0, historyPosition) are applied, the rest are the redo
// tail. There is no size limit.
class CUndoable {
public:
    virtual ~CUndoable();

    // Does the command, drops the redo tail and keeps the command.
    void Execute(std::unique_ptr<CCommand> command, IStepDocumentView* sender);
    void Undo();
    void Redo();
    bool CanUndo() const { return m_historyPosition > 0; }
    bool CanRedo() const { return m_historyPosition < m_history.size(); }
    // The Edit menu texts: the command's name goes before the shortcut.
    std::string UndoMenuText() const;
    std::string RedoMenuText() const;
    void ClearHistory();

    std::size_t historyCount() const { return m_history.size(); }
    std::size_t historyPosition() const { return m_historyPosition; }
    const CCommand& commandAt(std::size_t index) const { return *m_history.at(index); }

private:
    std::vector<std::unique_ptr<CCommand>> m_history;
    std::size_t m_historyPosition = 0;
};

} // namespace zelvane
