#pragma once

#include <cstdint>

namespace zelvane {

// The song as the playback clock drives it: positioned and started in milliseconds of the
// file, stopped, and asked how much of it the device has played.
class IAudioOutput {
public:
    virtual ~IAudioOutput() = default;
    // Whether a song is loaded; without one the clock runs alone.
    virtual bool HasSong() const = 0;
    virtual std::int32_t DurationMs() const = 0;
    // Whether the song is sounding (or would be, on a device that is silent).
    virtual bool IsRunning() const = 0;
    // Starts the song at `positionMs` of the file; past the end it does nothing.
    virtual void PlayFrom(std::int32_t positionMs) = 0;
    virtual void Stop() = 0;
    // Milliseconds of sound the device has actually played since the last PlayFrom, or -1
    // when no device reports it (no output, not running).
    virtual std::int64_t PlayedMs() const = 0;
};

} // namespace zelvane
