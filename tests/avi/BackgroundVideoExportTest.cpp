#include "avi/BackgroundVideoExport.h"
#include "TestData.h"
#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "media/VideoReading.h"
#include "render/ChartImage.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstring>

namespace zelvane {
namespace {

// A SINGLE chart at 120 BPM, one beat long: a tap on the down panel at the beat (frame 15),
// so at frame 0 it stands one beat below the receptors. The encoders themselves, the file's
// layout and a file that cannot be created are the AVI writer's suite's.
class BackgroundVideoExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        document.NewDocument();
        document.SetBpm(120.0f);
        document.SetColors({document.colors().background, 0x00000000});
        score = document.scores().current();
        score->InsertNote(std::make_unique<CNote>(CNote{48, 1, 0}));
        score->UpdateLength(0);
        score->StopPlayers();
    }
    void TearDown() override { std::filesystem::remove(path); }

    std::int64_t Write(const VideoProgress& progress = nullptr)
    {
        return WriteBackgroundVideo(*score, BackgroundVideoFrames(*score), path, AviWriterOptions{},
                                    progress);
    }

    CStepDocument document;
    CScore* score = nullptr;
    std::filesystem::path path = test::UniqueTempPath("background.avi");
};

// Every frame the painter draws, from the song's start to the frame after the chart, in
// order. The song starts a second before the chart: the video starts at frame -30.
TEST_F(BackgroundVideoExport, TheFramesAreThePaintersFramesInOrderFromTheSongsStart)
{
    CChartImage chart;
    chart.SetChartLayout(score);
    chart.SetScreenColor(document.colors().screen);
    QImage painted(640, 480, QImage::Format_RGB32);
    document.SetDescription({document.description().title, document.description().artist, 1000});
    ASSERT_EQ(Write(), 30 + 16); // to frame 15, a beat at 120 BPM, and one more
    const test::ReadVideo video(path);
    ASSERT_EQ(video.pictures.size(), 30u + 16u);
    for (std::int32_t frame : {-30, -1, 0, 8, 15}) {
        chart.RenderInto(frame, painted);
        const test::Picture& decoded = video.pictures[static_cast<std::size_t>(frame + 30)];
        int differing = 0;
        for (int y = 0; y < 480; ++y) {
            const std::uint8_t* row = painted.constScanLine(y);
            for (int x = 0; x < 640; ++x)
                differing += std::memcmp(row + x * 4, &decoded[(y * 640 + x) * 4], 3) != 0;
        }
        EXPECT_EQ(differing, 0) << "frame " << frame;
    }
}

TEST_F(BackgroundVideoExport, StoppingEarlyLeavesAPlayableFileOfTheFramesSoFar)
{
    std::vector<std::int64_t> reported;
    const auto stopAfterThree = [&reported](std::int64_t written, std::int64_t total) {
        EXPECT_EQ(total, 16);
        reported.push_back(written);
        return written < 3;
    };
    EXPECT_EQ(Write(stopAfterThree), 3);
    EXPECT_EQ(reported, (std::vector<std::int64_t>{0, 1, 2, 3}));
    const test::ReadVideo video(path);
    EXPECT_EQ(video.packets.size(), 3u);
    EXPECT_EQ(video.declaredFrames, 3);
}

} // namespace
} // namespace zelvane
