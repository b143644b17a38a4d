#include "app/SongDialog.h"

#include "app/DialogButtons.h"
#include "app/NumberText.h"
#include "app/Prompter.h"
#include "qtcommon/QtText.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvane {

CSongDialog::CSongDialog(const SongProperties& values, QWidget* parent)
    : QDialog(parent)
    , m_values(values)
    , m_title(new QLineEdit(ToQString(values.title), this))
    , m_artist(new QLineEdit(ToQString(values.artist), this))
    , m_bpm(new QLineEdit(FloatToText(values.bpm), this))
    , m_gap(new QLineEdit(QString::number(values.gap), this))
    , m_ok(nullptr)
{
    setWindowTitle(LoadQString(IDS_SONG_SETTINGS));
    setMinimumWidth(340);
    auto* form = new QFormLayout;
    form->addRow(LoadQString(IDS_SONG_TITLE_LABEL), m_title);
    form->addRow(LoadQString(IDS_SONG_ARTIST_LABEL), m_artist);
    form->addRow(QStringLiteral("BPM:"), m_bpm);
    form->addRow(LoadQString(IDS_SONG_GAP_LABEL), m_gap);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    m_ok = AddOkCancelButtons(*this, *layout);
    connect(m_bpm, &QLineEdit::textChanged, this, &CSongDialog::UpdateOkButton);
    UpdateOkButton();
}

void CSongDialog::UpdateOkButton()
{
    const std::optional<float> bpm = TextToFloat(m_bpm->text());
    m_ok->setEnabled(bpm && *bpm > 0.0f);
}

void CSongDialog::accept()
{
    const std::optional<float> bpm = TextToFloat(m_bpm->text());
    const std::optional<int> gap = TextToInt(m_gap->text());
    QLineEdit* wrong = !bpm ? m_bpm : !gap ? m_gap : nullptr;
    if (wrong || *bpm <= 0.0f) {
        // The same message for either field; the field in question gets the focus.
        if (!wrong)
            wrong = m_bpm;
        QMessageBox box(QMessageBox::Warning, LoadQString(IDS_APP_TITLE), NumberRequiredMessage(),
                        QMessageBox::Ok, this);
        RunModal(box);
        wrong->setFocus();
        wrong->selectAll();
        return;
    }
    m_values.title = ToStdString(m_title->text());
    m_values.artist = ToStdString(m_artist->text());
    m_values.bpm = *bpm;
    m_values.gap = *gap;
    QDialog::accept();
}

} // namespace zelvane
