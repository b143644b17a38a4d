#include "app/AppDocumentHost.h"

#include "app/FileNotFoundDialog.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "qtcommon/QtText.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>

namespace zelvane {
namespace {

// The document words its question in Japanese. The usual one, that the file is not there, is
// said again in the program's language; the rest (and the decoder's reason for refusing a
// file, left out of an English dialog) only Japanese knows, as they reach the host already
// worded.
QString SaidInProgramLanguage(const std::string& message, const std::string& name)
{
    if (message == FormatString(IDS_FILE_NOT_FOUND, {name}))
        return FormatQString(IDS_FILE_NOT_FOUND, {name});
    return ToQString(message);
}

} // namespace

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
    const std::string name = ToStdString(file.fileName());
    const QString message = refused ? FormatQString(IDS_CANNOT_USE_FILE, {name})
                                    : SaidInProgramLanguage(request.message, name);
    CFileNotFoundDialog dialog(message, path, request.filterId, ToQString(request.directoryKey),
                               m_parent);
    if (refused && CurrentUiLanguage() == UiLanguage::Japanese)
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

void CAppDocumentHost::DocumentCleared()
{
    if (m_cleared)
        m_cleared();
}

} // namespace zelvane
