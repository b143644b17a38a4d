#include "playback/AudioPlayer.h"

#include "playback/AssistClap.h"
#include "playback/PcmSource.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>

#include <algorithm>

namespace zelvane {
namespace {

// Two channels are all a song needs; more would only multiply the memory it takes.
constexpr int kMaxChannels = 2;

} // namespace

CAudioPlayer::CAudioPlayer(QObject* parent)
    : QObject(parent)
{
}

CAudioPlayer::~CAudioPlayer()
{
    Stop();
}

std::int32_t CAudioPlayer::sampleRate() const
{
    return m_pcm ? m_pcm->sampleRate : 0;
}

QAudioFormat CAudioPlayer::ChooseFormat(int songRate, int songChannels)
{
    QAudioFormat format;
    format.setSampleFormat(QAudioFormat::Int16);
    format.setSampleRate(songRate);
    format.setChannelCount(std::clamp(songChannels, 1, kMaxChannels));
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    m_hasOutput = !device.isNull();
    if (!m_hasOutput || device.isFormatSupported(format))
        return format;
    const QAudioFormat preferred = device.preferredFormat();
    format.setSampleRate(preferred.sampleRate());
    format.setChannelCount(std::clamp(preferred.channelCount(), 1, kMaxChannels));
    return format;
}

bool CAudioPlayer::Open(const std::filesystem::path& path)
{
    Close();
    m_path = path;
    try {
        AudioDecoder decoder(path);
        m_format = ChooseFormat(decoder.sampleRate(), decoder.channels());
        auto pcm = std::make_shared<PcmAudio>(
            decoder.DecodePcm(m_format.sampleRate(), m_format.channelCount()));
        if (pcm->sampleRate <= 0 || pcm->frameCount() <= 0)
            throw FileFormatError(Reason(IDS_REASON_NO_SOUND));
        m_durationMs = static_cast<std::int32_t>(
            std::min<std::int64_t>(pcm->frameCount() * 1000 / pcm->sampleRate, INT32_MAX));
        m_pcm = std::move(pcm);
        return true;
    } catch (const std::exception& error) {
        m_errorText = error.what();
        m_pcm.reset();
        m_durationMs = 0;
        return false;
    }
}

void CAudioPlayer::Close()
{
    Stop();
    m_pcm.reset();
    m_durationMs = 0;
    m_errorText.clear();
    m_path.clear();
}

bool CAudioPlayer::IsRunning() const
{
    if (!m_pcm)
        return false;
    if (!m_hasOutput)
        return m_silentRunning;
    if (!m_sink)
        return false;
    // A sink that played the song to its end stays running until stopped, so the clock does
    // not start the song's tail again when it ran a little ahead.
    const QAudio::State state = m_sink->state();
    return state == QAudio::ActiveState || state == QAudio::IdleState;
}

void CAudioPlayer::PlayFrom(std::int32_t positionMs)
{
    if (!m_pcm || positionMs < 0 || positionMs >= m_durationMs)
        return;
    Stop();
    if (!m_hasOutput) {
        m_silentRunning = true;
        emit outputUnavailable();
        return;
    }
    const std::int64_t frame = static_cast<std::int64_t>(positionMs) * m_pcm->sampleRate / 1000;
    m_source = std::make_unique<CPcmSource>(m_pcm, frame);
    if (!m_clickFrames.empty())
        m_source->SetClicks(m_clickFrames, AssistClap::SynthesizeClick(m_pcm->sampleRate));
    m_source->open(QIODevice::ReadOnly);
    m_sink = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), m_format);
    connect(m_sink.get(), &QAudioSink::stateChanged, this, &CAudioPlayer::OnSinkStateChanged);
    m_sink->start(m_source.get());
    if (m_sink->error() == QAudio::OpenError || m_sink->error() == QAudio::FatalError)
        LoseOutput();
}

void CAudioPlayer::OnSinkStateChanged(QAudio::State state)
{
    if (!m_sink)
        return;
    // Running out of song is the end of the song; any other failure is the device's.
    if (state == QAudio::StoppedState && m_sink->error() != QAudio::NoError
        && m_sink->error() != QAudio::UnderrunError)
        LoseOutput();
}

void CAudioPlayer::LoseOutput()
{
    // The sink is deleted later: this may run inside one of its own signals.
    if (m_sink) {
        m_sink->disconnect(this);
        m_sink.release()->deleteLater();
    }
    if (m_source)
        m_source.release()->deleteLater();
    m_hasOutput = false;
    m_silentRunning = true;
    emit outputUnavailable();
}

void CAudioPlayer::Stop()
{
    m_silentRunning = false;
    if (m_sink) {
        m_sink->disconnect(this);
        m_sink->stop();
        m_sink.reset();
    }
    m_source.reset();
}

std::int64_t CAudioPlayer::PlayedMs() const
{
    if (!m_sink || m_sink->state() != QAudio::ActiveState)
        return -1;
    return m_sink->processedUSecs() / 1000;
}

} // namespace zelvane
