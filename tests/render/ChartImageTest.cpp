#include "render/ChartImage.h"
#include "RenderTestSupport.h"
#include "chart/StepDocument.h"
#include "render/SpriteSheets.h"
#include "text/Errors.h"

#include <limits>
#include <memory>
#include <vector>

using namespace zelvane;
using namespace zelvane::test;

namespace {

constexpr std::uint32_t kScreen = 0x00336699; // 0x00BBGGRR: red 0x99, green 0x66, blue 0x33

// A document at 120 BPM: a frame is 3.2 clocks, a beat 15 frames, and at 48 clocks per row
// the chart scrolls 64 pixels per beat.
class ChartImageTest : public ::testing::Test {
protected:
    ChartImageTest() { document.SetBpm(120.0f); }

    CScore* Show(Style style, std::initializer_list<CNote> notes)
    {
        CScore* score = document.scores().FindOrCreate(style, "BASIC");
        for (const CNote& note : notes)
            score->AppendNote(std::make_unique<CNote>(note));
        score->UpdateLength(0);
        score->WaitPlayers();
        chart.SetChartLayout(score);
        chart.SetScreenColor(kScreen);
        return score;
    }

    // The screen colour (half transparent unless RGB32) with every lane's receptor in `row`.
    QImage Receptors(const std::vector<int>& laneX, int row,
                     QImage::Format format = QImage::Format_ARGB32_Premultiplied) const
    {
        QImage image(CChartImage::kWidth, CChartImage::kHeight, format);
        image.fill(QColor(0x99, 0x66, 0x33, format == QImage::Format_RGB32 ? 0xFF : 0x80));
        for (std::size_t lane = 0; lane < laneX.size(); ++lane)
            Place(image, sheets.receptor(), Cell(static_cast<int>(lane), row), {laneX[lane], 32});
        return image;
    }

    static QRect Cell(int column, int row, int height = 64)
    {
        return QRect((column % 4) * 64, row * height, 64, height);
    }

    CStepDocument document;
    CChartImage chart;
    const CSpriteSheets& sheets = CSpriteSheets::Get();
};

const std::vector<int> kSingleLanes{192, 256, 320, 384};

} // namespace

TEST_F(ChartImageTest, LanesStandWhereTheStyleSaysAndReceptorsFlashOnTheBeat)
{
    const struct {
        Style style;
        std::vector<int> laneX;
    } layouts[] = {
        {Style::SINGLE, kSingleLanes},
        {Style::DOUBLE, {64, 128, 192, 256, 320, 384, 448, 512}},
        {Style::COUPLE, {32, 96, 160, 224, 352, 416, 480, 544}},
    };
    for (const auto& layout : layouts) {
        SCOPED_TRACE(StyleName(layout.style));
        Show(layout.style, {});
        EXPECT_EQ(chart.padCount(), static_cast<int>(layout.laneX.size()) / 4);
        // An empty score has ended before it starts: dim receptors, nothing between them.
        EXPECT_TRUE(ImagesMatch(chart.Render(0), Receptors(layout.laneX, 2)));
    }

    // Ten beats long, nothing in lane 1: bright on the beat, dim outside the song.
    Show(Style::SINGLE, {{480, 0, 0}});
    const std::pair<std::int32_t, int> rows[]
        = {{-1, 2}, {0, 0}, {1, 0}, {2, 1}, {15, 0}, {149, 1}, {150, 2}, {100000, 2}};
    const QRect lane1(256, 32, 64, 64);
    for (const auto& [frame, row] : rows)
        EXPECT_TRUE(
            ImagesMatch(chart.Render(frame).copy(lane1), Receptors(kSingleLanes, row).copy(lane1)))
            << frame;
}

TEST_F(ChartImageTest, TapsStandAtTheirScrollPositionAndEmptyLanesStayEmpty)
{
    // One beat ahead (frame 15) and 18 frames ahead (clock 60, a sixteenth after the beat).
    Show(Style::SINGLE, {{48, 0, 0}, {60, 2, 0}});
    // Clocks per row, and the tops of the two taps.
    for (const auto& [clocksPerRow, firstTop, secondTop] :
         {std::tuple{48, 96, 108}, {24, 160, 185}}) {
        SCOPED_TRACE(clocksPerRow);
        chart.SetClocksPerRow(clocksPerRow);
        QImage expected = Receptors(kSingleLanes, 0);
        Place(expected, sheets.note(), Cell(0, 0), {192, firstTop});
        Place(expected, sheets.note(), Cell(2, 4), {320, secondTop});
        EXPECT_TRUE(ImagesMatch(chart.Render(0), expected));
    }
    EXPECT_THROW(chart.SetClocksPerRow(0), InvalidArgumentError);
    EXPECT_EQ(chart.clocksPerRow(), 24);
}

