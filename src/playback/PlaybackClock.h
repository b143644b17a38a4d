#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <vector>

namespace zelvane {

class IAudioOutput;
class IPlaybackFollower;
class IPlaybackTimeSource;

// Counts video frames at exactly 30 per second of its time source while the song plays,
// starts the song at the matching position (or restarts it when it stopped), and tells the
// followers where it is. It lives on the user-interface thread; a 10 ms timer calls Tick.
//
// The song's position in milliseconds is gap + frame x 1000 / 30, so a positive gap lets the
// song start before the chart (negative frames) and a negative one makes the clock reach the
// song's start only after some frames.
class CPlaybackClock : public QObject {
    Q_OBJECT
public:
    static constexpr int kTickIntervalMs = 10;
    // Beyond this the song and the clock disagree for a reason other than drift or a slow
    // start (a device that reports nothing sensible): the clock no longer follows the song.
    static constexpr std::int64_t kMaxFollowedDriftMs = 3000;
    // A stream may stall this long while it starts; the clock waits for it that long at most.
    static constexpr std::int64_t kMaxStallMs = 2500;

    explicit CPlaybackClock(IPlaybackTimeSource& time, QObject* parent = nullptr);
    ~CPlaybackClock() override;

    // The song to drive; null (or one without a song) lets the clock run alone.
    void SetAudio(IAudioOutput* audio) { m_audio = audio; }
    // Followers are told in the order they were added.
    void AddFollower(IPlaybackFollower* follower);
    void RemoveFollower(IPlaybackFollower* follower);

    // Where playing from the top starts: the frame where the song's position is 0 when the
    // song starts before the chart, else frame 0.
    static std::int32_t StartFrameFromTop(std::int32_t gap);
    // The last frame the song covers.
    static std::int32_t AudioEndFrame(std::int32_t durationMs, std::int32_t gap);
    // The song's position at the start frame.
    static std::int32_t AudioStartPosition(std::int32_t frame, std::int32_t gap);

    // Starts at `startFrame` and plays past whichever ends later, the chart (`chartEndFrame`)
    // or the song. Does nothing while playing.
    void Start(std::int32_t startFrame, std::int32_t chartEndFrame, std::int32_t gap);
    // Counts the milliseconds since the last tick into frames; stops once past the end.
    void Tick();
    // Stops the clock and the song and tells the followers. Safe from within a tick (a
    // follower may stop playback while being told a frame) and when already stopped.
    void Stop();

    bool playing() const { return m_playing; }
    std::int32_t frame() const { return m_frame; }
    std::int32_t endFrame() const { return m_endFrame; }
    // How far the song the device played was ahead of the clock at the last tick, in
    // milliseconds (negative: behind), averaged over a few ticks; 0 while the device reports
    // nothing.
    std::int64_t driftMs() const { return m_driftMs; }

signals:
    void playingChanged(bool playing);

private:
    void AdvanceFrame(bool notify);
    // Starts the song at the current frame's position if it is not running and the position
    // lies in the song.
    void StartAudioIfStopped();
    void PlayAudioAt(std::int32_t positionMs);
    // Lets the clock follow the song the device actually played: a little more or less
    // counted per tick, never a jump.
    void FollowAudio(std::int64_t now);
    bool HasSong() const;

    IPlaybackTimeSource& m_time;
    IAudioOutput* m_audio = nullptr;
    std::vector<IPlaybackFollower*> m_followers;
    QTimer m_timer;

    bool m_playing = false;
    bool m_ticking = false;
    std::int32_t m_gap = 0;
    std::int32_t m_frame = 0;
    std::int32_t m_endFrame = 0;
    std::int64_t m_lastTick = 0;
    std::int32_t m_frameAccumulator = 0;
    // Milliseconds counted since the start, and at the moment the song was last started.
    std::int64_t m_countedMs = 0;
    std::int64_t m_countedAtAudioStart = -1;
    std::int64_t m_driftMs = 0;
    double m_filteredDrift = 0.0;
    std::int64_t m_slowTicks = 0;
    // What the device last reported as played, and when that changed.
    std::int64_t m_lastPlayedMs = -1;
    std::int64_t m_playedChangedAt = 0;
};

} // namespace zelvane
