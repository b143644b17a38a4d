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

namespace zelvane {

void CMainFrame::CreatePlayback()
{
    m_clock.SetAudio(&m_player);
    connect(&m_clock, &CPlaybackClock::playingChanged, this, &CMainFrame::OnPlayingChanged);
    connect(&m_player, &CAudioPlayer::outputUnavailable, this, &CMainFrame::OnNoAudioOutput);
    m_host.SetStopPlayback([this] { m_clock.Stop(); });
    // The score view scrolls with the song, and is locked while it plays.
    m_clock.AddFollower(m_scorePane->scoreView());
    m_clock.AddFollower(m_modelView);
}

void CMainFrame::OnPlay(bool fromStart)
{
    const CScore* score = m_document.currentScore();
    if (m_document.playing() || !score || score->length() <= 0)
        return;
    SyncAudioPlayer();
    std::vector<std::int64_t> clicks;
    if (m_actions.value(ID_PLAY_ASSIST_CLAP)->isChecked()) {
        std::vector<std::int32_t> clocks;
        clocks.reserve(score->notes().size());
        for (const auto& note : score->notes())
            clocks.push_back(note->clock);
        clicks = AssistClap::ClickFrames(clocks, m_document.tempoMap(), m_document.gap(),
                                         m_player.sampleRate());
    }
    m_player.SetClickFrames(std::move(clicks));
    const std::int32_t frame = fromStart
        ? CPlaybackClock::StartFrameFromTop(m_document.gap())
        : m_document.ClockToFrame(m_scorePane->scoreView()->cursorTime());
    m_clock.Start(frame, m_document.ClockToFrame(score->length()), m_document.gap());
}

void CMainFrame::OnPlayingChanged(bool playing)
{
    // The followers (the score view among them) lock and unlock themselves.
    m_document.SetPlaying(playing);
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
    // A song the document could not measure is no song; its path stays for the user.
    const std::filesystem::path path = m_document.audioLength() > 0
        ? std::filesystem::path(m_document.audioPath())
        : std::filesystem::path();
    if (path == m_player.path())
        return;
    m_clock.Stop();
    if (path.empty()) {
        m_player.Close();
        return;
    }
    WaitGuard wait(m_host);
    m_player.Open(path);
}

} // namespace zelvane
