#include "score/ScorePane.h"

#include "score/ScoreBar.h"
#include "score/ScoreView.h"

#include <QVBoxLayout>

namespace zelvane {

CScorePane::CScorePane(CStepDocument* document, CViewState* viewState, QWidget* parent)
    : QWidget(parent)
    , m_bar(new CScoreBar(this))
{
    // The bar lists the document's scores before the view shows the current one.
    m_bar->Fill(document);
    m_view = new CScoreView(document, viewState, m_bar, this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar);
    layout->addWidget(m_view, 1);
    setFocusProxy(m_view);
    // The user may make the pane narrower than the bar; the bar is then cut off on the
    // right rather than holding the splitter back. (A minimum of 0 would mean "unset".)
    m_bar->setMinimumWidth(1);
    setMinimumWidth(1);

    connect(m_bar, &CScoreBar::scoreSwitched, this, [this] { setFocus(); });
}

} // namespace zelvane
