#pragma once

#include "chart/commands/MotionOptionCommand.h"
#include "motion/MotionInput.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QPushButton;

namespace zelvane {

// Panel size, twisting and turn suppression of the dance generator, and how the feet are
// assigned (the user's setting, apart from the document's options). OK stays disabled
// unless the panel size is a number above 0.
class CMotionOptionDialog : public QDialog {
    Q_OBJECT
public:
    CMotionOptionDialog(const MotionOptions& values, FootAssignment feet,
                        QWidget* parent = nullptr);
    // What the controls hold; valid after the dialog was accepted. A ticked 振り向き抑制
    // means turning is not enabled.
    MotionOptions values() const { return m_values; }
    FootAssignment feet() const { return m_feet; }

    QLineEdit* panelSizeEdit() const { return m_panelSize; }
    QCheckBox* twistBox() const { return m_twist; }
    QCheckBox* suppressTurnBox() const { return m_suppressTurn; }
    QRadioButton* greedyFeetButton() const { return m_greedyFeet; }
    QRadioButton* optimalFeetButton() const { return m_optimalFeet; }
    QPushButton* okButton() const { return m_ok; }

    void accept() override;

private:
    void UpdateOkButton();

    MotionOptions m_values;
    FootAssignment m_feet;
    QLineEdit* m_panelSize;
    QCheckBox* m_twist;
    QCheckBox* m_suppressTurn;
    QRadioButton* m_greedyFeet;
    QRadioButton* m_optimalFeet;
    QPushButton* m_ok;
};

} // namespace zelvane
