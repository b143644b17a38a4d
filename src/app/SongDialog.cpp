#include "app/SongDialog.h"

#include "app/DialogButtons.h"
#include "app/NumberText.h"
#include "app/Prompter.h"
#include "base/ChartLimits.h"
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

namespace {

// The chart limits decide, as they do for the song-property edit the dialog leads to; the
// dialog only asks first.
bool IsTempoWithinLimits(const std::optional<float>& bpm)
{
    return bpm && *bpm > 0.0f && ChartTempoBreach(*bpm).empty();
}

bool IsGapWithinLimits(int gap)
{
    return ChartGapBreach(gap).empty();
}

} // namespace

void CSongDialog::UpdateOkButton()
{
    m_ok->setEnabled(IsTempoWithinLimits(TextToFloat(m_bpm->text())));
}

void CSongDialog::accept()
{
    const std::optional<float> bpm = TextToFloat(m_bpm->text());
    const std::optional<int> gap = TextToInt(m_gap->text());
    // The field in question gets the focus, after a message that says what it takes.
    QLineEdit* wrong = nullptr;
    QString message;
    if (!bpm || !gap) {
        wrong = !bpm ? m_bpm : m_gap;
        message = NumberRequiredMessage();
    } else if (!IsTempoWithinLimits(bpm)) {
        wrong = m_bpm;
        message = FormatQString(IDS_SONG_BPM_RANGE, {ToStdString(FloatToText(kMaxChartBpm))});
    } else if (!IsGapWithinLimits(*gap)) {
        wrong = m_gap;
        const std::string limit = std::to_string(kMaxChartGap);
        message = FormatQString(IDS_SONG_GAP_RANGE, {limit, limit});
    }
    if (wrong) {
        QMessageBox box(QMessageBox::Warning, LoadQString(IDS_APP_TITLE), message, QMessageBox::Ok,
                        this);
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
