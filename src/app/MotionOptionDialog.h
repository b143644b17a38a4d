#pragma once

#include "chart/commands/MotionOptionCommand.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zelvane {

// Panel size, twisting and turn suppression of the dance generator. OK stays disabled
// unless the panel size is a number above 0.
class CMotionOptionDialog : public QDialog {
    Q_OBJECT
public:
    explicit CMotionOptionDialog(const MotionOptions& values, QWidget* parent = nullptr);
    // What the controls hold; valid after the dialog was accepted. A ticked 振り向き抑制
    // means turning is not enabled.
    MotionOptions values() const { return m_values; }

    QLineEdit* panelSizeEdit() const { return m_panelSize; }
    QCheckBox* twistBox() const { return m_twist; }
    QCheckBox* suppressTurnBox() const { return m_suppressTurn; }
    QPushButton* okButton() const { return m_ok; }

    void accept() override;

private:
    void UpdateOkButton();

    MotionOptions m_values;
    QLineEdit* m_panelSize;
    QCheckBox* m_twist;
    QCheckBox* m_suppressTurn;
    QPushButton* m_ok;
};

} // namespace zelvane
