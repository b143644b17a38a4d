#pragma once

#include "chart/DocumentHost.h"

class QWidget;

namespace zelvane {

// What the document asks of the desktop program: the file-not-found question, the colours
// of the settings, the wait cursor.
class CAppDocumentHost : public IDocumentHost {
public:
    explicit CAppDocumentHost(QWidget* parent = nullptr)
        : m_parent(parent)
    {
    }
    void SetParent(QWidget* parent) { m_parent = parent; }

    MissingFileAnswer AnswerMissingFile(const MissingFileRequest& request) override;
    ColorSettings ReadColorSettings() override;
    void BeginWait() override;
    void EndWait() override;

private:
    QWidget* m_parent;
};

} // namespace zelvane
