#include "app/FileDialogs.h"

#include "app/Prompter.h"
#include "app/Settings.h"
#include "qtcommon/QtText.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace zelvane {
namespace {

QString AllFilesFilter()
{
    // The table's text names "*.*", which on this system would miss files without a dot.
    QString text = LoadQString(IDS_ALL_FILES);
    const qsizetype open = text.lastIndexOf(QLatin1Char('('));
    if (open >= 0)
        text = text.left(open);
    return text + QStringLiteral("(*)");
}

QString WithRememberedDirectory(const QString& name, const QString& directoryKey)
{
    // A name that already carries a directory keeps it.
    if (name.contains(QLatin1Char('/')))
        return name;
    return Settings::ReadDirectory(directoryKey) + name;
}

QString DialogTitle(FileDialogMode mode)
{
    return LoadQString(mode == FileDialogMode::Open ? IDS_FILE_DIALOG_OPEN_TITLE
                                                    : IDS_FILE_DIALOG_SAVE_TITLE);
}

// The document template's filter name, "Zelvaneファイル (*.zlvm)": its fourth line.
QString DocumentFilter()
{
    return LoadQString(IDS_DOCUMENT_TEMPLATE).section(QLatin1Char('\n'), 3, 3);
}

// The document template's extension, "zlvm": its fifth line, without the dot.
QString DocumentExtension()
{
    QString extension = LoadQString(IDS_DOCUMENT_TEMPLATE).section(QLatin1Char('\n'), 4, 4);
    if (extension.startsWith(QLatin1Char('.')))
        extension.remove(0, 1);
    return extension;
}

// The extension of a table filter's first pattern: "dwi" for "DWIファイル(*.dwi)|*.dwi".
QString FilterExtension(const QString& tableFilter)
{
    const QString pattern
        = tableFilter.section(QLatin1Char('|'), 1, 1).section(QLatin1Char(';'), 0, 0);
    return pattern.startsWith(QStringLiteral("*.")) ? pattern.mid(2) : QString();
}

// A name typed without an extension gets the kind's own, so the file is found again under
// the filter it was saved with; a name with a dot anywhere in it is kept as typed.
QString WithExtension(const QString& path, const QString& extension)
{
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || extension.isEmpty() || name.contains(u'.'))
        return path;
    return path + QLatin1Char('.') + extension;
}

// One kind a dialog offers: its entry in Qt's form and the extension a name saved under it
// gets.
struct DialogFilter {
    QString entry;
    QString extension;
};

DialogFilter FromTable(std::uint32_t filterId)
{
    const QString table = LoadQString(filterId);
    return {QtFilterEntry(table), FilterExtension(table)};
}

// The dialog offers `filters`, then all files. A name saved without an extension gets the one
// of the kind chosen in the dialog; under all files, the first kind's.
QString RunDialog(FileDialogMode mode, const QString& title, const QString& start,
                  const QList<DialogFilter>& filters, QWidget* parent)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(mode == FileDialogMode::Open ? QFileDialog::AcceptOpen
                                                      : QFileDialog::AcceptSave);
    dialog.setFileMode(mode == FileDialogMode::Open ? QFileDialog::ExistingFile
                                                    : QFileDialog::AnyFile);
    QStringList entries;
    for (const DialogFilter& filter : filters)
        entries.append(filter.entry);
    entries.append(AllFilesFilter());
    dialog.setNameFilters(entries);
    const QFileInfo info(start);
    // Without a remembered directory the dialog starts where the program was started.
    dialog.setDirectory(start.contains(QLatin1Char('/')) ? info.absolutePath()
                                                         : QDir::currentPath());
    if (!info.fileName().isEmpty())
        dialog.selectFile(info.fileName());
    dialog.setLabelText(
        QFileDialog::Accept,
        LoadQString(mode == FileDialogMode::Open ? IDS_FILE_DIALOG_OPEN : IDS_FILE_DIALOG_SAVE));
    dialog.setLabelText(QFileDialog::Reject, LoadQString(IDS_BUTTON_CANCEL));
    dialog.setLabelText(QFileDialog::LookIn, LoadQString(IDS_FILE_DIALOG_LOOK_IN));
    dialog.setLabelText(QFileDialog::FileName, LoadQString(IDS_FILE_DIALOG_FILE_NAME));
    dialog.setLabelText(QFileDialog::FileType, LoadQString(IDS_FILE_DIALOG_FILE_TYPE));
    if (mode == FileDialogMode::Open)
        return RunFileDialog(dialog);
    const auto extensionOf = [&filters](const QString& entry) {
        for (const DialogFilter& filter : filters)
            if (filter.entry == entry)
                return filter.extension;
        return filters.isEmpty() ? QString() : filters.constFirst().extension;
    };
    // The dialog adds the extension itself before it asks about overwriting, the chosen
    // kind's; the name is checked again for a chooser that returns what was typed.
    dialog.setDefaultSuffix(extensionOf(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, &extensionOf](const QString& entry) {
                         dialog.setDefaultSuffix(extensionOf(entry));
                     });
    const QString chosen = RunFileDialog(dialog);
    return WithExtension(chosen, extensionOf(dialog.selectedNameFilter()));
}

} // namespace

QString QtFilterEntry(const QString& tableFilter)
{
    const QString name = tableFilter.section(QLatin1Char('|'), 0, 0);
    QString patterns = tableFilter.section(QLatin1Char('|'), 1, 1);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    const qsizetype open = name.lastIndexOf(QLatin1Char('('));
    if (name.endsWith(QLatin1Char(')')) && open >= 0)
        return name.left(open) + QLatin1Char('(') + patterns + QLatin1Char(')');
    return name + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

QString QtFileFilter(const QString& tableFilter)
{
    return QtFilterEntry(tableFilter) + QStringLiteral(";;") + AllFilesFilter();
}

QString PromptFileName(FileDialogMode mode, const QString& initialName, std::uint32_t filterId,
                       const QString& directoryKey, QWidget* parent)
{
    return PromptFileName(mode, initialName, std::initializer_list<std::uint32_t>{filterId},
                          directoryKey, parent);
}

QString PromptFileName(FileDialogMode mode, const QString& initialName,
                       std::initializer_list<std::uint32_t> filterIds, const QString& directoryKey,
                       QWidget* parent)
{
    QList<DialogFilter> filters;
    for (const std::uint32_t id : filterIds)
        filters.append(FromTable(id));
    QString chosen = RunDialog(mode, DialogTitle(mode),
                               WithRememberedDirectory(initialName, directoryKey), filters, parent);
    if (!chosen.isEmpty())
        Settings::RememberDirectoryOf(directoryKey, chosen);
    return chosen;
}

QString PromptDocumentFileName(FileDialogMode mode, const QString& initialName, QWidget* parent)
{
    static const QString kKey = QStringLiteral("DocumentDirectory");
    // The document template's filter name and extension.
    QString chosen = RunDialog(mode, DialogTitle(mode), WithRememberedDirectory(initialName, kKey),
                               {{DocumentFilter(), DocumentExtension()}}, parent);
    if (!chosen.isEmpty())
        Settings::RememberDirectoryOf(kKey, chosen);
    return chosen;
}

} // namespace zelvane
