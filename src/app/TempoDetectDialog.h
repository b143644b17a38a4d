#pragma once

#include "beat/TempoDetector.h"

#include <QDialog>

#include <atomic>
#include <filesystem>
#include <optional>
#include <thread>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zelvane {

// Listens to the song on a worker thread while a bar shows how far it has come; 中止 stops it
// and closes the dialog. Then it shows the tempo, the first beat and how sure it is, and 適用
// (accept) hands them to the caller; when no beat was found, or the song could not be read,
// it says so and only closes.
class CTempoDetectDialog : public QDialog {
    Q_OBJECT
public:
    CTempoDetectDialog(const std::filesystem::path& song, QWidget* parent = nullptr);
    // Stops the worker and waits for it: nothing it finds afterwards reaches the dialog.
    ~CTempoDetectDialog() override;

    bool finished() const { return m_finished; }
    // What was found; set once finished, and only when a beat was.
    const std::optional<TempoEstimate>& estimate() const { return m_estimate; }

    QProgressBar* progressBar() const { return m_progress; }
    QLabel* messageLabel() const { return m_message; }
    QLabel* bpmLabel() const { return m_bpm; }
    QLabel* firstBeatLabel() const { return m_firstBeat; }
    QLabel* confidenceLabel() const { return m_confidence; }
    QPushButton* applyButton() const { return m_apply; }
    QPushButton* abortButton() const { return m_abort; }

signals:
    void analysisFinished();

private:
    void ShowProgress();
    void Finish(std::optional<TempoEstimate> estimate, const std::exception_ptr& failure);

    QProgressBar* m_progress;
    QLabel* m_message;
    QLabel* m_bpm;
    QLabel* m_firstBeat;
    QLabel* m_confidence;
    QPushButton* m_apply;
    QPushButton* m_abort;
    bool m_finished = false;
    std::optional<TempoEstimate> m_estimate;

    // Shared with the worker: how far it has come (in thousandths), whether an update of the
    // bar is already waiting in the event queue, and whether it was told to stop.
    std::atomic<int> m_permille = 0;
    std::atomic<bool> m_updateQueued = false;
    std::atomic<bool> m_stop = false;
    std::thread m_worker;
};

} // namespace zelvane
