#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

namespace zelvane {

// One command of the menus, accelerators and toolbar: the menu text with its mnemonic and,
// after a tab, the shortcut as the menu shows it; every key that runs it; and its
// status-bar prompt and tooltip.
struct CommandEntry {
    int id = 0;
    QString text;
    QList<QKeySequence> keys;
    QString prompt;
    QString tooltip;
};

// Every command, menu entries first in menu order, then the pane keys that have no entry.
const QList<CommandEntry>& CommandTable();
const CommandEntry* FindCommand(int id);

// The menus: each popup's title and its command IDs in order, 0 standing for a separator.
struct MenuSpec {
    QString title;
    QList<int> commands;
};
const QList<MenuSpec>& MenuTable();

// The toolbar's command IDs in order, 0 standing for a separator.
const QList<int>& ToolbarTable();

} // namespace zelvane
