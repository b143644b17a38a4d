#pragma once

#include <QWidget>

namespace zelvane {

class CScoreBar;
class CScoreView;
class CStepDocument;
class CViewState;

// The left pane of the main window: the score bar above the score view. The pane hands the
// keyboard focus on to the view.
class CScorePane : public QWidget {
    Q_OBJECT
public:
    CScorePane(CStepDocument* document, CViewState* viewState, QWidget* parent = nullptr);

    CScoreBar* scoreBar() const { return m_bar; }
    CScoreView* scoreView() const { return m_view; }

private:
    CScoreBar* m_bar;
    CScoreView* m_view = nullptr;
};

} // namespace zelvane
