#pragma once

#include <QWidget>

namespace zelvane {

class CScoreBar;
class CStepDocument;

// The left pane of the main window: the score bar above the score view. The pane hands the
// keyboard focus on to the view.
class CScorePane : public QWidget {
    Q_OBJECT
public:
    explicit CScorePane(CStepDocument* document, QWidget* parent = nullptr);

    CScoreBar* scoreBar() const { return m_bar; }
    QWidget* scoreView() const { return m_view; }

private:
    CScoreBar* m_bar;
    QWidget* m_view;
};

} // namespace zelvane
