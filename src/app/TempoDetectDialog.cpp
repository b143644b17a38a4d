#include "app/TempoDetectDialog.h"

#include "app/ErrorMessages.h"
#include "beat/SongTempo.h"
#include "qtcommon/QtText.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace zelvane {

namespace {

constexpr int kBarSteps = 1000;

} // namespace

CTempoDetectDialog::CTempoDetectDialog(const std::filesystem::path& song, QWidget* parent)
    : QDialog(parent)
    , m_progress(new QProgressBar(this))
    , m_message(new QLabel(this))
    , m_bpm(new QLabel(this))
    , m_firstBeat(new QLabel(this))
    , m_confidence(new QLabel(this))
    , m_apply(new QPushButton(LoadQString(IDS_BUTTON_APPLY), this))
    , m_abort(new QPushButton(LoadQString(IDS_BUTTON_ABORT), this))
{
    setWindowTitle(LoadQString(IDS_DETECT_TEMPO));
    m_message->setText(
        ToQString(FormatString(IDS_DETECT_TEMPO_LISTENING, {song.filename().string()})));
    m_message->setWordWrap(true);
    m_progress->setRange(0, kBarSteps);
    m_progress->setMinimumWidth(360);
    auto* results = new QFormLayout;
    results->addRow(LoadQString(IDS_DETECT_TEMPO_BPM), m_bpm);
    results->addRow(LoadQString(IDS_DETECT_TEMPO_FIRST_BEAT), m_firstBeat);
    results->addRow(LoadQString(IDS_DETECT_TEMPO_CONFIDENCE), m_confidence);
    m_apply->setEnabled(false);
    m_apply->setDefault(true);
    connect(m_apply, &QPushButton::clicked, this, &QDialog::accept);
    // Closing the window, like 中止, stops the analysis; the worker ends at its next report.
    connect(m_abort, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_apply);
    buttons->addWidget(m_abort);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addWidget(m_progress);
    layout->addLayout(results);
    layout->addLayout(buttons);

    // The worker reports often; the bar shows the newest figure, with at most one update
    // waiting in the event queue. Queued calls to this dialog are dropped once it is gone.
    m_worker = std::thread([this, song] {
        std::optional<TempoEstimate> estimate;
        std::exception_ptr failure;
        try {
            estimate = DetectSongTempo(song, [this](double fraction) {
                m_permille = static_cast<int>(std::lround(fraction * kBarSteps));
                if (!m_updateQueued.exchange(true))
                    QMetaObject::invokeMethod(this, &CTempoDetectDialog::ShowProgress,
                                              Qt::QueuedConnection);
                return !m_stop.load();
            });
        } catch (const AnalysisCancelled&) {
            return;
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(
            this, [this, estimate, failure] { Finish(estimate, failure); }, Qt::QueuedConnection);
    });
    connect(this, &QDialog::rejected, this, [this] { m_stop = true; });
}

CTempoDetectDialog::~CTempoDetectDialog()
{
    m_stop = true;
    if (m_worker.joinable())
        m_worker.join();
}

void CTempoDetectDialog::ShowProgress()
{
    m_updateQueued = false;
    m_progress->setValue(m_permille);
}

void CTempoDetectDialog::Finish(std::optional<TempoEstimate> estimate,
                                const std::exception_ptr& failure)
{
    m_finished = true;
    m_estimate = estimate;
    m_progress->setValue(kBarSteps);
    m_abort->setText(LoadQString(IDS_BUTTON_CLOSE));
    if (failure) {
        const ErrorText error = DescribeError(failure);
        m_message->setText(LoadQString(IDS_DETECT_TEMPO_FAILED)
                           + (error.detail.isEmpty() ? QString() : u'\n' + error.detail));
    } else if (!estimate) {
        m_message->setText(LoadQString(IDS_DETECT_TEMPO_NO_BEAT));
    } else {
        m_message->setText(LoadQString(IDS_DETECT_TEMPO_FOUND));
        m_bpm->setText(QString::number(estimate->bpm, 'f', 3));
        m_firstBeat->setText(ToQString(
            FormatString(IDS_DETECT_TEMPO_MILLISECONDS,
                         {QString::number(std::lround(estimate->firstBeatMs)).toStdString()})));
        m_confidence->setText(QString::number(estimate->confidence, 'f', 2));
        m_apply->setEnabled(true);
        m_apply->setFocus();
    }
    emit analysisFinished();
}

} // namespace zelvane
