#pragma once

#include "base/TempoEvents.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zelvane {

// One event of the tempo map: its position, and one number field for what it holds: the
// BPM of a tempo change, the seconds of a stop or a delay, the clocks a warp skips. OK stays
// disabled, and a line says what the field takes, until it holds a value within the limits.
class CTempoEventDialog : public QDialog {
    Q_OBJECT
public:
    // `event` gives the kind, the clock and the value the field starts with; `title` says
    // what is being done (inserting, editing).
    CTempoEventDialog(const CTempoEvent& event, const QString& title, QWidget* parent = nullptr);
    // The event with the field's value; valid after the dialog was accepted.
    const CTempoEvent& event() const { return m_event; }

    QLineEdit* valueEdit() const { return m_value; }
    QLabel* errorLabel() const { return m_error; }
    QPushButton* okButton() const { return m_ok; }

    void accept() override;

private:
    // The event the field describes, or none with the reason shown.
    std::optional<CTempoEvent> Read() const;
    void UpdateState();

    CTempoEvent m_event;
    QLineEdit* m_value;
    QLabel* m_error;
    QPushButton* m_ok = nullptr;
};

} // namespace zelvane
