#include "app/Prompter.h"

#include "app/MessageWidth.h"

#include <QFileDialog>

namespace zelvane {
namespace {

class CDialogPrompter final : public IPrompter {
public:
    int Exec(QDialog& dialog) override { return dialog.exec(); }

    QString ChooseFile(QFileDialog& dialog) override
    {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    }
};

CDialogPrompter g_dialogPrompter;
IPrompter* g_prompter = &g_dialogPrompter;

} // namespace

IPrompter& Prompter()
{
    return *g_prompter;
}

void SetPrompter(IPrompter* prompter)
{
    g_prompter = prompter ? prompter : &g_dialogPrompter;
}

int RunModal(QDialog& dialog)
{
    FitMessageWidth(dialog);
    return Prompter().Exec(dialog);
}

} // namespace zelvane