TEST_F(ChartImageTest, FreezePassingTheLineIsLitAndGlowsLikeATapOnTheLine)
{
    // At frame 15 (clock 48): a tap on the line, a freeze that started a beat ago and ends
    // three beats ahead, and a freeze still coming.
    Show(Style::SINGLE, {{48, 0, 0}, {0, 1, 192}, {240, 3, 96}});
    QImage expected = Receptors(kSingleLanes, 0);
    Place(expected, sheets.note(), Cell(0, 4), {192, 32});
    Place(expected, sheets.receptor(), Cell(0, 3), {192, 32});
    // Lit freeze: head above the image top (y -32), end cap at 224 to 288, one whole body
    // tile above it and the bottom 32 rows of a tile from the receptors' middle down.
    Place(expected, sheets.holdTail(), Cell(1, 1), {256, 224});
    Place(expected, sheets.holdBody(), Cell(1, 1, 128), {256, 96});
    Place(expected, sheets.holdBody(), QRect(64, 128 + 96, 64, 32), {256, 64});
    Place(expected, sheets.receptor(), Cell(1, 3), {256, 32});
    // Idle freeze: head at 288, cap at 416, the bottom 96 rows of a body tile between.
    Place(expected, sheets.holdTail(), Cell(3, 0), {384, 416});
    Place(expected, sheets.holdBody(), QRect(192, 32, 64, 96), {384, 320});
    Place(expected, sheets.holdHead(), Cell(3, 0), {384, 288});
    EXPECT_TRUE(ImagesMatch(chart.Render(15), expected));
}

TEST_F(ChartImageTest, ClocksBeforeTheSongAndAtTheEdgesOfTheRangeStayInsideTheSheets)
{
    // At frame -30 (clock -96) a tap at clock -60 is 12 frames ahead: top 83, and its
    // colour comes from the song clock -98, which a truncating remainder would make row -13.
    CScore* score = Show(Style::SINGLE, {{-60, 2, 0}});
    QImage expected = Receptors(kSingleLanes, 2);
    Place(expected, sheets.note(), Cell(2, 3), {320, 83});
    EXPECT_TRUE(ImagesMatch(chart.Render(-30), expected));

    // Every colour row of taps and freezes before the song; a row outside a sheet throws.
    for (std::int32_t clock = -400; clock < 0; clock += 5)
        score->AppendNote(std::make_unique<CNote>(CNote{clock, (-clock) % 4, ((-clock) % 3) * 40}));
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    for (const CNote& extreme : {CNote{kMin, 0, 0}, CNote{kMin, 1, kMax}, CNote{kMax - 1, 2, 0},
                                 CNote{kMax - 100, 3, 1000}, CNote{5, 0, -300}})
        score->AppendNote(std::make_unique<CNote>(extreme));
    for (std::int32_t frame = -150; frame <= 0; ++frame)
        ASSERT_NO_THROW(chart.Render(frame)) << frame;
    for (std::int32_t frame : {kMin, kMin + 1, kMax - 1, kMax})
        ASSERT_NO_THROW(chart.Render(frame)) << frame;

    // A freeze to the end of the clock range (at frame -1000 lane 3's body is laid from its
    // end millions of pixels down) covers every row below the receptors.
    score->AppendNote(std::make_unique<CNote>(CNote{-3200, 3, kMax}));
    const QImage& image = chart.Render(-1000);
    for (int y = 96; y < CChartImage::kHeight; ++y)
        ASSERT_NE(PixelAt(image, 384 + 32, y), PixelAt(image, 0, y)) << y;
}

