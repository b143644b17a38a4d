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

// Whether any pixel of an image rectangle differs from the black screen, in an uncompressed
// packet, whose rows run bottom-up.
bool HasInk(const test::Bytes& packet, int left, int top, int right, int bottom)
{
    for (int y = top; y < bottom; ++y) {
        const std::size_t row = static_cast<std::size_t>(479 - y) * 640;
        for (int x = left; x < right; ++x) {
            const std::size_t at = (row + static_cast<std::size_t>(x)) * 3;
            if (packet[at] || packet[at + 1] || packet[at + 2])
                return true;
        }
    }
    return false;
}

TEST_F(BackgroundVideoExport, UncompressedFramesShowTheChartBottomUpAtThirtyAFrameSecond)
{
    ASSERT_EQ(Write(AviWriterOptions{}), 16); // frames 0 to 15: a beat at 120 BPM, and one
    const ReadVideo video(path);
    EXPECT_EQ(video.codec, AV_CODEC_ID_RAWVIDEO);
    EXPECT_EQ(video.width, 640);
    EXPECT_EQ(video.height, 480);
    EXPECT_EQ(video.frameRate.num, 30);
    EXPECT_EQ(video.frameRate.den, 1);
    ASSERT_EQ(video.packets.size(), 16u);
    for (const test::Bytes& packet : video.packets)
        ASSERT_EQ(packet.size(), kRawFrameBytes);

    const test::Bytes& first = video.packets.front();
    // Receptors in the four SINGLE lanes at 192, 256, 320 and 384, nothing beside them.
    for (int laneX : {192, 256, 320, 384})
        EXPECT_TRUE(HasInk(first, laneX, 32, laneX + 64, 96)) << laneX;
    EXPECT_FALSE(HasInk(first, 0, 0, 192, 480));
    EXPECT_FALSE(HasInk(first, 448, 0, 640, 480));
    EXPECT_FALSE(HasInk(first, 192, 0, 448, 32));
    // The tap one beat ahead fills the down lane from y = 96 to 160; nothing lies below it
    // and no other lane carries a note.
    EXPECT_TRUE(HasInk(first, 256, 96, 320, 100));
    EXPECT_TRUE(HasInk(first, 256, 156, 320, 160));
    EXPECT_FALSE(HasInk(first, 192, 160, 448, 480));
    EXPECT_FALSE(HasInk(first, 192, 96, 256, 480));
    EXPECT_FALSE(HasInk(first, 320, 96, 448, 480));
    // Eight frames on, the tap has scrolled up by 35 pixels: its top is at 61.
    const test::Bytes& later = video.packets[8];
    EXPECT_TRUE(HasInk(later, 256, 121, 320, 125));
    EXPECT_FALSE(HasInk(later, 256, 125, 320, 480));
}

TEST_F(BackgroundVideoExport, LosslessFramesAreThePaintersFramesInOrderFromTheSongsStart)
{
    // The song starts a second before the chart: the video starts at frame -30.
    document.SetGap(1000);
    AviWriterOptions options;
    options.codec = "utvideo";
    ASSERT_EQ(Write(options), 46);
    const ReadVideo video(path);
    ASSERT_EQ(video.pictures.size(), 46u);
    CChartImage chart;
    chart.SetChartLayout(score, document.panelSize());
    chart.SetScreenColor(document.screenColor());
    QImage painted(640, 480, QImage::Format_RGB32);
    for (int index : {0, 29, 30, 38, 45}) {
        chart.RenderInto(index - 30, painted);
        const test::Picture& decoded = video.pictures[static_cast<std::size_t>(index)];
        int differing = 0;
        for (int y = 0; y < 480; ++y) {
            const std::uint8_t* row = painted.constScanLine(y);
            for (int x = 0; x < 640; ++x)
                differing += std::memcmp(row + x * 4, &decoded[(y * 640 + x) * 4], 3) != 0;
        }
        EXPECT_EQ(differing, 0) << "frame " << index - 30;
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
