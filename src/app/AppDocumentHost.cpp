#include "app/AppDocumentHost.h"

#include "app/FileNotFoundDialog.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "qtcommon/QtText.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>

namespace zelvane {

MissingFileAnswer CAppDocumentHost::AnswerMissingFile(const MissingFileRequest& request)
{
    // The dialog must not sit under the wait cursor of a surrounding load.
    const bool waiting = QApplication::overrideCursor() != nullptr;
    if (waiting)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    // A file that is there and still could not be used was refused by its decoder: the
    // program says what happened, and the decoder's reason goes below.
    const QString path = ToQString(request.path);
    const QFileInfo file(path);
    const bool refused = file.isFile() && file.isReadable();
    const QString message = refused
        ? FormatQString(IDS_CANNOT_USE_FILE, {ToStdString(file.fileName())})
        : ToQString(request.message);
    CFileNotFoundDialog dialog(message, path, request.filterId, ToQString(request.directoryKey),
                               m_parent);
    if (refused)
        dialog.SetDetail(ToQString(request.message));
    const int result = RunModal(dialog);
    if (waiting)
        QApplication::restoreOverrideCursor();
    if (result == QDialog::Accepted)
        return {MissingFileAnswer::Action::Retry, ToStdString(dialog.path())};
    if (result == CFileNotFoundDialog::kIgnore || dialog.path().isEmpty())
        return {MissingFileAnswer::Action::Ignore, ""};
    // Closed with the close box: go on without the file but keep its path in the document,
    // rather than asking the same question again and again.
    return {MissingFileAnswer::Action::Keep, ToStdString(dialog.path())};
}

ColorSettings CAppDocumentHost::ReadColorSettings()
{
    return Settings::ReadColors();
}

void CAppDocumentHost::BeginWait()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CAppDocumentHost::EndWait()
{
    QApplication::restoreOverrideCursor();
}

void CAppDocumentHost::StopPlayback()
{
    if (m_stopPlayback)
        m_stopPlayback();
}

} // namespace zelvane
