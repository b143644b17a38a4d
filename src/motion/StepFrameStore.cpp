#include "motion/StepFrameStore.h"

#include "base/ChartLimits.h"

#include <algorithm>

namespace zelvane {

bool CStepFrameStore::Direct(std::int32_t frame) const
{
    return frame >= 0 && frame <= kMaxChartFrames;
}

CStepFrame* CStepFrameStore::Find(std::int32_t frame) const
{
    if (Direct(frame)) {
        const auto slot = static_cast<std::size_t>(frame);
        return slot < m_byFrame.size() ? m_byFrame[slot] : nullptr;
    }
    const auto found = m_otherFrames.find(frame);
    return found == m_otherFrames.end() ? nullptr : found->second;
}

CStepFrame& CStepFrameStore::Create(CMotionGenerator* owner, std::int32_t frame, bool onBeat,
                                    std::int32_t beatFrames)
{
    CStepFrame* created = nullptr;
    if (!m_released.empty()) {
        created = m_released.back();
        *created = CStepFrame(owner, frame, onBeat, beatFrames);
    } else {
        while (m_block < m_blocks.size() && m_blocks[m_block].size() == kBlockSize)
            ++m_block;
        if (m_block == m_blocks.size()) {
            m_blocks.emplace_back();
            m_blocks.back().reserve(kBlockSize);
        }
        created = &m_blocks[m_block].emplace_back(owner, frame, onBeat, beatFrames);
    }
    if (Direct(frame)) {
        const auto slot = static_cast<std::size_t>(frame);
        if (slot >= m_byFrame.size())
            m_byFrame.resize(std::min(std::max(slot + 1, 2 * m_byFrame.size()),
                                      std::size_t{kMaxChartFrames} + 1),
                             nullptr);
        m_byFrame[slot] = created;
    } else {
        m_otherFrames.emplace(frame, created);
    }
    // Taken off the list only now that nothing above can throw.
    if (!m_released.empty() && m_released.back() == created)
        m_released.pop_back();
    return *created;
}

void CStepFrameStore::Release(CStepFrame* stepFrame)
{
    if (Direct(stepFrame->frame))
        m_byFrame[static_cast<std::size_t>(stepFrame->frame)] = nullptr;
    else
        m_otherFrames.erase(stepFrame->frame);
    m_released.push_back(stepFrame);
}

void CStepFrameStore::ReleaseAll()
{
    std::fill(m_byFrame.begin(), m_byFrame.end(), nullptr);
    m_otherFrames.clear();
    m_released.clear();
    for (std::vector<CStepFrame>& block : m_blocks)
        block.clear();
    m_block = 0;
}

bool CStepFrameStore::AppendSortedAfter(std::int32_t frame, std::size_t count,
                                        std::vector<CStepFrame*>& sorted) const
{
    for (const auto& [other, stepFrame] : m_otherFrames) {
        if (other > frame)
            return false;
    }
    // Stops at the last one: after an edit near the end only a few slots are visited.
    for (std::size_t slot = frame < 0 ? 0 : static_cast<std::size_t>(frame) + 1;
         count > 0 && slot < m_byFrame.size(); ++slot) {
        if (m_byFrame[slot]) {
            sorted.push_back(m_byFrame[slot]);
            --count;
        }
    }
    return count == 0;
}

} // namespace zelvane
