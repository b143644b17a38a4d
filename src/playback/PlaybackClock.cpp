#include "playback/PlaybackClock.h"

#include "base/PlaybackFollower.h"
#include "playback/AudioOutput.h"
#include "playback/PlaybackTimeSource.h"

#include <algorithm>
#include <cmath>

namespace zelvane {
namespace {

constexpr std::int32_t kFramesPerSecond = 30;
// The accumulator loses 30 per millisecond and gains 1000 per frame: 30 frames per second.
constexpr std::int32_t kAccumulatorPerFrame = 1000;
// Averaged drift within this many milliseconds is what is left of the device's timing
// steps; the clock leaves it alone.
constexpr std::int64_t kDriftDeadBandMs = 10;
constexpr std::int64_t kFrameMs = 1000 / kFramesPerSecond;
// How long after the song (re)starts its offset is still settling.
constexpr std::int64_t kSongStartMs = 2000;
// The share of a new drift measurement in the average: about 5 s of memory, longer than the
// few seconds between a device's timing steps.
constexpr double kDriftSmoothing = 1.0 / 500.0;
// A device's timing steps stay below this; beyond it the stream itself stalled.
constexpr std::int64_t kStallDriftMs = 160;

std::int32_t TruncateDouble(double value)
{
    if (!(value > -2147483648.0))
        return value != value ? 0 : INT32_MIN;
    if (value >= 2147483647.0)
        return INT32_MAX;
    return static_cast<std::int32_t>(std::trunc(value));
}

} // namespace

CPlaybackClock::CPlaybackClock(IPlaybackTimeSource& time, QObject* parent)
    : QObject(parent)
    , m_time(time)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kTickIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &CPlaybackClock::Tick);
}

CPlaybackClock::~CPlaybackClock()
{
    m_timer.stop();
}

void CPlaybackClock::AddFollower(IPlaybackFollower* follower)
{
    if (follower
        && std::find(m_followers.begin(), m_followers.end(), follower) == m_followers.end())
        m_followers.push_back(follower);
}

void CPlaybackClock::RemoveFollower(IPlaybackFollower* follower)
{
    std::erase(m_followers, follower);
}

std::int32_t CPlaybackClock::StartFrameFromTop(std::int32_t gap)
{
    return std::min(TruncateDouble(-static_cast<double>(gap) / 1000.0 * 30.0), 0);
}

std::int32_t CPlaybackClock::AudioEndFrame(std::int32_t durationMs, std::int32_t gap)
{
    return TruncateDouble((static_cast<double>(durationMs) - gap) / 1000.0 * 30.0);
}

std::int32_t CPlaybackClock::AudioStartPosition(std::int32_t frame, std::int32_t gap)
{
    return TruncateDouble(gap - std::trunc(frame / -30.0 * 1000.0));
}

bool CPlaybackClock::HasSong() const
{
    return m_audio && m_audio->HasSong();
}

void CPlaybackClock::Start(std::int32_t startFrame, std::int32_t chartEndFrame, std::int32_t gap)
{
    if (m_playing)
        return;
    m_gap = gap;
    m_frame = startFrame;
    m_endFrame = chartEndFrame;
    const std::int32_t audioEnd = AudioEndFrame(HasSong() ? m_audio->DurationMs() : 0, gap);
    if (m_endFrame <= audioEnd)
        m_endFrame = audioEnd;
    m_playing = true;
    m_countedMs = 0;
    m_countedAtAudioStart = -1;
    m_driftMs = 0;
    m_frameAccumulator = 0;

    const std::int32_t position = AudioStartPosition(startFrame, gap);
    if (HasSong() && position >= 0)
        PlayAudioAt(position);

    const std::vector<IPlaybackFollower*> followers = m_followers;
    for (IPlaybackFollower* follower : followers)
        follower->setPlaying(true);
    // A follower may have stopped playback while being told it started.
    if (!m_playing)
        return;
    emit playingChanged(true);
    m_lastTick = m_time.NowMs();
    m_timer.start();
}

