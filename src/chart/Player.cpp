#include "chart/Player.h"

#include "base/TimeUnits.h"
#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "motion/MotionDocument.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <limits>

namespace zelvane {

CPlayer::CPlayer(CScore* score, std::int32_t firstPanel, std::int32_t panelCount)
    : m_score(score)
    , m_firstPanel(firstPanel)
    , m_panelCount(panelCount)
{
    m_worker.SetFailureHandler(
        [this](const Reason& reason) { m_score->document()->services().workerFailure(reason); });
}

CPlayer::~CPlayer()
{
    StopWorker();
}

void CPlayer::Regenerate(std::int32_t fromClock, NoteChange change)
{
    const CStepDocument& document = *m_score->document();
    MotionInput input;
    input.notes = std::move(change.notes);
    input.scoreLength = m_score->length();
    MotionParameters& parameters = input.parameters;
    parameters.tempo = document.tempoMap();
    parameters.gap = document.description().gap;
    parameters.style = m_score->style();
    parameters.firstPanel = m_firstPanel;
    parameters.panelCount = m_panelCount;
    parameters.twist = document.motionOptions().twist;
    parameters.turnEnabled = document.motionOptions().turnEnabled;
    parameters.feet = document.dancing().feet;
    parameters.panelSize = document.motionOptions().panelSize;
    const ModelMeasurements& measured = document.model().measurements;
    parameters.leftFootRestX = measured.leftFootRestX;
    parameters.rightFootRestX = measured.rightFootRestX;
    parameters.toeReach = measured.toeReach;

    std::string dancerName = std::string(StyleName(m_score->style())) + " " + m_score->difficulty();
    if (m_score->players().size() > 1)
        dancerName += " " + std::to_string(m_firstPanel / m_panelCount + 1) + "P";
    m_worker.Request(std::move(input), fromClock, std::move(dancerName), change.kept);
}

CMotionDocument CPlayer::MakeMotion(const std::string& modelName)
{
    WaitWorker();
    if (m_worker.failed()) {
        const Reason reason = m_worker.failureReason();
        throw WorkerFailedError(reason.empty() ? Reason(IDS_REASON_DANCE_FAILED) : reason);
    }
    const std::int32_t gapFrames = GapFrames(m_score->document()->description().gap);
    CMotionDocument motion;
    motion.modelName = modelName;
    for (const auto& [nameID, sequence] : generator().boneSequences()) {
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
