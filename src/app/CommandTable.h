#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace zelvane {

class CMainFrame;

// What a command does in the window, and when it may be run: a rule over the window's state,
// asked before every menu shows and again before the command runs.
using CommandHandler = std::function<void(CMainFrame&)>;
using CommandRule = std::function<bool(const CMainFrame&)>;

// One command of the menus, accelerators and toolbar: the menu text with its mnemonic and,
// after a tab, the shortcut as the menu shows it; every key that runs it; its status-bar
// prompt and tooltip; what it does and when it is enabled. A command checked by a rule
// (`checked`) shows the state the rule reads; one only `checkable` is a switch the user
// flips, which the handler reads from its action.
struct CommandEntry {
    int id = 0;
    QString text;
    QList<QKeySequence> keys;
    QString prompt;
    QString tooltip;
    CommandHandler run;
    CommandRule enabled;
    CommandRule checked;
    bool checkable = false;
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
