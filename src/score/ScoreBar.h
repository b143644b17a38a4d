#pragma once

#include "chart/DocumentView.h"

#include <QWidget>

class QComboBox;

namespace zelvane {

class CStepDocument;

// The strip above the score: the style ("モード:") and difficulty ("レベル:") lists that
// choose which score of the document is edited. Choosing a combination the document does
// not have creates that score.
class CScoreBar : public QWidget, public IStepDocumentView {
    Q_OBJECT
public:
    explicit CScoreBar(QWidget* parent = nullptr);
    ~CScoreBar() override;

    // Lists the standard difficulties and every other one the document's scores carry, and
    // shows the current score's style and difficulty. Remembers the document, which must
    // outlive the bar or be replaced by another Fill.
    void Fill(CStepDocument* document);
    // Switching scores is not allowed while the song plays.
    void SetSwitchingEnabled(bool enabled);

    QComboBox* modeList() const { return m_mode; }
    QComboBox* levelList() const { return m_level; }

    void OnUpdate(IStepDocumentView* sender, UpdateHint hint, CScore* score) override;

signals:
    // A score was chosen from the bar; the pane passes the keyboard focus on.
    void scoreSwitched();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The first item that begins with `text`, compared without case, or -1.
    int FindLevel(const QString& text) const;
    void ShowCurrentScore();
    void SwitchScore();

    CStepDocument* m_document = nullptr;
    QComboBox* m_mode;
    QComboBox* m_level;
};

} // namespace zelvane
