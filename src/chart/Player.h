#pragma once

#include "model/BonePose.h"
#include "motion/MotionGenerator.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

namespace zelvane {

class CScore;
class CMotionDocument;

// One dancer of a score: the panels it dances and the background work that turns its notes
// into motion. A player has at most one worker at a time; every restart ends the old one.
// The worker dances a snapshot of the notes and settings, so the editor never waits for it
// and never races with it.
class CPlayer {
public:
    CPlayer(CScore* score, std::int32_t firstPanel, std::int32_t panelCount);
    ~CPlayer();
    CPlayer(const CPlayer&) = delete;
    CPlayer& operator=(const CPlayer&) = delete;

    CScore* score() const { return m_score; }
    std::int32_t firstPanel() const { return m_firstPanel; }
    std::int32_t panelCount() const { return m_panelCount; }
    const std::string& motionPath() const { return m_motionPath; }
    void SetMotionPath(std::string path) { m_motionPath = std::move(path); }

    // Ends the running worker and rebuilds the motion from `fromClock` on.
    void Regenerate(std::int32_t fromClock);
    // Asks the worker to stop and waits for it.
    void StopWorker();
    // Waits for the worker to finish its work.
    void WaitWorker();
    bool HasWorker() const { return m_worker.joinable(); }

    // The frame up to which the keys are final (INT32_MAX when nothing is being rebuilt,
    // also after a failure).
    std::int32_t progress() const { return m_progress.load(std::memory_order_acquire); }
    // A bone's pose at a frame; waits until the worker has made that frame, or has failed.
    BonePose GetBonePose(int nameID, std::int32_t frame);
    // Why the last dance failed (the worker could not start, or stopped on an error); empty
    // while it runs and after it succeeded.
    std::string failure() const;

    // The finished dance as a motion file's contents: keys shifted by the song's gap, each
    // bone keyed at frame 0. Waits for the worker; throws WorkerFailedError if it failed.
    CMotionDocument MakeMotion(const std::string& modelName);
    // Writes the motion through a temporary file and remembers the path.
    void WriteMotion(const std::filesystem::path& path, const std::string& modelName);
    // The generator's state, for inspection once the worker has finished.
    const CMotionGenerator& generator() const { return m_generator; }

private:
    void RunWorker(const MotionInput& input, std::int32_t fromClock) noexcept;
    // Ends the current dance on an error: waiters are released and the document told.
    void Fail(const std::string& reason) noexcept;
    void PublishProgress();

    CScore* m_score;
    std::int32_t m_firstPanel;
    std::int32_t m_panelCount;
    std::string m_motionPath;

    CMotionGenerator m_generator;
    std::thread m_worker;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};
    std::atomic<std::int32_t> m_progress{CMotionGenerator::kProgressIdle};
    std::mutex m_keyLock;
    mutable std::mutex m_progressMutex; // also guards m_failure
    std::condition_variable m_progressChanged;
    std::string m_failure;
    bool m_failed = false;    // set even when there was no memory left for the message
    std::string m_dancerName; // for messages: "SINGLE BASIC", "COUPLE BASIC 2P"
};

} // namespace zelvane
