#include "render/SpriteSheets.h"
#include "RenderTestSupport.h"
#include "render/DrawSprite.h"
#include "text/Errors.h"

#include <QPainter>

#include <set>

using namespace zelvane;
using namespace zelvane::test;

namespace {

struct SheetLayout {
    const char* name;
    const QImage& image;
    int width;
    int height;
    int cellHeight;
    bool opaque; // pads and toons cover their whole cell
};

// Alpha of every pixel of a rectangle: the smallest and the largest.
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
    std::vector<SheetLayout> layouts{
        {"receptor", sheets.receptor(), 256, 256, 64, false},
        {"note", sheets.note(), 256, 1024, 64, false},
        {"holdHead", sheets.holdHead(), 256, 128, 64, false},
        {"holdBody", sheets.holdBody(), 256, 256, 128, false},
        {"holdTail", sheets.holdTail(), 256, 128, 64, false},
        {"pad", sheets.pad(), 192, 192, 64, true},
    };
    std::set<std::pair<QRgb, QRgb>> toonRamps;
    for (int i = 0; i < CSpriteSheets::kToonCount; ++i) {
        layouts.push_back({"toon", sheets.toon(i), 32, 32, 32, true});
        // Light at the top (faces toward the light), darker at the bottom, each its own.
        const QRgb light = PixelAt(sheets.toon(i), 16, 0);
        const QRgb shade = PixelAt(sheets.toon(i), 16, 31);
        EXPECT_GT(qGray(light), qGray(shade)) << i;
        toonRamps.insert({light, shade});
    }
    EXPECT_EQ(toonRamps.size(), 10u);
    EXPECT_THROW(sheets.toon(10), InvalidArgumentError);

    for (const SheetLayout& sheet : layouts) {
        SCOPED_TRACE(sheet.name);
        ASSERT_EQ(sheet.image.format(), QImage::Format_ARGB32_Premultiplied);
        ASSERT_EQ(sheet.image.width(), sheet.width);
        ASSERT_EQ(sheet.image.height(), sheet.height);
        const int cellWidth = std::min(sheet.width, 64);
        for (int top = 0; top < sheet.height; top += sheet.cellHeight) {
            for (int left = 0; left < sheet.width; left += cellWidth) {
                SCOPED_TRACE(testing::Message() << "cell at " << left << ", " << top);
                const QRect cell(left, top, cellWidth, sheet.cellHeight);
                if (sheet.opaque) {
                    EXPECT_EQ(AlphaRange(sheet.image, cell).first, 255);
                    continue;
                }
                // Outlined receptors are hollow, so the middle must hold some opaque pixels
                // rather than be opaque throughout.
                const QRect middle(cell.center() - QPoint(15, 15), QSize(32, 32));
                EXPECT_EQ(AlphaRange(sheet.image, middle).second, 255);
                for (const QPoint corner :
                     {cell.topLeft(), cell.topRight() - QPoint(3, 0),
                      cell.bottomLeft() - QPoint(0, 3), cell.bottomRight() - QPoint(3, 3)})
                    EXPECT_EQ(AlphaRange(sheet.image, QRect(corner, QSize(4, 4))).second, 0);
            }
        }
    }
}

TEST(DrawSprite, UnscaledCellsLandPixelExactAndScaledOnesStayInTheirRectangle)
{
    const QImage& notes = CSpriteSheets::Get().note();
    const QRect cell = CSpriteSheets::ArrowCell(5, 5); // panel 5 is a down arrow; sixth colour
    EXPECT_EQ(cell, QRect(64, 320, 64, 64));

    QImage target(200, 200, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::transparent);
    {
        QPainter painter(&target);
        DrawSprite(painter, notes, cell, QRect(10, 20, 64, 64));
        DrawSprite(painter, notes, cell, QRect(100, 100, 48, 48));
        DrawSprite(painter, notes, cell, QRect(0, 0, 0, 64)); // empty: nothing
        EXPECT_THROW(DrawSprite(painter, notes, QRect(200, 1000, 64, 64), QRect(0, 0, 64, 64)),
                     InvalidArgumentError);
    }
    // Over a transparent image source-over gives the texels themselves.
    QImage expected(200, 200, QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::transparent);
    Place(expected, notes, cell, {10, 20});
    const QImage unscaled = target.copy(0, 0, 90, 90);
    EXPECT_TRUE(ImagesMatch(unscaled, expected.copy(0, 0, 90, 90), 0));

    const QRect scaled(100, 100, 48, 48);
    EXPECT_EQ(qAlpha(PixelAt(target, 124, 124)), 255);
    for (int y = 90; y < 200; ++y) {
        for (int x = 90; x < 200; ++x) {
            if (!scaled.contains(x, y)) {
                ASSERT_EQ(PixelAt(target, x, y), 0u) << x << ", " << y;
            }
        }
    }
}
