#include "app/PlayerDialog.h"

#include "app/DialogButtons.h"
#include "qtcommon/QtText.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelvane {

CPlayerDialog::CPlayerDialog(QWidget* parent)
    : QDialog(parent)
    , m_first(new QRadioButton(QStringLiteral("1P"), this))
    , m_second(new QRadioButton(QStringLiteral("2P"), this))
{
    setWindowTitle(LoadQString(IDS_PLAYER_DIALOG_TITLE));
    m_first->setChecked(true);
    auto* group = new QGroupBox(LoadQString(IDS_PLAYER_GROUP), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_first);
    groupLayout->addWidget(m_second);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    AddOkCancelButtons(*this, *layout);
}

int CPlayerDialog::selectedPlayer() const
{
    return m_second->isChecked() ? 1 : 0;
}

} // namespace zelvane
