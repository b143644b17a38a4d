#pragma once

#include "chart/DocumentHost.h"

#include <functional>

class QWidget;

namespace zelvane {

// What the document asks of the desktop program: the file-not-found question, the colours
// of the settings, the wait cursor, stopping the song, the views starting over.
class CAppDocumentHost : public IDocumentHost {
public:
    explicit CAppDocumentHost(QWidget* parent = nullptr)
        : m_parent(parent)
    {
    }
    void SetParent(QWidget* parent) { m_parent = parent; }
    // What stops the song when the document drops it (a new song, the document emptied).
    void SetStopPlayback(std::function<void()> stop) { m_stopPlayback = std::move(stop); }
    // What the views do when the document is emptied to be filled anew.
    void SetDocumentCleared(std::function<void()> cleared) { m_cleared = std::move(cleared); }

    MissingFileAnswer AnswerMissingFile(const MissingFileRequest& request) override;
    ColorSettings ReadColorSettings() override;
    void BeginWait() override;
    void EndWait() override;
    void StopPlayback() override;
    void DocumentCleared() override;

private:
    QWidget* m_parent;
    std::function<void()> m_stopPlayback;
    std::function<void()> m_cleared;
};

} // namespace zelvane
