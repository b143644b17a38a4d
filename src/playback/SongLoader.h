#pragma once

#include "media/SongDecodeJob.h"

#include <QObject>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>

class QAudioDevice;

namespace zelvane {

// The format a song is decoded in for `device`: the song's own rate and channels when the
// device takes them, else the device's preferred ones; one or two channels, 16-bit. A
// device without output (no sound server) takes the song as it is.
SongFormat ChooseOutputFormat(const QAudioDevice& device, int songRate, int songChannels);

// Loads the document's song in the background, one song at a time: a new song or Cancel
// stops the one before it. The results arrive on the thread that owns the loader, through
// its event loop, so whoever listens may touch the window and the document.
class CSongLoader : public QObject {
    Q_OBJECT
public:
    explicit CSongLoader(QObject* parent = nullptr);
    // Cancels the job first, so its thread never reaches a loader that is gone.
    ~CSongLoader() override;

    // How songs are decoded from the next Start on; empty: with FFmpeg, in the format of the
    // default audio output as it is when each song starts.
    void SetDecode(SongDecodeJob::Decode decode) { m_decode = std::move(decode); }

    void Start(const std::filesystem::path& path);
    void Cancel();
    bool loading() const { return m_job != nullptr; }
    // The song being loaded; empty when none is.
    std::filesystem::path path() const;

signals:
    void progressed(int percent);
    // The song has been decoded or has failed; `song.failure` says why.
    void finished(const std::filesystem::path& path, const zelvane::DecodedSong& song);

private:
    // What the job's thread has to say: a percentage, or the song when it is done.
    struct Report {
        std::uint64_t serial;
        int percent;
        std::optional<DecodedSong> song;
    };

    SongDecodeJob::Decode DecodeForDefaultOutput() const;
    // On the job's thread: leaves a report and asks this object's thread to deliver it.
    void Post(Report report);
    // On this object's thread: hands the reports on, in the order they were left.
    Q_INVOKABLE void DeliverReports();

    SongDecodeJob::Decode m_decode;
    std::unique_ptr<SongDecodeJob> m_job;
    // Tells the results of a job from those of the jobs before it, still in the event queue.
    std::uint64_t m_serial = 0;
    // The reports pass through this queue under its own lock rather than inside the queued
    // call: the lock is one every thread checker sees, where the event queue's lock lives in
    // a library it cannot look into.
    std::mutex m_reportsMutex;
    std::deque<Report> m_reports;
};

} // namespace zelvane
