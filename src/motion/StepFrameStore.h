#pragma once

#include "motion/StepFrame.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace zelvane {

// Where the step frames of a dance live and how they are found by frame number: at most
// one per frame. Frames are made in blocks that never move and are used again after they
// are let go, so a dance rebuilt after an edit, or from scratch, asks the system for no
// memory it had before. Frames 0 to kMaxChartFrames, where every note and beat of a chart
// falls, are found by direct index; any other (the stance before the first note) by hash.
class CStepFrameStore {
public:
    // The step frame on `frame`, or null.
    CStepFrame* Find(std::int32_t frame) const;
    // A new step frame on `frame`, which must have none.
    CStepFrame& Create(CMotionGenerator* owner, std::int32_t frame, bool onBeat,
                       std::int32_t beatFrames);
    // Lets a step frame go: it is no longer found and its memory is used again.
    void Release(CStepFrame* stepFrame);
    // Lets every step frame go.
    void ReleaseAll();
    // Appends to `sorted` the first `count` step frames after `frame`, in frame order.
    // Returns false if they are not all held by direct index.
    bool AppendSortedAfter(std::int32_t frame, std::size_t count,
                           std::vector<CStepFrame*>& sorted) const;

private:
    static constexpr std::size_t kBlockSize = 256;

    bool Direct(std::int32_t frame) const;

    // Blocks before m_block are full, those after it are empty; none ever reallocates.
    std::vector<std::vector<CStepFrame>> m_blocks;
    std::size_t m_block = 0;
    std::vector<CStepFrame*> m_released;
    std::vector<CStepFrame*> m_byFrame; // frames 0 up to its size
    std::unordered_map<std::int32_t, CStepFrame*> m_otherFrames;
};

} // namespace zelvane
