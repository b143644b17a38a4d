#include "chart/BackgroundVideo.h"

#include "base/TimeUnits.h"
#include "chart/Score.h"
#include "chart/StepDocument.h"

#include <algorithm>
#include <climits>

namespace zelvane {

VideoFrameRange BackgroundVideoFrames(const CScore& score)
{
    const CStepDocument& document = *score.document();
    // Milliseconds to frames in integers, truncated toward zero, in 64 bits so no gap the
    // file can hold overflows.
    const std::int64_t start
        = static_cast<std::int64_t>(document.description().gap) * -kFramesPerSecond / 1000;
    const std::int64_t end = std::int64_t{document.tempoMap().ClockToFrame(score.length())} + 1;
    return {static_cast<std::int32_t>(start),
            static_cast<std::int32_t>(std::min<std::int64_t>(end, INT32_MAX))};
}

std::string ProposedAviPath(const CScore& score)
{
    if (!score.aviPath().empty())
        return score.aviPath();
    std::string name = score.document()->pathName().stem().string();
    name += "_";
    name += StyleName(score.style());
    name += "_" + score.difficulty();
    return name + ".avi";
}

} // namespace zelvane
