#include "app/FileNotFoundDialog.h"

#include "app/FileDialogs.h"
#include "qtcommon/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace zelvane {

CFileNotFoundDialog::CFileNotFoundDialog(const QString& message, const QString& path,
                                         std::uint32_t filterId, const QString& directoryKey,
                                         QWidget* parent)
    : QDialog(parent)
    , m_path(path)
    , m_filterId(filterId)
    , m_directoryKey(directoryKey)
    , m_detail(new QLabel(this))
    , m_ignore(new QPushButton(LoadQString(IDS_BUTTON_IGNORE), this))
    , m_browse(new QPushButton(LoadQString(IDS_BUTTON_BROWSE), this))
{
    setWindowTitle(LoadQString(IDS_APP_TITLE));
    auto* icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(size, size));
    auto* text = new QLabel(message, this);
    text->setObjectName(QStringLiteral("message"));
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_browse->setDefault(true);
    m_browse->setAutoDefault(true);
    m_ignore->setAutoDefault(false);
    connect(m_ignore, &QPushButton::clicked, this, &CFileNotFoundDialog::Ignore);
    connect(m_browse, &QPushButton::clicked, this, &CFileNotFoundDialog::Browse);

    m_detail->setObjectName(QStringLiteral("detail"));
    m_detail->setWordWrap(true);
    m_detail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_detail->hide();
    auto* texts = new QVBoxLayout;
    texts->addWidget(text);
    texts->addWidget(m_detail);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ignore);
    buttons->addWidget(m_browse);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

void CFileNotFoundDialog::SetDetail(const QString& detail)
{
    m_detail->setText(detail);
    m_detail->setVisible(!detail.isEmpty());
}

void CFileNotFoundDialog::Ignore()
{
    m_path.clear();
    done(kIgnore);
}

void CFileNotFoundDialog::Browse()
{
    // Only a chosen file ends the question; cancelling the browser leaves it open with no
    // path, so closing it then means going on without the file.
    m_path = PromptFileName(FileDialogMode::Open, m_path, m_filterId, m_directoryKey, this);
    if (!m_path.isEmpty())
        accept();
}

} // namespace zelvane
