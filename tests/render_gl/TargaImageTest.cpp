#include "render_gl/TargaImage.h"
#include "GLTestSupport.h"

#include <gtest/gtest.h>

#include <QColor>

namespace zelvane::test {
namespace {

// Raw rows run from the bottom up unless the descriptor says otherwise; pixels are stored
// blue, green, red. Run-length pictures repeat a pixel or copy raw ones, with alpha or grey.
TEST(TargaImageTest, ReadsRawAndRunLengthRowsInEitherOrder)
{
    // The first stored row red and green, the second blue and white.
    const QByteArray pixels = QByteArray::fromHex("0000ff 00ff00 ff0000 ffffff");
    QImage image = CTargaImage::Read(TgaHeader(2, 2, 2, 24, 0) + pixels);
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.pixelColor(0, 1), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(1, 0), QColor(255, 255, 255));

    image = CTargaImage::Read(TgaHeader(2, 2, 2, 24, 0x20) + pixels);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(255, 255, 255));

    // A run of three translucent red pixels, then one raw opaque blue one.
    const QByteArray runs = QByteArray::fromHex("82 0000ff40 00 ff0000ff");
    image = CTargaImage::Read(TgaHeader(10, 2, 2, 32, 0x28) + runs);
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0, 0x40));
    EXPECT_EQ(image.pixelColor(0, 1), QColor(255, 0, 0, 0x40));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(0, 0, 255, 0xFF));

    const QImage grey = CTargaImage::Read(TgaHeader(11, 3, 1, 8, 0) + QByteArray::fromHex("82 80"));
    ASSERT_EQ(grey.size(), QSize(3, 1));
    EXPECT_EQ(grey.pixelColor(2, 0), QColor(0x80, 0x80, 0x80));
}

// Every shortened file and every header this reader does not know gives a null image.
TEST(TargaImageTest, RefusesWhatItCannotRead)
{
    const QByteArray raw = TgaHeader(2, 2, 2, 24, 0) + QByteArray(12, '\x10');
    const QByteArray runs
        = TgaHeader(10, 2, 2, 24, 0) + QByteArray::fromHex("81 010203 01 040506 070809");
    for (const QByteArray& whole : {raw, runs}) {
        ASSERT_FALSE(CTargaImage::Read(whole).isNull());
        for (qsizetype length = 0; length < whole.size(); ++length)
            EXPECT_TRUE(CTargaImage::Read(whole.left(length)).isNull())
                << "type " << int(whole[2]) << ", " << length;
    }
    EXPECT_TRUE(CTargaImage::Read(TgaHeader(1, 2, 2, 8, 0) + QByteArray(4, '\0')).isNull());
    EXPECT_TRUE(CTargaImage::Read(TgaHeader(2, 2, 2, 16, 0) + QByteArray(8, '\0')).isNull());
    EXPECT_TRUE(CTargaImage::Read(TgaHeader(2, 0, 2, 24, 0)).isNull());
    // A huge picture claimed by a few bytes is refused before anything is allocated.
    QByteArray huge = TgaHeader(10, 0, 0, 32, 0) + QByteArray(64, '\xFF');
    huge[12] = huge[13] = huge[14] = huge[15] = '\xFF';
    EXPECT_TRUE(CTargaImage::Read(huge).isNull());
}

} // namespace
} // namespace zelvane::test
