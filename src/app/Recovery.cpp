#include "app/Recovery.h"

#include "chart/StepDocument.h"
#include "chart/ZlvmFile.h"
#include "qtcommon/QtText.h"
#include "text/FileIo.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace zelvane {

CRecovery::CRecovery(CStepDocument& document, QObject* parent)
    : QObject(parent)
    , m_document(document)
    , m_folder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
{
    if (m_folder.isEmpty() || !QDir().mkpath(m_folder))
        return;
    auto lock = std::make_unique<QLockFile>(m_folder + QStringLiteral("/recovery.lock"));
    // A lock left by a program that crashed names a process that is gone: it is taken over.
    if (!lock->tryLock(0))
        return;
    m_lock = std::move(lock);
    m_timer.setInterval(kIntervalMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, [this] { Save(); });
    m_timer.start();
}

CRecovery::~CRecovery() = default;

bool CRecovery::HasLeftover() const
{
    return active() && QFile::exists(copyPath());
}

void CRecovery::Restore()
{
    QString name;
    QFile nameFile(namePath());
    if (nameFile.open(QIODevice::ReadOnly))
        name = QString::fromUtf8(nameFile.readAll());
    m_document.OpenDocument(ToPath(copyPath()));
    m_document.SetPathName(ToPath(name));
    m_document.SetModifiedFlag(true);
}

bool CRecovery::Save()
{
    if (!active())
        return false;
    if (!m_document.IsModified()) {
        Discard();
        return true;
    }
    try {
        WriteFileAtomically(ToPath(copyPath()), WriteZlvm(CaptureZlvm(m_document)));
        const std::string name = FromPath(m_document.pathName()).toStdString();
        WriteFileAtomically(ToPath(namePath()),
                            std::vector<std::uint8_t>(name.begin(), name.end()));
    } catch (const std::exception&) {
        // A full disk or a folder gone: the user's own file is untouched, and the next
        // round tries again.
        return false;
    }
    return true;
}

void CRecovery::Discard()
{
    if (!active())
        return;
    QFile::remove(copyPath());
    QFile::remove(namePath());
}

} // namespace zelvane
