#include "playback/SongLoader.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QMediaDevices>

#include <algorithm>

namespace zelvane {
namespace {

// Two channels are all a song needs; more would only multiply the memory it takes.
constexpr int kMaxChannels = 2;

} // namespace

SongFormat ChooseOutputFormat(const QAudioDevice& device, int songRate, int songChannels)
{
    QAudioFormat format;
    format.setSampleFormat(QAudioFormat::Int16);
    format.setSampleRate(songRate);
    format.setChannelCount(std::clamp(songChannels, 1, kMaxChannels));
    if (!device.isNull() && !device.isFormatSupported(format)) {
        const QAudioFormat preferred = device.preferredFormat();
        format.setSampleRate(preferred.sampleRate());
        format.setChannelCount(std::clamp(preferred.channelCount(), 1, kMaxChannels));
    }
    return {format.sampleRate(), format.channelCount()};
}

CSongLoader::CSongLoader(QObject* parent)
    : QObject(parent)
{
}

CSongLoader::~CSongLoader()
{
    Cancel();
}

std::filesystem::path CSongLoader::path() const
{
    return m_job ? m_job->path() : std::filesystem::path();
}

SongDecodeJob::Decode CSongLoader::DecodeForDefaultOutput() const
{
    // The device is asked here, on the loader's thread; the job only reads the copy, whose
    // formats never change.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    return [device](const std::filesystem::path& path,
                    const AudioDecoder::ProgressHandler& progress, const std::stop_token&) {
        return DecodeSong(
            path,
            [&device](int rate, int channels) {
                return ChooseOutputFormat(device, rate, channels);
            },
            progress);
    };
}

void CSongLoader::Start(const std::filesystem::path& path)
{
    Cancel();
    const std::uint64_t serial = ++m_serial;
    // The job's thread only posts to this object; Cancel (and so the destructor) waits for
    // the thread, and reports still queued for a job that is over are dropped by serial.
    m_job = std::make_unique<SongDecodeJob>(
        path, m_decode ? m_decode : DecodeForDefaultOutput(),
        [this, serial](int percent) {
            Post({serial, percent, std::nullopt});
        },
        [this, serial](DecodedSong song) {
            Post({serial, 100, std::move(song)});
        });
}

void CSongLoader::Post(Report report)
{
    {
        const std::lock_guard lock(m_reportsMutex);
        m_reports.push_back(std::move(report));
    }
    QMetaObject::invokeMethod(this, "DeliverReports", Qt::QueuedConnection);
}

void CSongLoader::DeliverReports()
{
    std::deque<Report> reports;
    {
        const std::lock_guard lock(m_reportsMutex);
        reports.swap(m_reports);
    }
    for (Report& report : reports) {
        // A listener may start another song or cancel this one; what is left over then
        // belongs to a job that is over.
        if (report.serial != m_serial || !m_job)
            continue;
        if (!report.song) {
            emit progressed(report.percent);
            continue;
        }
        const std::filesystem::path done = m_job->path();
        // The thread has posted its last report; joining it is immediate.
        m_job.reset();
        emit finished(done, *report.song);
    }
}

void CSongLoader::Cancel()
{
    if (!m_job)
        return;
    m_job->Cancel();
    m_job.reset();
    ++m_serial;
}

} // namespace zelvane
