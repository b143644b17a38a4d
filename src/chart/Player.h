#pragma once

#include "chart/NoteTracker.h"
#include "model/BonePose.h"
#include "motion/DanceWorker.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace zelvane {

class CScore;
class CMotionDocument;

// One dancer of a score: the panels it dances and the background work that turns its notes
// into motion. The player keeps one worker for its life; every edit hands it a snapshot of
// the notes and settings, so the editor never waits for it and never races with it.
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

    // Rebuilds the motion from `fromClock` on, with the notes of the score changed as
    // `change` says since the previous call; a dance still running stops early. Returns
    // without waiting for the worker.
    void Regenerate(std::int32_t fromClock, NoteChange change);
    // Asks the worker to stop and waits for it.
    void StopWorker() { m_worker.Stop(); }
    // Waits for the worker to finish its work.
    void WaitWorker() { m_worker.Wait(); }

    // The frame up to which the keys are final (INT32_MAX when nothing is being rebuilt,
    // also after a failure).
    std::int32_t progress() const { return m_worker.progress(); }
    // A bone's pose at a frame; waits until the worker has made that frame, or has failed.
    BonePose GetBonePose(int nameID, std::int32_t frame)
    {
        return m_worker.GetBonePose(nameID, frame);
    }
    // Why the last dance failed (the worker could not start, or stopped on an error); empty
    // while it runs and after it succeeded.
    std::string failure() const { return m_worker.failure(); }

    // The finished dance as a motion file's contents: keys shifted by the song's gap, each
    // bone keyed at frame 0. Waits for the worker; throws WorkerFailedError if it failed.
    CMotionDocument MakeMotion(const std::string& modelName);
    // Writes the motion through a temporary file and remembers the path.
    void WriteMotion(const std::filesystem::path& path, const std::string& modelName);
    // The generator's state, for inspection once the worker has finished.
    const CMotionGenerator& generator() const { return m_worker.generator(); }

private:
    CScore* m_score;
    std::int32_t m_firstPanel;
    std::int32_t m_panelCount;
    std::string m_motionPath;

    // Last: it stops before the rest of the player goes.
    CDanceWorker m_worker;
};

} // namespace zelvane
