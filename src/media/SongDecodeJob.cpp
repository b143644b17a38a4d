#include "media/SongDecodeJob.h"

#include "text/StringTable.h"

#include <memory>
#include <utility>

namespace zelvane {

SongDecodeJob::SongDecodeJob(std::filesystem::path path, Decode decode, ProgressCallback progress,
                             FinishedCallback finished)
    : m_path(std::move(path))
    , m_decode(std::move(decode))
    , m_progress(std::move(progress))
    , m_finished(std::move(finished))
    , m_thread([this](const std::stop_token& stop) { Run(stop); })
{
}

SongDecodeJob::~SongDecodeJob()
{
    Cancel();
}

void SongDecodeJob::Cancel()
{
    m_thread.request_stop();
    if (m_thread.joinable())
        m_thread.join();
}

void SongDecodeJob::Run(const std::stop_token& stop)
{
    const AudioDecoder::ProgressHandler progress = [this, &stop](int percent) {
        if (stop.stop_requested())
            return false;
        if (percent != m_lastPercent) {
            m_lastPercent = percent;
            if (m_progress)
                m_progress(percent);
        }
        return true;
    };
    DecodedSong song;
    try {
        song = m_decode(m_path, progress, stop);
        // The envelope is made here, on the job's thread, so the window never reads the
        // samples for it.
        if (song.decoded && song.pcm && !song.envelope && !stop.stop_requested())
            song.envelope = std::make_shared<const AmplitudePyramid>(*song.pcm);
    } catch (const DecodeCancelled&) {
        return;
    } catch (...) {
        // A decode that fails outright is a song that cannot be used; the thread must not
        // end the program.
        song = DecodedSong();
        song.failure = Reason(IDS_REASON_AUDIO_UNDECODABLE, {m_path});
    }
    if (stop.stop_requested())
        return;
    if (m_finished)
        m_finished(std::move(song));
}

} // namespace zelvane
