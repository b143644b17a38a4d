#include "app/ErrorDialog.h"

#include "qtcommon/QtText.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvane {

CErrorDialog::CErrorDialog(const QString& errors, QWidget* parent)
    : QDialog(parent)
    , m_list(new QPlainTextEdit(this))
{
    setWindowTitle(LoadQString(IDS_ERROR_TITLE));
    // The list comes with CR LF line ends; the edit box wants plain line feeds.
    QString text = errors;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_list->setPlainText(text);
    m_list->setReadOnly(true);
    m_list->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(LoadQString(IDS_ERROR_LIST_LEAD), this));
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(420, 260);
}

} // namespace zelvane
