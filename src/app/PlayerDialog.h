#pragma once

#include <QDialog>

class QRadioButton;

namespace zelvane {

// Which dancer of a COUPLE score to export: 1P (0) or 2P (1); 1P is chosen at first.
class CPlayerDialog : public QDialog {
    Q_OBJECT
public:
    explicit CPlayerDialog(QWidget* parent = nullptr);
    int selectedPlayer() const;
    QRadioButton* firstButton() const { return m_first; }
    QRadioButton* secondButton() const { return m_second; }

private:
    QRadioButton* m_first;
    QRadioButton* m_second;
};

} // namespace zelvane
