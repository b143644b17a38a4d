#pragma once

namespace zelvane {

// A view that moves along with the song: told when playback starts and stops, and of the
// frame the clock has reached (at most once per tick, so a slow view never holds the clock
// back by more than one redraw).
class IPlaybackFollower {
public:
    virtual ~IPlaybackFollower() = default;
    virtual void followFrame(int frame) = 0;
    virtual void setPlaying(bool playing) = 0;
};

} // namespace zelvane
