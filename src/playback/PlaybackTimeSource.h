#pragma once

#include <QElapsedTimer>

#include <cstdint>

namespace zelvane {

// The milliseconds the playback clock counts. A source of its own so the clock can be driven
// by a program's monotonic clock and, in tests, by hand.
class IPlaybackTimeSource {
public:
    virtual ~IPlaybackTimeSource() = default;
    // Milliseconds since some fixed moment; never goes back.
    virtual std::int64_t NowMs() = 0;
};

// The system's monotonic clock: unaffected by changes of the wall-clock time.
class CMonotonicTimeSource : public IPlaybackTimeSource {
public:
    CMonotonicTimeSource() { m_timer.start(); }
    std::int64_t NowMs() override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};

} // namespace zelvane
