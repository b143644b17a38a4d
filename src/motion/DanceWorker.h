#pragma once

#include "model/BonePose.h"
#include "motion/MotionGenerator.h"
#include "motion/MotionInput.h"
#include "text/Reason.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <limits>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zelvane {

// The background thread that dances one dancer's notes. It is started by the first request
// and kept for the worker's life: every edit hands it what changed and wakes it, instead of
// paying for a thread of its own. The worker keeps the latest notes itself, so an edit
// hands over only the notes it may have changed, and the thread copies them once per dance
// rather than the editor once per edit. A request that comes while a dance runs stops that
// dance early; requests the thread has not picked up yet are merged, the latest notes with
// the earliest start, so the generator never misses a change.
//
// The thread catches whatever a dance throws and publishes it as the failure; waiters are
// released in every case, so nobody waits for a frame that will never come.
class CDanceWorker {
public:
    // Told why the dance failed on the worker thread (or on the caller's, when the thread
    // could not be started).
    using FailureHandler = std::function<void(const Reason& reason)>;

    CDanceWorker() = default;
    ~CDanceWorker();
    CDanceWorker(const CDanceWorker&) = delete;
    CDanceWorker& operator=(const CDanceWorker&) = delete;

    void SetFailureHandler(FailureHandler handler);

    // Dances `input` from `fromClock` on; returns at once. The notes of `input` replace the
    // latest notes from index `keptNotes` on: the first `keptNotes` notes are those of the
    // requests before. `dancerName` names the chart in the failure message ("the dance of
    // the <name> chart failed: ..."). Throws InvalidArgumentError, with nothing changed,
    // when the worker holds fewer than `keptNotes` notes; for want of memory the latest
    // notes may be cut short, and the next request must then keep none.
    void Request(MotionInput input, std::int32_t fromClock, std::string dancerName,
                 std::size_t keptNotes = 0);
    // Drops what was not started, stops the running dance and waits for it. The start of a
    // dropped request is remembered for the next one.
    void Stop();
    // Waits until every request is danced (or has failed).
    void Wait();

    // The frame up to which the keys are final (kProgressIdle when nothing is being rebuilt,
    // also after a failure; kProgressStarting until the latest request begins).
    std::int32_t progress() const { return m_progress.load(std::memory_order_acquire); }
    // A bone's pose at a frame; waits until the frame is made or the dance has ended.
    BonePose GetBonePose(int nameID, std::int32_t frame);
    // Why the last dance failed, in English; empty while one runs and after one succeeded,
    // and when there was no memory left to say why.
    std::string failure() const;
    // The same reason, for a program to say in its own language.
    Reason failureReason() const;
    bool failed() const;

    // The generator's state: read it only after Wait and before the next Request.
    const CMotionGenerator& generator() const { return m_generator; }

private:
    void Loop() noexcept;
    void Dance(std::int32_t fromClock) noexcept;
    // Records the failure of the latest request; `lock` holds m_mutex and is released. The
    // cause is a reason, or else the words of an exception the program does not know.
    void Fail(std::unique_lock<std::mutex>& lock, const Reason* cause,
              const std::string& foreignWords = {}) noexcept;
    void PublishProgress();

    CMotionGenerator m_generator;
    MotionInput m_danced; // the thread's own copy of what it dances
    std::thread m_thread;
    std::mutex m_keyLock; // guards the generator's bone sequences while a dance runs

    // All below guarded by m_mutex, except the atomics.
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;    // the thread waits here for work
    std::condition_variable m_changed; // waiters for progress and for the end of the work
    bool m_quit = false;
    bool m_hasRequest = false;
    std::vector<CNote> m_notes; // the latest notes, all of them
    std::int32_t m_requestLength = 0;
    MotionParameters m_requestParameters;
    std::string m_requestName;
    std::int32_t m_pendingClock = std::numeric_limits<std::int32_t>::max();
    bool m_busy = false;    // a request waits or runs
    bool m_dancing = false; // the thread is inside a dance
    std::string m_dancerName;
    Reason m_failure;
    bool m_failed = false; // set even when there was no memory left for the reason
    FailureHandler m_failureHandler;

    std::atomic<bool> m_stop{false};
    std::atomic<std::int32_t> m_runProgress{CMotionGenerator::kProgressIdle};
    std::atomic<std::int32_t> m_progress{CMotionGenerator::kProgressIdle};
};

} // namespace zelvane
