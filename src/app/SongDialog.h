#pragma once

#include "chart/commands/SongPropertyCommand.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zelvane {

// Title, artist, tempo and gap of the song. OK stays disabled unless the tempo is a number
// above 0 and within the chart limits; the gap must be a whole number of milliseconds
// within them too.
class CSongDialog : public QDialog {
    Q_OBJECT
public:
    explicit CSongDialog(const SongProperties& values, QWidget* parent = nullptr);
    // What the fields hold; valid after the dialog was accepted.
    SongProperties values() const { return m_values; }

    QLineEdit* titleEdit() const { return m_title; }
    QLineEdit* artistEdit() const { return m_artist; }
    QLineEdit* bpmEdit() const { return m_bpm; }
    QLineEdit* gapEdit() const { return m_gap; }
    QPushButton* okButton() const { return m_ok; }

    void accept() override;

private:
    void UpdateOkButton();

    SongProperties m_values;
    QLineEdit* m_title;
    QLineEdit* m_artist;
    QLineEdit* m_bpm;
    QLineEdit* m_gap;
    QPushButton* m_ok;
};

} // namespace zelvane
