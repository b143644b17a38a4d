#include "chart/Player.h"

#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "motion/MotionDocument.h"
#include "text/Errors.h"

#include <limits>

namespace zelvane {

CPlayer::CPlayer(CScore* score, std::int32_t firstPanel, std::int32_t panelCount)
    : m_score(score)
    , m_firstPanel(firstPanel)
    , m_panelCount(panelCount)
{
}

CPlayer::~CPlayer()
{
    StopWorker();
}

void CPlayer::Regenerate(std::int32_t fromClock)
{
    StopWorker();

    const CStepDocument& document = *m_score->document();
    MotionInput input;
    input.notes.reserve(m_score->notes().size());
    for (const auto& note : m_score->notes())
        input.notes.push_back(*note);
    input.scoreLength = m_score->length();
    MotionParameters& parameters = input.parameters;
    parameters.bpm = document.bpm();
    parameters.gap = document.gap();
    parameters.style = m_score->style();
    parameters.firstPanel = m_firstPanel;
    parameters.panelCount = m_panelCount;
    parameters.twist = document.twist();
    parameters.turnEnabled = document.turnEnabled();
    parameters.feet = document.footAssignment();
    const ModelMeasurements& measured = document.modelMeasurements();
    parameters.panelSize = measured.panelSize;
    parameters.leftFootRestX = measured.leftFootRestX;
    parameters.rightFootRestX = measured.rightFootRestX;
    parameters.toeReach = measured.toeReach;

    m_dancerName = std::string(StyleName(m_score->style())) + " " + m_score->difficulty();
    if (m_score->players().size() > 1)
        m_dancerName += " " + std::to_string(m_firstPanel / m_panelCount + 1) + "P";
    {
        std::lock_guard lock(m_progressMutex);
        m_failure.clear();
        m_failed = false;
    }
    m_progress.store(CMotionGenerator::kProgressStarting, std::memory_order_release);
    m_running = true;
    try {
        m_worker = std::thread(
            [this, input = std::move(input), fromClock] { RunWorker(input, fromClock); });
    } catch (const std::exception& error) {
        // Without a thread no progress will ever come: nobody may wait for it.
        Fail(std::string("the dance could not be started: ") + error.what());
    }
}

void CPlayer::RunWorker(const MotionInput& input, std::int32_t fromClock) noexcept
{
    GenerationControl control;
    control.stop = &m_stop;
    control.progress = &m_progress;
    control.keyLock = &m_keyLock;
    control.progressChanged = [this] { PublishProgress(); };
    // Whatever goes wrong stays on this thread: the dance ends, the program goes on.
    try {
        m_generator.Generate(input, fromClock, control);
    } catch (const std::exception& error) {
        Fail(error.what());
    } catch (...) {
        Fail("the dance stopped on an unknown error");
    }
}

void CPlayer::Fail(const std::string& reason) noexcept
{
    std::string message;
    try {
        message = "the dance of the " + m_dancerName + " chart failed: " + reason;
    } catch (...) {
        // Out of memory for the message itself: the failure is still recorded below.
    }
    {
        std::lock_guard lock(m_progressMutex);
        std::swap(m_failure, message);
        m_failed = true;
        m_running = false;
    }
    m_progress.store(CMotionGenerator::kProgressIdle, std::memory_order_release);
    m_progressChanged.notify_all();
    try {
        m_score->document()->ReportWorkerFailure(failure());
    } catch (...) {
        // A report that fails cannot be reported; the failure stays readable in failure().
    }
}

std::string CPlayer::failure() const
{
    std::lock_guard lock(m_progressMutex);
    return m_failure;
}

void CPlayer::PublishProgress()
{
    // Taking the lock orders this wake-up after a waiter's check, so none is lost.
    {
        std::lock_guard lock(m_progressMutex);
    }
    m_progressChanged.notify_all();
}

void CPlayer::StopWorker()
{
    m_stop = true;
    WaitWorker();
    m_stop = false;
}

void CPlayer::WaitWorker()
{
    if (m_worker.joinable())
        m_worker.join();
    m_running = false;
    PublishProgress();
}

BonePose CPlayer::GetBonePose(int nameID, std::int32_t frame)
{
    {
        std::unique_lock lock(m_progressMutex);
        m_progressChanged.wait(lock, [&] { return !m_running || progress() >= frame; });
    }
    std::lock_guard keys(m_keyLock);
    return m_generator.GetBonePose(nameID, frame);
}

CMotionDocument CPlayer::MakeMotion(const std::string& modelName)
{
    WaitWorker();
    {
        std::unique_lock lock(m_progressMutex);
        if (m_failed)
            throw WorkerFailedError(m_failure.empty() ? "the dance failed" : m_failure);
    }
    const std::int32_t gapFrames = static_cast<std::int32_t>(
        static_cast<std::int64_t>(m_score->document()->gap()) * 30 / 1000);
    CMotionDocument motion;
    motion.modelName = modelName;
    for (const auto& [nameID, sequence] : m_generator.boneSequences()) {
        CBoneFrameSequence* copy = nullptr;
        std::int32_t firstFrame = 0;
        for (const CBoneFrame& key : sequence->keys()) {
            const std::int64_t frame = static_cast<std::int64_t>(key.frame) + gapFrames;
            if (frame < 0 || frame > std::numeric_limits<std::int32_t>::max())
                continue;
            CBoneFrame shifted = key;
            shifted.frame = static_cast<std::int32_t>(frame);
            if (!copy) {
                copy = &motion.GetBoneSequence(nameID);
                firstFrame = shifted.frame;
            }
            copy->Insert(shifted);
        }
        // Every animated bone gets a key on the song's first frame.
        if (copy && firstFrame != 0) {
            CBoneFrame first = copy->keys().front();
            first.frame = 0;
            copy->Insert(first);
        }
    }
    return motion;
}

void CPlayer::WriteMotion(const std::filesystem::path& path, const std::string& modelName)
{
    MakeMotion(modelName).Save(path);
    m_motionPath = path.string();
}

} // namespace zelvane
