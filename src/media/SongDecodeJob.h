#pragma once

#include "media/SongDecoding.h"

#include <filesystem>
#include <functional>
#include <stop_token>
#include <thread>

namespace zelvane {

// Decodes one song on a thread of its own, so the window that asked goes on working. The
// job is told when to stop rather than left to finish: its decode asks before every packet
// whether to go on, and the owner waits for the thread only for as long as one packet takes.
class SongDecodeJob {
public:
    // Decodes the song at the path, calling the handler before every packet; a handler that
    // returns false asks the decode to end with DecodeCancelled. A decode that waits on
    // something else wakes when `stop` is requested.
    using Decode = std::function<DecodedSong(const std::filesystem::path& path,
                                             const AudioDecoder::ProgressHandler& progress,
                                             std::stop_token stop)>;
    // Both are called on the job's thread: progress when the per cent read changes,
    // finished once at the end unless the job was cancelled.
    using ProgressCallback = std::function<void(int percent)>;
    using FinishedCallback = std::function<void(DecodedSong song)>;

    SongDecodeJob(std::filesystem::path path, Decode decode, ProgressCallback progress,
                  FinishedCallback finished);
    // Cancels and waits for the thread: nothing the job was given is used after this.
    ~SongDecodeJob();
    SongDecodeJob(const SongDecodeJob&) = delete;
    SongDecodeJob& operator=(const SongDecodeJob&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // Asks the decode to stop and waits until the thread has ended; `finished` is then
    // never called. Call it from the owner's thread only.
    void Cancel();

private:
    void Run(const std::stop_token& stop);

    const std::filesystem::path m_path;
    const Decode m_decode;
    const ProgressCallback m_progress;
    const FinishedCallback m_finished;
    int m_lastPercent = -1; // the job's thread only
    std::jthread m_thread;  // last: it starts once everything above is in place
};

} // namespace zelvane
