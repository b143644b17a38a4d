#include "playback/AudioPlayer.h"

#include "playback/AssistClap.h"
#include "playback/PcmSource.h"
#include "playback/SongLoader.h"
#include "text/StringTable.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>

#include <algorithm>

namespace zelvane {
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

bool CAudioPlayer::Open(const std::filesystem::path& path)
{
    Close();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    const DecodedSong song = DecodeSong(path, [&device](int rate, int channels) {
        return ChooseOutputFormat(device, rate, channels);
    });
    if (!song.decoded) {
        m_path = path;
        m_errorText = EnglishText(song.failure);
        return false;
    }
    SetSong(path, song.pcm);
    return true;
}

void CAudioPlayer::SetSong(const std::filesystem::path& path, std::shared_ptr<const PcmAudio> pcm)
{
    Close();
    m_path = path;
    if (!pcm || pcm->sampleRate <= 0 || pcm->frameCount() <= 0) {
        m_errorText = EnglishText(Reason(IDS_REASON_NO_SOUND));
        return;
    }
    m_format.setSampleFormat(QAudioFormat::Int16);
    m_format.setSampleRate(pcm->sampleRate);
    m_format.setChannelCount(pcm->channels);
    m_hasOutput = !QMediaDevices::defaultAudioOutput().isNull();
    m_durationMs = static_cast<std::int32_t>(
        std::min<std::int64_t>(pcm->frameCount() * 1000 / pcm->sampleRate, INT32_MAX));
    m_pcm = std::move(pcm);
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
