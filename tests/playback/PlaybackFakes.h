#pragma once

#include "base/PlaybackFollower.h"
#include "playback/AudioOutput.h"
#include "playback/PlaybackClock.h"
#include "playback/PlaybackTimeSource.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace zelvane::test {

// Time that passes only when the test says so.
class ManualTime : public IPlaybackTimeSource {
public:
    std::int64_t NowMs() override { return now; }
    std::int64_t now = 1000;
};

// A song that records what the clock asked of it, and at which frame.
class RecordingAudio : public IAudioOutput {
public:
    struct Play {
        std::int32_t positionMs;
        std::int32_t frame;
    };

    RecordingAudio(const CPlaybackClock* clock, std::int32_t durationMs)
        : clock(clock)
        , durationMs(durationMs)
    {
    }

    bool HasSong() const override { return durationMs > 0; }
    std::int32_t DurationMs() const override { return durationMs; }
    bool IsRunning() const override { return running; }
    void PlayFrom(std::int32_t positionMs) override
    {
        if (positionMs < durationMs) {
            plays.push_back({positionMs, clock->frame()});
            running = true;
        }
    }
    void Stop() override
    {
        ++stops;
        running = false;
    }
    std::int64_t PlayedMs() const override { return running && playedMs ? playedMs() : -1; }

    const CPlaybackClock* clock;
    std::int32_t durationMs;
    bool running = false;
    int stops = 0;
    std::vector<Play> plays;
    std::function<std::int64_t()> playedMs; // unset: the device reports nothing
};

// A view that notes what it was told; it may act while being told a frame.
class RecordingFollower : public IPlaybackFollower {
public:
    void followFrame(int frame) override
    {
        frames.push_back(frame);
        if (onFrame)
            onFrame(frame);
    }
    void setPlaying(bool playing) override { playingCalls.push_back(playing); }

    std::vector<int> frames;
    std::vector<bool> playingCalls;
    std::function<void(int)> onFrame;
};

} // namespace zelvane::test
