#include "app/WaitDialog.h"

#include "qtcommon/QtText.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

namespace zelvane {

CWaitDialog::CWaitDialog(QWidget* over)
    : QDialog(nullptr)
    , m_progress(new QProgressBar(this))
    , m_abort(new QPushButton(LoadQString(IDS_BUTTON_ABORT), this))
{
    setWindowTitle(LoadQString(IDS_AVI_WAIT_TITLE));
    // Closing the window means stopping, like the button.
    connect(m_abort, &QPushButton::clicked, this, &CWaitDialog::reject);
    m_progress->setTextVisible(true);
    m_progress->setMinimumWidth(440);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_abort);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);
    adjustSize();
    if (over) {
        const QRect frame = over->frameGeometry();
        move(frame.x() + (frame.width() - width()) / 2,
             frame.y() + (frame.height() - height()) / 2);
    }
}

void CWaitDialog::SetProgress(std::int64_t written, std::int64_t total)
{
    // The bar counts in int; a video of more frames than that cannot be made anyway.
    m_progress->setRange(0, static_cast<int>(total));
    m_progress->setValue(static_cast<int>(written));
    m_progress->setFormat(
        FormatQString(IDS_AVI_PROGRESS, {std::to_string(written), std::to_string(total)}));
    emit progressShown(written, total);
}

void CWaitDialog::reject()
{
    if (m_cancelled)
        return;
    m_cancelled = true;
    m_abort->setEnabled(false);
    emit cancelRequested();
}

} // namespace zelvane
