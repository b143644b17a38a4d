#pragma once

#include <cstdint>
#include <string>

namespace zelvane {

class CScore;

// The frames a background video of a score holds: `start` up to but not including `end`.
struct VideoFrameRange {
    std::int32_t start = 0;
    std::int32_t end = 0;
    std::int32_t count() const { return end - start; }
};

// From the moment the song starts (a positive gap puts chart time 0 that many milliseconds
// into the song, so the video begins that much before frame 0) to the frame after the
// chart's end, so the video can be laid under the whole song in MMD.
VideoFrameRange BackgroundVideoFrames(const CScore& score);

// The file a background video of the score is proposed to go to: the last one written for
// it, or "<document>_<STYLE>_<difficulty>.avi" in no folder (the remembered one is used).
std::string ProposedAviPath(const CScore& score);

} // namespace zelvane
