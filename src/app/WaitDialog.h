#pragma once

#include <QDialog>

#include <cstdint>

class QProgressBar;
class QPushButton;

namespace zelvane {

// The small window that shows how far a background video has come and lets the user stop
// it. It has no parent, so it stays usable while the main window is disabled, and it sits
// centred over the window it was opened over.
class CWaitDialog : public QDialog {
    Q_OBJECT
public:
    explicit CWaitDialog(QWidget* over);

    // Shows "written/total フレーム".
    void SetProgress(std::int64_t written, std::int64_t total);
    // The stop button was pressed or the window closed.
    bool cancelled() const { return m_cancelled; }

    QPushButton* abortButton() const { return m_abort; }
    QProgressBar* progressBar() const { return m_progress; }

signals:
    void progressShown(qint64 written, qint64 total);
    void cancelRequested();

public slots:
    // Stopping is only asked for: the export ends before its next frame.
    void reject() override;

private:
    QProgressBar* m_progress;
    QPushButton* m_abort;
    bool m_cancelled = false;
};

} // namespace zelvane