void CPlaybackClock::Tick()
{
    // A follower that runs an event loop while being told a frame lets the timer fire again;
    // the outer tick still owns the counting.
    if (!m_playing || m_ticking)
        return;
    m_ticking = true;
    const std::int64_t now = m_time.NowMs();
    bool first = true;
    while (m_playing && m_lastTick < now) {
        m_frameAccumulator -= kFramesPerSecond;
        while (m_playing && m_frameAccumulator <= 0) {
            AdvanceFrame(first);
            m_frameAccumulator += kAccumulatorPerFrame;
            first = false;
        }
        ++m_lastTick;
        ++m_countedMs;
        // Past the end there is nothing left to count: a long stall (a suspended machine)
        // must not turn into millions of frames.
        if (m_frame > m_endFrame)
            m_lastTick = std::max(m_lastTick, now);
    }
    if (m_playing)
        FollowAudio(now);
    m_ticking = false;
    if (m_playing && m_frame > m_endFrame)
        Stop();
}

void CPlaybackClock::AdvanceFrame(bool notify)
{
    ++m_frame;
    StartAudioIfStopped();
    if (!notify)
        return;
    const std::vector<IPlaybackFollower*> followers = m_followers;
    for (IPlaybackFollower* follower : followers) {
        if (!m_playing)
            return;
        follower->followFrame(m_frame);
    }
}

void CPlaybackClock::StartAudioIfStopped()
{
    if (!m_playing || !HasSong() || m_audio->IsRunning())
        return;
    const std::int64_t position
        = static_cast<std::int64_t>(m_frame) * 1000 / kFramesPerSecond + m_gap;
    if (position >= 0 && position <= INT32_MAX)
        PlayAudioAt(static_cast<std::int32_t>(position));
}

void CPlaybackClock::PlayAudioAt(std::int32_t positionMs)
{
    m_audio->PlayFrom(positionMs);
    m_countedAtAudioStart = m_countedMs;
    m_lastPlayedMs = -1;
    m_playedChangedAt = m_time.NowMs();
    m_filteredDrift = 0.0;
}

void CPlaybackClock::FollowAudio(std::int64_t now)
{
    m_driftMs = 0;
    if (!HasSong() || m_countedAtAudioStart < 0 || !m_audio->IsRunning())
        return;
    const std::int64_t played = m_audio->PlayedMs();
    if (played < 0)
        return;
    if (played != m_lastPlayedMs) {
        m_lastPlayedMs = played;
        m_playedChangedAt = now;
    }
    const std::int64_t measured = played - (m_countedMs - m_countedAtAudioStart);
    // What the device reports moves in a saw tooth as its timing is updated: a hundred
    // milliseconds ahead at once, then a little slow until the next update a few seconds
    // later. The drift is what remains once those teeth are averaged out.
    m_filteredDrift += (static_cast<double>(measured) - m_filteredDrift) * kDriftSmoothing;
    m_driftMs = std::llround(m_filteredDrift);
    // A device that plays nothing for long is not waited for: the frames go on alone.
    if (std::abs(measured) > kMaxFollowedDriftMs || now - m_playedChangedAt > kMaxStallMs)
        return;
    // While the song starts, and whenever its stream stalls, the offset is real and large:
    // the frames wait for the song or hurry after it, by at most a tick per tick. Past that
    // only the slow drift of two clocks is left (hardware clocks part by well under 0.1%),
    // and a millisecond every fiftieth tick (0.2%) follows it without chasing the device's
    // timing steps.
    const bool starting = m_countedMs - m_countedAtAudioStart < kSongStartMs;
    const std::int64_t size = std::abs(measured);
    std::int64_t step = 0;
    double direction = m_filteredDrift;
    if (size > kStallDriftMs || (starting && size > kFrameMs)) {
        step = std::min<std::int64_t>(size / 2, kTickIntervalMs);
        direction = static_cast<double>(measured);
        if (size > kStallDriftMs)
            m_filteredDrift = direction;
    } else if (!starting && std::abs(m_driftMs) > kDriftDeadBandMs && ++m_slowTicks % 50 == 0) {
        step = 1;
    }
    // The song ahead: count more at the next tick; behind: count less.
    m_lastTick += (direction > 0 ? -step : step);
}

void CPlaybackClock::Stop()
{
    if (!m_playing)
        return;
    m_playing = false;
    const std::vector<IPlaybackFollower*> followers = m_followers;
    for (IPlaybackFollower* follower : followers)
        follower->setPlaying(false);
    m_timer.stop();
    if (m_audio)
        m_audio->Stop();
    emit playingChanged(false);
}

} // namespace zelvane
