#include "chart/Player.h"

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
    // The dance generator hooks in here: it will start a worker on a snapshot of the notes
    // from `fromClock` on. Until it exists there is nothing to rebuild.
    (void)fromClock;
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
}

} // namespace zelvane
