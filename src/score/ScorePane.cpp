#include "score/ScorePane.h"

#include "score/ScoreBar.h"

#include <QVBoxLayout>

namespace zelvane {

CScorePane::CScorePane(CStepDocument* document, QWidget* parent)
    : QWidget(parent)
    , m_bar(new CScoreBar(this))
    , m_view(new QWidget(this))
{
    // The score view takes this place once it exists; the place already takes the focus so
    // the pane keys (F6) have somewhere to go.
    m_view->setObjectName(QStringLiteral("scoreViewPlace"));
    m_view->setFocusPolicy(Qt::StrongFocus);
    m_view->setAutoFillBackground(true);
    QPalette palette = m_view->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    m_view->setPalette(palette);

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
    m_bar->Fill(document);
}

} // namespace zelvane
