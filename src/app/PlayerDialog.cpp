#include "app/PlayerDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelvane {

CPlayerDialog::CPlayerDialog(QWidget* parent)
    : QDialog(parent)
    , m_first(new QRadioButton(QStringLiteral("1P"), this))
    , m_second(new QRadioButton(QStringLiteral("2P"), this))
{
    setWindowTitle(QStringLiteral("モーション作成"));
    m_first->setChecked(true);
    auto* group = new QGroupBox(QStringLiteral("プレイヤー"), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_first);
    groupLayout->addWidget(m_second);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

int CPlayerDialog::selectedPlayer() const
{
    return m_second->isChecked() ? 1 : 0;
}

} // namespace zelvane
