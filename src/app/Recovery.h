#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

namespace zelvane {

class CStepDocument;

// Keeps a copy of a modified document in the user's data folder, so that work survives a
// crash: every two minutes while the document has unsaved changes, never over the user's own
// file. A clean end removes the copy; a start that finds one left behind offers it back.
// Only the first running instance keeps a copy (a lock file says which), so two windows never
// write over each other's.
class CRecovery : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMilliseconds = 2 * 60 * 1000;

    explicit CRecovery(CStepDocument& document, QObject* parent = nullptr);
    ~CRecovery() override;

    // Whether this instance keeps the copy (false when another one runs).
    bool active() const { return m_lock != nullptr; }
    // A copy left by a program that did not end cleanly.
    bool HasLeftover() const;
    // Opens the leftover copy as the document: modified, named as the file it was a copy of
    // (or unnamed). Throws what opening a document throws.
    void Restore();

    // Writes the copy now if the document has unsaved changes, and removes it if it has none.
    // Returns false when the copy could not be written (the next attempt may succeed).
    bool Save();
    // Removes the copy: the program ends cleanly, or the user declined the leftover.
    void Discard();

    QString copyPath() const { return m_folder + QStringLiteral("/recovery.zlvm"); }
    QString namePath() const { return m_folder + QStringLiteral("/recovery-name.txt"); }

private:
    CStepDocument& m_document;
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    QTimer m_timer;
};

} // namespace zelvane
