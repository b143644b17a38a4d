#include "score/ScoreBar.h"

#include "chart/StepDocument.h"
#include "qtcommon/QtText.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>

namespace zelvane {
namespace {

const char* const kStandardLevels[] = {"BASIC", "ANOTHER", "MANIAC", "SMANIAC"};

} // namespace

CScoreBar::CScoreBar(QWidget* parent)
    : QWidget(parent)
    , m_mode(new QComboBox(this))
    , m_level(new QComboBox(this))
{
    for (int style = 0; style < kStyleCount; ++style)
        m_mode->addItem(QString::fromLatin1(StyleName(static_cast<Style>(style))));
    for (const char* level : kStandardLevels)
        m_level->addItem(QString::fromLatin1(level));
    m_mode->setMinimumWidth(110);
    m_level->setMinimumWidth(110);

    auto* modeLabel = new QLabel(LoadQString(IDS_SCORE_BAR_MODE), this);
    auto* levelLabel = new QLabel(LoadQString(IDS_SCORE_BAR_LEVEL), this);
    modeLabel->setBuddy(m_mode);
    levelLabel->setBuddy(m_level);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 6, 10, 7);
    layout->setSpacing(6);
    layout->addWidget(modeLabel);
    layout->addWidget(m_mode);
    layout->addSpacing(14);
    layout->addWidget(levelLabel);
    layout->addWidget(m_level);
    layout->addStretch(1);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    // Only the user's choices switch scores; filling the lists does not.
    connect(m_mode, &QComboBox::activated, this, &CScoreBar::SwitchScore);
    connect(m_level, &QComboBox::activated, this, &CScoreBar::SwitchScore);
}

CScoreBar::~CScoreBar()
{
    if (m_document)
        m_document->RemoveView(this);
}

void CScoreBar::Fill(CStepDocument* document)
{
    if (m_document != document) {
        if (m_document)
            m_document->RemoveView(this);
        m_document = document;
        if (m_document)
            m_document->AddView(this);
    }
    const QSignalBlocker blocker(m_level);
    m_level->clear();
    for (const char* level : kStandardLevels)
        m_level->addItem(QString::fromLatin1(level));
    if (m_document)
        for (const auto& score : m_document->scores()) {
            const QString name = ToQString(score->difficulty());
            if (FindLevel(name) < 0)
                m_level->addItem(name);
        }
    ShowCurrentScore();
}

void CScoreBar::SetSwitchingEnabled(bool enabled)
{
    m_mode->setEnabled(enabled);
    m_level->setEnabled(enabled);
}

void CScoreBar::OnUpdate(IStepDocumentView*, UpdateHint hint, CScore*)
{
    // The score view refills the bar once it is there; until then the bar follows the
    // document itself.
    if (hint == UpdateHint::CurrentScore)
        Fill(m_document);
}

int CScoreBar::FindLevel(const QString& text) const
{
    for (int i = 0; i < m_level->count(); ++i)
        if (m_level->itemText(i).startsWith(text, Qt::CaseInsensitive))
            return i;
    return -1;
}

void CScoreBar::ShowCurrentScore()
{
    const CScore* score = m_document ? m_document->scores().current() : nullptr;
    if (!score)
        return;
    const QSignalBlocker modeBlocker(m_mode);
    const QSignalBlocker levelBlocker(m_level);
    m_mode->setCurrentIndex(static_cast<int>(score->style()));
    const int level = FindLevel(ToQString(score->difficulty()));
    if (level >= 0)
        m_level->setCurrentIndex(level);
}

void CScoreBar::SwitchScore()
{
    if (!m_document || m_mode->currentIndex() < 0 || m_level->currentIndex() < 0)
        return;
    const std::optional<Style> style = StyleFromValue(m_mode->currentIndex());
    if (!style)
        return;
    const std::string difficulty = ToStdString(m_level->currentText());
    CScore* score = m_document->scores().Find(*style, difficulty);
    if (!score) {
        score = m_document->scores().FindOrCreate(*style, difficulty);
        m_document->UpdateAllViews(nullptr, UpdateHint::ScoreCreated, score);
    }
    m_document->scores().SetCurrent(score);
    m_document->UpdateAllViews(nullptr, UpdateHint::CurrentScore, score);
    if (isVisible())
        emit scoreSwitched();
}

void CScoreBar::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // A thin shadow line along the bottom separates the bar from the score.
    QPainter painter(this);
    painter.fillRect(QRect(0, height() - 1, width(), 1), palette().color(QPalette::Dark));
}

} // namespace zelvane