// Render paints the screen half transparent (the other cases compare with that); a frame for
// a video is opaque.
TEST_F(ChartImageTest, ScreenIsOpaqueInRgb32FramesAndTheImageIsPaintedInPlace)
{
    Show(Style::SINGLE, {{48, 0, 0}});
    // The image is painted again in place, not allocated anew.
    const uchar* bits = chart.Render(0).constBits();
    EXPECT_EQ(chart.Render(7).constBits(), bits);

    QImage frame(CChartImage::kWidth, CChartImage::kHeight, QImage::Format_RGB32);
    chart.RenderInto(0, frame);
    QImage expected = Receptors(kSingleLanes, 0, QImage::Format_RGB32);
    Place(expected, sheets.note(), Cell(0, 0), {192, 96});
    EXPECT_TRUE(ImagesMatch(frame, expected));

    QImage small(320, 240, QImage::Format_RGB32);
    EXPECT_THROW(chart.RenderInto(0, small), InvalidArgumentError);
    QImage indexed(CChartImage::kWidth, CChartImage::kHeight, QImage::Format_Indexed8);
    EXPECT_THROW(chart.RenderInto(0, indexed), InvalidArgumentError);

    // Without a score only the screen is left.
    chart.SetChartLayout(nullptr);
    chart.RenderInto(0, frame);
    EXPECT_TRUE(ImagesMatch(frame, Receptors({}, 0, QImage::Format_RGB32), 0));
}

// Through a tempo map the distance on screen is the clocks between a note and the chart's
// position, so the notes stand while the chart stops and scroll at the speed of the tempo.
TEST_F(ChartImageTest, NotesStandThroughAStopAsTheyStoodWhenItBegan)
{
    // Taps on whole frames: the beat at 96 (frame 30), a beat after it and three.
    Show(Style::SINGLE, {{96, 0, 0}, {144, 1, 0}, {240, 2, 0}});
    std::vector<QImage> steady;
    for (std::int32_t frame = 0; frame <= 45; ++frame)
        steady.push_back(chart.Render(frame).copy());

    // A 2 s stop after the note at 96: frames 30 to 90 show the chart as it stood at 30.
    CTempoMap stopped(120.0f);
    ASSERT_TRUE(stopped.Add(CStop{96, 2000.0}).empty());
    document.SetTempoMap(stopped);
    for (std::int32_t frame = 0; frame <= 30; ++frame)
        ASSERT_TRUE(ImagesMatch(chart.Render(frame), steady[frame], 0)) << frame;
    for (const std::int32_t frame : {31, 45, 60, 89, 90})
        EXPECT_TRUE(ImagesMatch(chart.Render(frame), steady[30], 0)) << frame;
    EXPECT_FALSE(ImagesMatch(chart.Render(91), steady[30], 0)) << "moving on after the stop";
    EXPECT_TRUE(ImagesMatch(chart.Render(105), steady[45], 0)) << "a beat later, 2 s late";
}

TEST_F(ChartImageTest, NotesScrollTwiceAsFastAtTwiceTheTempo)
{
    // Twice the tempo from clock 192 (frame 60): a tap at 432 rises 64 pixels in the 15
    // frames before and 128 in the 15 after, with the colour of the chart's position.
    CTempoMap doubled(120.0f);
    ASSERT_TRUE(doubled.Add(CTempoChange{192, 240.0f}).empty());
    document.SetTempoMap(doubled);
    CScore* score = Show(Style::SINGLE, {{432, 3, 0}});
    const auto tapAt = [this](int top, int colourRow) {
        QImage expected = Receptors(kSingleLanes, 0);
        Place(expected, sheets.note(), Cell(3, colourRow), {384, top});
        return expected;
    };
    EXPECT_TRUE(ImagesMatch(chart.Render(45), tapAt(416, 12)));
    EXPECT_TRUE(ImagesMatch(chart.Render(60), tapAt(352, 0)));
    EXPECT_TRUE(ImagesMatch(chart.Render(75), tapAt(224, 8)));

    // At the fastest tempo the positions run far past 32 bits of pixels and of clocks before
    // the song; every row still lies inside the sheets.
    ASSERT_TRUE(doubled.Add(CTempoChange{480, kMaxTempoBpm}).empty());
    document.SetTempoMap(doubled);
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    for (const CNote& extreme : {CNote{kMin, 0, 0}, CNote{kMin, 1, kMax}, CNote{kMax - 1, 2, 0},
                                 CNote{-7, 3, 1000}, CNote{481, 0, 0}})
        score->AppendNote(std::make_unique<CNote>(extreme));
    for (std::int32_t frame : {kMin, kMin + 1, -1, 0, 150, 151, kMax - 1, kMax})
        ASSERT_NO_THROW(chart.Render(frame)) << frame;
}
