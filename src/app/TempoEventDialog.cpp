#include "app/TempoEventDialog.h"

#include "app/DialogButtons.h"
#include "app/NumberText.h"
#include "base/ChartLimits.h"
#include "base/TempoMap.h"
#include "qtcommon/QtText.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace zelvane {
namespace {

constexpr double kMaxPauseSeconds = kMaxPauseMilliseconds / 1000.0;

std::optional<double> TextToDouble(const QString& text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString SecondsText(double milliseconds)
{
    return QLocale::c().toString(milliseconds / 1000.0, 'g', 12);
}

QString InitialText(const CTempoEvent& event)
{
    if (const auto* tempo = std::get_if<CTempoChange>(&event))
        return FloatToText(tempo->bpm);
    if (const auto* delay = std::get_if<CDelay>(&event))
        return SecondsText(delay->milliseconds);
    if (const auto* stop = std::get_if<CStop>(&event))
        return SecondsText(stop->milliseconds);
    return QString::number(std::get<CWarp>(event).length);
}

QString FieldLabel(const CTempoEvent& event)
{
    if (std::holds_alternative<CTempoChange>(event))
        return QStringLiteral("BPM:");
    if (std::holds_alternative<CWarp>(event))
        return LoadQString(IDS_TEMPO_EVENT_CLOCKS_LABEL);
    return LoadQString(IDS_TEMPO_EVENT_SECONDS_LABEL);
}

} // namespace

CTempoEventDialog::CTempoEventDialog(const CTempoEvent& event, const QString& title,
                                     QWidget* parent)
    : QDialog(parent)
    , m_event(event)
    , m_value(new QLineEdit(InitialText(event), this))
    , m_error(new QLabel(this))
{
    setWindowTitle(title);
    setMinimumWidth(300);
    const std::int32_t clock = EventClock(event);
    auto* form = new QFormLayout;
    form->addRow(new QLabel(
        FormatQString(IDS_TEMPO_EVENT_POSITION,
                      {std::to_string(clock), std::to_string(clock / kClocksPerMeasure + 1)}),
        this));
    form->addRow(FieldLabel(event), m_value);
    m_error->setObjectName(QStringLiteral("tempoEventError"));
    m_error->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_error);
    m_ok = AddOkCancelButtons(*this, *layout);
    connect(m_value, &QLineEdit::textChanged, this, &CTempoEventDialog::UpdateState);
    UpdateState();
}

std::optional<CTempoEvent> CTempoEventDialog::Read() const
{
    const QString text = m_value->text();
    CTempoEvent read = m_event;
    if (auto* tempo = std::get_if<CTempoChange>(&read)) {
        const std::optional<float> bpm = TextToFloat(text);
        if (!bpm || !(*bpm > 0.0f) || *bpm > kMaxTempoBpm)
            return std::nullopt;
        tempo->bpm = *bpm;
    } else if (auto* warp = std::get_if<CWarp>(&read)) {
        const std::optional<int> clocks = TextToInt(text);
        if (!clocks || *clocks < 1 || *clocks > kMaxChartClock)
            return std::nullopt;
        warp->length = *clocks;
    } else {
        const std::optional<double> seconds = TextToDouble(text);
        if (!seconds || !(*seconds > 0.0) || *seconds > kMaxPauseSeconds)
            return std::nullopt;
        std::visit(
            [&](auto& e) {
                if constexpr (requires { e.milliseconds; })
                    e.milliseconds = *seconds * 1000.0;
            },
            read);
    }
    return read;
}

void CTempoEventDialog::UpdateState()
{
    const bool valid = Read().has_value();
    m_ok->setEnabled(valid);
    if (valid) {
        m_error->clear();
    } else if (m_value->text().trimmed().isEmpty()) {
        m_error->setText(NumberRequiredMessage());
    } else if (std::holds_alternative<CTempoChange>(m_event)) {
        m_error->setText(
            FormatQString(IDS_SONG_BPM_RANGE, {ToStdString(FloatToText(kMaxTempoBpm))}));
    } else if (std::holds_alternative<CWarp>(m_event)) {
        m_error->setText(
            FormatQString(IDS_TEMPO_EVENT_CLOCKS_RANGE, {std::to_string(kMaxChartClock)}));
    } else {
        m_error->setText(
            FormatQString(IDS_TEMPO_EVENT_SECONDS_RANGE,
                          {QLocale::c().toString(kMaxPauseSeconds, 'g', 12).toStdString()}));
    }
}

void CTempoEventDialog::accept()
{
    const std::optional<CTempoEvent> read = Read();
    if (!read)
        return; // OK is disabled then; Enter in the field lands here
    m_event = *read;
    QDialog::accept();
}

} // namespace zelvane
