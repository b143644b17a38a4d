#include "app/MotionOptionDialog.h"

#include "app/DialogButtons.h"
#include "app/NumberText.h"
#include "app/Prompter.h"
#include "qtcommon/QtText.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelvane {

CMotionOptionDialog::CMotionOptionDialog(const MotionOptions& values, FootAssignment feet,
                                         QWidget* parent)
    : QDialog(parent)
    , m_values(values)
    , m_feet(feet)
    , m_panelSize(new QLineEdit(FloatToText(values.panelSize), this))
    , m_twist(new QCheckBox(LoadQString(IDS_MOTION_TWIST), this))
    , m_suppressTurn(new QCheckBox(LoadQString(IDS_MOTION_SUPPRESS_TURN), this))
    , m_greedyFeet(new QRadioButton(LoadQString(IDS_MOTION_FEET_GREEDY), this))
    , m_optimalFeet(new QRadioButton(LoadQString(IDS_MOTION_FEET_OPTIMAL), this))
    , m_ok(nullptr)
{
    setWindowTitle(LoadQString(IDS_MOTION_SETTINGS));
    m_twist->setChecked(values.twist);
    m_suppressTurn->setChecked(!values.turnEnabled);

    auto* form = new QFormLayout;
    form->addRow(LoadQString(IDS_MOTION_PANEL_SIZE_LABEL), m_panelSize);
    auto* options = new QGroupBox(LoadQString(IDS_MOTION_OPTIONS_GROUP), this);
    auto* optionLayout = new QVBoxLayout(options);
    optionLayout->addWidget(m_twist);
    optionLayout->addWidget(m_suppressTurn);

    // Radio buttons of one parent exclude each other.
    auto* feetGroup = new QGroupBox(LoadQString(IDS_MOTION_FEET_GROUP), this);
    auto* feetLayout = new QVBoxLayout(feetGroup);
    m_greedyFeet->setParent(feetGroup);
    m_optimalFeet->setParent(feetGroup);
    feetLayout->addWidget(m_greedyFeet);
    feetLayout->addWidget(m_optimalFeet);
    (feet == FootAssignment::OPTIMAL ? m_optimalFeet : m_greedyFeet)->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(options);
    layout->addWidget(feetGroup);
    m_ok = AddOkCancelButtons(*this, *layout);
    connect(m_panelSize, &QLineEdit::textChanged, this, &CMotionOptionDialog::UpdateOkButton);
    UpdateOkButton();
}

void CMotionOptionDialog::UpdateOkButton()
{
    const std::optional<float> size = TextToFloat(m_panelSize->text());
    m_ok->setEnabled(size && *size > 0.0f);
}

void CMotionOptionDialog::accept()
{
    const std::optional<float> size = TextToFloat(m_panelSize->text());
    if (!size || *size <= 0.0f) {
        QMessageBox box(QMessageBox::Warning, LoadQString(IDS_APP_TITLE), NumberRequiredMessage(),
                        QMessageBox::Ok, this);
        RunModal(box);
        m_panelSize->setFocus();
        return;
    }
    m_values.panelSize = *size;
    m_values.twist = m_twist->isChecked();
    m_values.turnEnabled = !m_suppressTurn->isChecked();
    m_feet = m_optimalFeet->isChecked() ? FootAssignment::OPTIMAL : FootAssignment::GREEDY;
    QDialog::accept();
}

} // namespace zelvane
