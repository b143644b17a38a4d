#include "render/SpriteSheets.h"
#include "RenderTestSupport.h"
#include "render/DrawSprite.h"
#include "text/Errors.h"

#include <QPainter>

#include <set>

using namespace zelvane;
using namespace zelvane::test;

namespace {

// The smallest and the largest alpha in a rectangle.
std::pair<int, int> AlphaRange(const QImage& image, const QRect& area)
{
    int low = 255;
    int high = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            low = std::min(low, qAlpha(PixelAt(image, x, y)));
            high = std::max(high, qAlpha(PixelAt(image, x, y)));
        }
    }
    return {low, high};
}

} // namespace

TEST(SpriteSheets, EveryCellHasItsArrowInTheMiddleAndClearCornersAndToonsDarkenDownwards)
{
    const CSpriteSheets& sheets = CSpriteSheets::Get();
    const struct {
        const char* name;
        const QImage& image;
        int cellHeight;
    } arrows[] = {{"receptor", sheets.receptor(), 64},
                  {"note", sheets.note(), 64},
                  {"holdHead", sheets.holdHead(), 64},
                  {"holdBody", sheets.holdBody(), 128},
                  {"holdTail", sheets.holdTail(), 64}};
    for (const auto& sheet : arrows) {
        SCOPED_TRACE(sheet.name);
        ASSERT_EQ(sheet.image.format(), QImage::Format_ARGB32_Premultiplied);
        ASSERT_EQ(sheet.image.width(), 4 * 64);
        for (int top = 0; top < sheet.image.height(); top += sheet.cellHeight) {
            for (int left = 0; left < sheet.image.width(); left += 64) {
                SCOPED_TRACE(testing::Message() << "cell at " << left << ", " << top);
                const QRect cell(left, top, 64, sheet.cellHeight);
                // Outlined receptors are hollow: the middle holds some opaque pixels.
                const QRect middle(cell.center() - QPoint(15, 15), QSize(32, 32));
                EXPECT_EQ(AlphaRange(sheet.image, middle).second, 255);
                for (const QPoint corner :
                     {cell.topLeft(), cell.topRight() - QPoint(3, 0),
                      cell.bottomLeft() - QPoint(0, 3), cell.bottomRight() - QPoint(3, 3)})
                    EXPECT_EQ(AlphaRange(sheet.image, QRect(corner, QSize(4, 4))).second, 0);
            }
        }
    }

    // The pad and the toon ramps are opaque; each ramp is its own, light at the top (faces
    // toward the light) and darker at the bottom.
    ASSERT_EQ(sheets.pad().format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(AlphaRange(sheets.pad(), sheets.pad().rect()).first, 255);
    std::set<std::pair<QRgb, QRgb>> ramps;
    for (int i = 0; i < CSpriteSheets::kToonCount; ++i) {
        const QImage& toon = sheets.toon(i);
        ASSERT_EQ(toon.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(AlphaRange(toon, toon.rect()).first, 255) << i;
        const QRgb light = PixelAt(toon, 16, 0);
        const QRgb shade = PixelAt(toon, 16, toon.height() - 1);
        EXPECT_GT(qGray(light), qGray(shade)) << i;
        ramps.insert({light, shade});
    }
    EXPECT_EQ(ramps.size(), 10u);
    EXPECT_THROW(sheets.toon(10), InvalidArgumentError);
}

// Unscaled cells are drawn pixel for pixel in every ChartImageTest case.
TEST(DrawSprite, ScaledCellsStayInTheirRectangleAndCellsOutsideTheSheetAreRefused)
{
    const QImage& notes = CSpriteSheets::Get().note();
    const QRect cell = CSpriteSheets::ArrowCell(5, 5); // panel 5 is a down arrow; sixth colour
    EXPECT_EQ(cell, QRect(64, 320, 64, 64));

    QImage target(200, 200, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::transparent);
    const QRect scaled(100, 100, 48, 48);
    {
        QPainter painter(&target);
        DrawSprite(painter, notes, cell, scaled);
        DrawSprite(painter, notes, cell, QRect(0, 0, 0, 64)); // empty: nothing
        EXPECT_THROW(DrawSprite(painter, notes, QRect(200, 1000, 64, 64), QRect(0, 0, 64, 64)),
                     InvalidArgumentError);
    }
    EXPECT_EQ(qAlpha(PixelAt(target, 124, 124)), 255);
    int strays = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            strays += !scaled.contains(x, y) && PixelAt(target, x, y) != 0u ? 1 : 0;
    EXPECT_EQ(strays, 0) << "pixels drawn outside the scaled rectangle";
}
