#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStringList>

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

// The translations know the menus' own texts (those not from the string table) by their
// Japanese words in this context.
inline constexpr const char* kMenuContext = "Menu";

// Every command, menu entries first in menu order, then the pane keys that have no entry, in
// the language the program speaks.
const QList<CommandEntry>& CommandTable();
const CommandEntry* FindCommand(int id);

// The menus: each popup's title and its command IDs in order, 0 standing for a separator and
// kLanguageMenu for the submenu of the languages.
inline constexpr int kLanguageMenu = -1;
struct MenuSpec {
    QString title;
    QList<int> commands;
};
const QList<MenuSpec>& MenuTable();

// The Japanese texts of the menus and command prompts that the string table does not hold,
// each once: what the translations have to say.
QStringList MenuSourceTexts();

// The toolbar's command IDs in order, 0 standing for a separator.
const QList<int>& ToolbarTable();

} // namespace zelvane
