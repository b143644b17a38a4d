#include "motion/DanceWorker.h"

#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace zelvane {

CDanceWorker::~CDanceWorker()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_stop.store(true, std::memory_order_relaxed);
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void CDanceWorker::SetFailureHandler(FailureHandler handler)
{
    std::lock_guard lock(m_mutex);
    m_failureHandler = std::move(handler);
}

void CDanceWorker::Request(MotionInput input, std::int32_t fromClock, std::string dancerName,
                           std::size_t keptNotes)
{
    {
        std::lock_guard lock(m_mutex);
        if (keptNotes > m_notes.size())
            throw InvalidArgumentError(
                Reason(IDS_REASON_DANCE_KEEPS_TOO_MANY, {keptNotes, m_notes.size()}));
        if (keptNotes == 0) {
            m_notes = std::move(input.notes);
        } else {
            m_notes.resize(keptNotes);
            m_notes.insert(m_notes.end(), input.notes.begin(), input.notes.end());
        }
        m_requestLength = input.scoreLength;
        m_requestParameters = input.parameters;
        m_requestName = std::move(dancerName);
        m_hasRequest = true;
        m_pendingClock = std::min(m_pendingClock, fromClock);
        m_busy = true;
        m_failure = Reason();
        m_failed = false;
        m_progress.store(CMotionGenerator::kProgressStarting, std::memory_order_release);
        // The running dance is out of date: it ends at its next note or frame.
        m_stop.store(true, std::memory_order_relaxed);
    }
    if (m_thread.joinable()) {
        m_wake.notify_one();
        return;
    }
    try {
        m_thread = std::thread([this] { Loop(); });
    } catch (const std::exception& error) {
        // Without a thread no progress will ever come: nobody may wait for it. The start
        // clock stays pending for the request that finds a thread.
        std::unique_lock lock(m_mutex);
        m_hasRequest = false;
        m_dancerName = std::move(m_requestName);
        const Reason cause(IDS_REASON_DANCE_NOT_STARTED, {}, error.what());
        Fail(lock, &cause);
    }
}

void CDanceWorker::Stop()
{
    std::unique_lock lock(m_mutex);
    m_hasRequest = false;
    m_stop.store(true, std::memory_order_relaxed);
    if (!m_dancing && m_busy) {
        m_busy = false;
        m_progress.store(CMotionGenerator::kProgressIdle, std::memory_order_release);
        m_changed.notify_all();
    }
    m_changed.wait(lock, [this] { return !m_busy; });
}

void CDanceWorker::Wait()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_busy; });
}

BonePose CDanceWorker::GetBonePose(int nameID, std::int32_t frame)
{
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return !m_busy || progress() >= frame; });
    }
    std::lock_guard keys(m_keyLock);
    return m_generator.GetBonePose(nameID, frame);
}

std::string CDanceWorker::failure() const
{
    std::lock_guard lock(m_mutex);
    return m_failure.empty() ? std::string() : EnglishText(m_failure);
}

Reason CDanceWorker::failureReason() const
{
    std::lock_guard lock(m_mutex);
    return m_failure;
}

bool CDanceWorker::failed() const
{
    std::lock_guard lock(m_mutex);
    return m_failed;
}

void CDanceWorker::Loop() noexcept
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_quit || m_hasRequest; });
        if (m_quit)
            return;
        m_hasRequest = false;
        std::swap(m_dancerName, m_requestName);
        // Copied here, once per dance, into storage kept from dance to dance: the editor
        // goes on changing the latest notes meanwhile.
        bool copied = true;
        try {
            m_danced.notes = m_notes;
        } catch (...) {
            copied = false;
        }
        if (!copied) {
            // The start stays pending: the next request dances from it.
            const Reason cause(IDS_REASON_DANCE_NO_MEMORY_FOR_NOTES);
            Fail(lock, &cause);
            lock.lock();
            continue;
        }
        m_danced.scoreLength = m_requestLength;
        m_danced.parameters = m_requestParameters;
        const std::int32_t fromClock
            = std::exchange(m_pendingClock, std::numeric_limits<std::int32_t>::max());
        // Cleared under the lock: a request after this line stops this dance again.
        m_stop.store(false, std::memory_order_relaxed);
        m_dancing = true;
        lock.unlock();

        Dance(fromClock);

        lock.lock();
        m_dancing = false;
        if (!m_hasRequest) {
            m_busy = false;
            m_progress.store(CMotionGenerator::kProgressIdle, std::memory_order_release);
        }
        m_changed.notify_all();
    }
}

void CDanceWorker::Dance(std::int32_t fromClock) noexcept
{
    Reason cause;
    std::string foreignWords;
    // Whatever goes wrong stays on this thread: the dance ends, the program goes on.
    try {
        GenerationControl control;
        control.stop = &m_stop;
        control.progress = &m_runProgress;
        control.keyLock = &m_keyLock;
        control.progressChanged = [this] { PublishProgress(); };
        m_generator.Generate(m_danced, fromClock, control);
        return;
    } catch (const std::exception& error) {
        try {
            const auto* core = dynamic_cast<const CoreError*>(&error);
            if (core && core->reason())
                cause = *core->reason();
            else
                foreignWords = error.what();
        } catch (...) {
            // No memory for the reason: the failure is still recorded.
        }
    } catch (...) {
        cause = Reason(IDS_REASON_DANCE_UNKNOWN_ERROR);
    }
    std::unique_lock lock(m_mutex);
    Fail(lock, cause.empty() ? nullptr : &cause, foreignWords);
}

void CDanceWorker::Fail(std::unique_lock<std::mutex>& lock, const Reason* cause,
                        const std::string& foreignWords) noexcept
{
    // A newer request replaces the failed snapshot; its own dance decides.
    if (m_hasRequest) {
        lock.unlock();
        return;
    }
    Reason reason;
    FailureHandler handler;
    try {
        reason = cause ? Reason(IDS_REASON_DANCE_OF_CHART_FAILED, {m_dancerName, *cause})
                       : Reason(IDS_REASON_DANCE_OF_CHART_STOPPED, {m_dancerName}, foreignWords);
        m_failure = reason;
        handler = m_failureHandler;
    } catch (...) {
        // Out of memory for the reason itself: the failure is still recorded below.
    }
    m_failed = true;
    m_progress.store(CMotionGenerator::kProgressIdle, std::memory_order_release);
    lock.unlock();
    m_changed.notify_all();
    // Told before the work counts as done, so whoever waited for it finds the report made.
    try {
        if (handler)
            handler(reason);
    } catch (...) {
        // A report that fails cannot be reported; the failure stays readable in failure().
    }
    lock.lock();
    if (!m_hasRequest && !m_dancing)
        m_busy = false;
    lock.unlock();
    m_changed.notify_all();
}

void CDanceWorker::PublishProgress()
{
    {
        std::lock_guard lock(m_mutex);
        // The progress of a dance that a newer request has replaced means nothing.
        if (!m_hasRequest)
            m_progress.store(m_runProgress.load(std::memory_order_relaxed),
                             std::memory_order_release);
    }
    m_changed.notify_all();
}

} // namespace zelvane
