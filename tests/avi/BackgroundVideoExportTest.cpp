#include "avi/BackgroundVideoExport.h"
#include "TestData.h"
#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "media/MediaErrors.h"
#include "media/VideoReading.h"
#include "render/ChartImage.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstring>

namespace zelvane {
namespace {

using test::ReadVideo;

constexpr std::size_t kRawFrameBytes = 921600;

// A SINGLE chart at 120 BPM, one beat long: a tap on the down panel at the beat (frame 15),
// so at frame 0 it stands one beat below the receptors.
class BackgroundVideoExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        document.NewDocument();
        document.SetBpm(120.0f);
        document.SetScreenColor(0x00000000);
        score = document.currentScore();
        score->InsertNote(std::make_unique<CNote>(CNote{48, 1, 0}));
        score->UpdateLength(0);
        score->StopPlayers();
    }
    void TearDown() override { std::filesystem::remove(path); }

    std::int64_t Write(const AviWriterOptions& options, const VideoProgress& progress = nullptr)
    {
        return WriteBackgroundVideo(*score, BackgroundVideoFrames(*score), path, options, progress);
    }

    CStepDocument document;
    CScore* score = nullptr;
    std::filesystem::path path = test::UniqueTempPath("background.avi");
};

// Every frame the painter draws, from the song's start to the frame after the chart, in
// order: uncompressed (bottom-up rows, which FFmpeg turns back) and through a lossless
// encoder alike.
TEST_F(BackgroundVideoExport, TheFramesAreThePaintersFramesInOrderFromTheSongsStart)
{
    CChartImage chart;
    chart.SetChartLayout(score, document.panelSize());
    chart.SetScreenColor(document.screenColor());
    QImage painted(640, 480, QImage::Format_RGB32);
    // The song starts a second before the chart: the video starts at frame -30.
    for (const std::int32_t gap : {0, 1000}) {
        document.SetGap(gap);
        const std::int32_t first = -gap * 30 / 1000;
        for (const char* codec : {"rawvideo", "utvideo"}) {
            SCOPED_TRACE(testing::Message() << codec << ", gap " << gap);
            AviWriterOptions options;
            options.codec = codec;
            ASSERT_EQ(Write(options), 16 - first); // to frame 15, a beat at 120 BPM, and one
            const ReadVideo video(path);
            EXPECT_EQ(av_cmp_q(video.frameRate, {30, 1}), 0);
            EXPECT_EQ(QSize(video.width, video.height), QSize(640, 480));
            ASSERT_EQ(video.pictures.size(), static_cast<std::size_t>(16 - first));
            if (std::string(codec) == "rawvideo") {
                EXPECT_EQ(video.codec, AV_CODEC_ID_RAWVIDEO);
                for (const test::Bytes& packet : video.packets)
                    ASSERT_EQ(packet.size(), kRawFrameBytes);
            }
            for (std::int32_t frame : {first, -1, 0, 8, 15}) {
                if (frame < first)
                    continue;
                chart.RenderInto(frame, painted);
                const test::Picture& decoded
                    = video.pictures[static_cast<std::size_t>(frame - first)];
                int differing = 0;
                for (int y = 0; y < 480; ++y) {
                    const std::uint8_t* row = painted.constScanLine(y);
                    for (int x = 0; x < 640; ++x)
                        differing += std::memcmp(row + x * 4, &decoded[(y * 640 + x) * 4], 3) != 0;
                }
                EXPECT_EQ(differing, 0) << "frame " << frame;
            }
        }
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
    EXPECT_EQ(Write(AviWriterOptions{}, stopAfterThree), 3);
    EXPECT_EQ(reported, (std::vector<std::int64_t>{0, 1, 2, 3}));
    const ReadVideo video(path);
    EXPECT_EQ(video.packets.size(), 3u);
    EXPECT_EQ(video.declaredFrames, 3);
}

TEST_F(BackgroundVideoExport, AFolderThatIsNotThereIsACreateErrorAndWritesNothing)
{
    path = test::UniqueTempPath("no-such-folder") / "background.avi";
    EXPECT_THROW(Write(AviWriterOptions{}), AviCreateError);
    EXPECT_FALSE(std::filesystem::exists(path.parent_path()));
}

} // namespace
} // namespace zelvane
