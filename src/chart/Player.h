#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace zelvane {

class CScore;

// One dancer of a score: the panels it dances and the background work that turns its notes
// into motion. A player has at most one worker at a time; every restart ends the old one.
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

    // Whether a note's panel belongs to this dancer.
    bool OwnsPanel(std::int32_t panel) const
    {
        return panel >= m_firstPanel && panel < m_firstPanel + m_panelCount;
    }

    // Ends the running worker and rebuilds the motion from `fromClock` on.
    void Regenerate(std::int32_t fromClock);
    // Asks the worker to stop and waits for it.
    void StopWorker();
    // Waits for the worker to finish its work.
    void WaitWorker();
    bool HasWorker() const { return m_worker.joinable(); }

private:
    CScore* m_score;
    std::int32_t m_firstPanel;
    std::int32_t m_panelCount;
    std::string m_motionPath;

    std::thread m_worker;
    std::atomic<bool> m_stop{false};
};

} // namespace zelvane
