// Playing the song: the play and stop commands, the views that follow, and the song decoded
// ahead so that starting is immediate.
#include "app/MainFrame.h"

#include "chart/DocumentHost.h"
#include "playback/AssistClap.h"
#include "qtcommon/CommandIds.h"
#include "qtcommon/QtText.h"
#include "render_gl/ModelView.h"
#include "score/ScorePane.h"
#include "score/ScoreView.h"

#include <QAction>
#include <QStatusBar>

namespace zelvane {

void CMainFrame::CreatePlayback()
{
    m_clock.SetAudio(&m_player);
    connect(&m_clock, &CPlaybackClock::playingChanged, this, &CMainFrame::OnPlayingChanged);
    connect(&m_player, &CAudioPlayer::outputUnavailable, this, &CMainFrame::OnNoAudioOutput);
    connect(&m_songLoader, &CSongLoader::progressed, this, &CMainFrame::OnSongProgress);
    connect(&m_songLoader, &CSongLoader::finished, this, &CMainFrame::OnSongLoaded);
    m_host.SetStopPlayback([this] { m_clock.Stop(); });
    // A new or read document is shown from its top, zoomed out.
    m_host.SetDocumentCleared([this] { m_viewState.StartOver(); });
    // The score view scrolls with the song, and is locked while it plays.
    m_clock.AddFollower(m_scorePane->scoreView());
    m_clock.AddFollower(m_modelView);
    m_scorePane->scoreView()->SetWaveformShown(m_actions.value(ID_VIEW_WAVEFORM)->isChecked());
}

void CMainFrame::OnPlay(bool fromStart)
{
    const CScore* score = m_document.scores().current();
    if (m_viewState.playing() || !score || score->length() <= 0)
        return;
    SyncAudioPlayer();
    std::vector<std::int64_t> clicks;
    if (m_actions.value(ID_PLAY_ASSIST_CLAP)->isChecked()) {
        std::vector<std::int32_t> clocks;
        clocks.reserve(score->notes().size());
        for (const auto& note : score->notes())
            clocks.push_back(note->clock);
        clicks = AssistClap::ClickFrames(clocks, m_document.tempoMap(),
                                         m_document.description().gap, m_player.sampleRate());
    }
    m_player.SetClickFrames(std::move(clicks));
    const std::int32_t frame = fromStart
        ? CPlaybackClock::StartFrameFromTop(m_document.description().gap)
        : m_document.tempoMap().ClockToFrame(m_scorePane->scoreView()->cursorTime());
    m_clock.Start(frame, m_document.tempoMap().ClockToFrame(score->length()),
                  m_document.description().gap);
}

void CMainFrame::OnPlayingChanged(bool playing)
{
    // The followers (the score view among them) lock and unlock themselves; the commands
    // (undo and redo among them) rest while the song plays.
    m_viewState.SetPlaying(playing);
    UpdateCommandStates();
}

void CMainFrame::OnNoAudioOutput()
{
    // Once per run: the clock goes on silently, and saying so at every start would only
    // hide the prompts.
    if (m_toldNoAudioOutput)
        return;
    m_toldNoAudioOutput = true;
    ShowStatus(LoadQString(IDS_NO_AUDIO_OUTPUT));
}

void CMainFrame::SyncAudioPlayer()
{
    const std::filesystem::path path(m_document.audio().path);
    if (m_songLoader.loading() && m_songLoader.path() == path)
        return;
    if (m_player.HasSong() && m_player.path() == path)
        return;
    m_songLoader.Cancel();
    m_scorePane->scoreView()->SetSongEnvelope(nullptr);
    if (m_player.HasSong()) {
        m_clock.Stop();
        m_player.Close();
    }
}

void CMainFrame::StartSongLoad(const std::filesystem::path& path)
{
    m_clock.Stop();
    m_player.Close();
    m_scorePane->scoreView()->SetSongEnvelope(nullptr);
    m_songLoader.Start(path);
    // The commands follow with the document's hint at the end of whatever attached the song.
    OnSongProgress(0);
}

void CMainFrame::OnSongProgress(int percent)
{
    ShowPassing(m_songStatus, ToQString(FormatString(IDS_SONG_LOADING, {std::to_string(percent)})));
}

void CMainFrame::OnSongLoaded(const std::filesystem::path& path, const DecodedSong& song)
{
    // What the song length changes (the scores, their dances, the views) follows from the
    // document; the player takes the very samples that were measured.
    if (song.decoded) {
        m_player.SetSong(path, song.pcm);
        m_scorePane->scoreView()->SetSongEnvelope(song.envelope);
        EndPassing(m_songStatus);
        m_document.SongMeasured(path.string(), song.durationMs);
    } else {
        // The document keeps the song's path, so that the file can be mended and opened again.
        ShowStatus(LoadQString(IDS_SONG_CANNOT_LOAD), ToQString(JapaneseText(song.failure)));
    }
    UpdateCommandStates();
}

} // namespace zelvane
