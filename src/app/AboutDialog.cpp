#include "app/AboutDialog.h"

#include "app/ToolbarIcons.h"
#include "qtcommon/QtText.h"

#include "ZelvaneVersion.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvane {

QString BuildVersionText()
{
    QString text = QString::fromLatin1(kVersion);
    if (*kGitDescription != '\0')
        text += QStringLiteral(" (") + QString::fromLatin1(kGitDescription) + QLatin1Char(')');
    return text;
}

CAboutDialog::CAboutDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(LoadQString(IDS_ABOUT_TITLE));
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(32, 32));
    auto* version = new QLabel(QString::fromLatin1(kVersionText), this);
    version->setObjectName(QStringLiteral("version"));
    auto* build
        = new QLabel(FormatQString(IDS_ABOUT_BUILD, {ToStdString(BuildVersionText())}), this);
    build->setObjectName(QStringLiteral("build"));
    build->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(8);
    auto* texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(build);
    texts->addStretch(1);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(300, 110)));
}

} // namespace zelvane
