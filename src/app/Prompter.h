#pragma once

#include <QString>

class QDialog;
class QFileDialog;

namespace zelvane {

// Every modal question the program asks (file names, confirmations, messages, its own
// dialogs) runs through one prompter. The program's prompter shows the dialog and waits for
// the user; a test installs one that answers the dialog it is handed at once, so no test
// waits for a window to appear.
class IPrompter {
public:
    virtual ~IPrompter() = default;
    // Runs a dialog the program has built and returns its result code.
    virtual int Exec(QDialog& dialog) = 0;
    // Runs a file dialog and returns the chosen path, or an empty string.
    virtual QString ChooseFile(QFileDialog& dialog) = 0;
};

// The prompter in force: the real dialogs unless another one was installed.
IPrompter& Prompter();
// Installs a prompter (not owned); null brings the real dialogs back.
void SetPrompter(IPrompter* prompter);

// Runs a dialog through the prompter in force, its messages as wide as their lines.
int RunModal(QDialog& dialog);

inline QString RunFileDialog(QFileDialog& dialog)
{
    return Prompter().ChooseFile(dialog);
}

} // namespace zelvane
