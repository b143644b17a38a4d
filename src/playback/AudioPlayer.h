#pragma once

#include "media/AudioDecoder.h"
#include "playback/AudioOutput.h"

#include <QAudio>
#include <QAudioFormat>
#include <QObject>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QAudioSink;

namespace zelvane {

class CPcmSource;

// The song of the document, decoded ahead with FFmpeg and played through the default audio
// output of Qt Multimedia. Without an output device (no sound server) the song still has its
// duration and the player counts as running, silently, so playback goes on by its clock.
class CAudioPlayer : public QObject, public IAudioOutput {
    Q_OBJECT
public:
    explicit CAudioPlayer(QObject* parent = nullptr);
    ~CAudioPlayer() override;

    // Decodes the whole song for the output, here and now. On failure the player holds no
    // song and errorText() has the decoder's words.
    bool Open(const std::filesystem::path& path);
    // Takes a song decoded elsewhere (in the format ChooseOutputFormat picked for the default
    // output), sharing its samples.
    void SetSong(const std::filesystem::path& path, std::shared_ptr<const PcmAudio> pcm);
    void Close();
    const std::filesystem::path& path() const { return m_path; }
    const std::string& errorText() const { return m_errorText; }
    // The samples it plays, shared with whoever decoded them; null without a song.
    const std::shared_ptr<const PcmAudio>& pcm() const { return m_pcm; }
    // Whether sound can be heard: a device was there when the song was opened and has not
    // failed since.
    bool hasOutput() const { return m_hasOutput; }
    const QAudioFormat& format() const { return m_format; }
    std::int32_t sampleRate() const;

    // The song frames (at sampleRate()) where the assist clap clicks from the next start on;
    // empty: no clap.
    void SetClickFrames(std::vector<std::int64_t> frames) { m_clickFrames = std::move(frames); }
    const std::vector<std::int64_t>& clickFrames() const { return m_clickFrames; }

    bool HasSong() const override { return m_pcm != nullptr; }
    std::int32_t DurationMs() const override { return m_durationMs; }
    bool IsRunning() const override;
    void PlayFrom(std::int32_t positionMs) override;
    void Stop() override;
    std::int64_t PlayedMs() const override;

signals:
    // The output could not play (no device, the device vanished): the song goes on silently.
    void outputUnavailable();

private:
    void OnSinkStateChanged(QAudio::State state);
    void LoseOutput();

    std::filesystem::path m_path;
    std::string m_errorText;
    std::shared_ptr<const PcmAudio> m_pcm;
    std::int32_t m_durationMs = 0;
    QAudioFormat m_format;
    bool m_hasOutput = false;
    std::unique_ptr<QAudioSink> m_sink;
    std::unique_ptr<CPcmSource> m_source;
    // Silent playback: running from PlayFrom until Stop or the song's end is never known
    // without a device, so it counts as running until stopped.
    bool m_silentRunning = false;
    std::vector<std::int64_t> m_clickFrames;
};

} // namespace zelvane
