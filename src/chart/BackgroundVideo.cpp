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
    // The video starts where the song does, the gap's frames before clock 0.
    const std::int64_t start = -std::int64_t{GapFrames(document.description().gap)};
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
