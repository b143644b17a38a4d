#include "chart/BackgroundVideo.h"
#include "chart/Score.h"
#include "chart/StepDocument.h"

#include <gtest/gtest.h>

namespace zelvane {
namespace {

TEST(BackgroundVideo, TheRangeRunsFromTheSongsStartToTheFrameAfterTheChart)
{
    CStepDocument document;
    document.NewDocument();
    document.SetBpm(120.0f);
    CScore& score = *document.currentScore();
    score.InsertNote(std::make_unique<CNote>(CNote{1920 - 48, 0, 48}));
    score.UpdateLength(0);
    ASSERT_EQ(score.length(), 1920);
    // 1920 clocks at 120 BPM end at frame 600; that frame is written too.
    const struct {
        std::int32_t gap, start, end;
    } cases[] = {{0, 0, 601}, {1000, -30, 601}, {-500, 15, 601}, {1, 0, 601}, {-34, 1, 601}};
    for (const auto& entry : cases) {
        document.SetGap(entry.gap);
        const VideoFrameRange range = BackgroundVideoFrames(score);
        EXPECT_EQ(range.start, entry.start) << entry.gap;
        EXPECT_EQ(range.end, entry.end) << entry.gap;
    }
    document.SetGap(0);
    EXPECT_EQ(BackgroundVideoFrames(score).count(), 601);
}

TEST(BackgroundVideo, TheProposedNameFollowsTheDocumentStyleAndDifficultyOrTheLastPath)
{
    CStepDocument document;
    document.NewDocument();
    EXPECT_EQ(ProposedAviPath(*document.currentScore()), "_SINGLE_BASIC.avi");
    document.SetPathName("/x/song.zlvm");
    CScore& maniac = *document.FindOrCreateScore(Style::DOUBLE, "MANIAC");
    EXPECT_EQ(ProposedAviPath(maniac), "song_DOUBLE_MANIAC.avi");
    maniac.SetAviPath("/videos/first.avi");
    EXPECT_EQ(ProposedAviPath(maniac), "/videos/first.avi");
}

} // namespace
} // namespace zelvane
