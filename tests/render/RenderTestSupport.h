#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace zelvane::test {

// Pixels are read straight from memory: premultiplied ARGB32, or RGB32 with alpha 0xFF.
inline QRgb PixelAt(const QImage& image, int x, int y)
{
    return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
}

// Premultiplied source-over, computed here independently of QPainter.
inline QRgb Over(QRgb destination, QRgb source)
{
    const int inverse = 255 - qAlpha(source);
    const auto channel = [inverse](int s, int d) { return s + (d * inverse + 127) / 255; };
    return qRgba(
        channel(qRed(source), qRed(destination)), channel(qGreen(source), qGreen(destination)),
        channel(qBlue(source), qBlue(destination)), channel(qAlpha(source), qAlpha(destination)));
}

// Blends the `source` cell of a sheet onto `image` with its top left corner at `at`.
inline void Place(QImage& image, const QImage& sheet, const QRect& source, QPoint at)
{
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const int tx = at.x() + x;
            const int ty = at.y() + y;
            if (!image.rect().contains(tx, ty))
                continue;
            QRgb& pixel = reinterpret_cast<QRgb*>(image.scanLine(ty))[tx];
            pixel = Over(pixel, PixelAt(sheet, source.x() + x, source.y() + y));
        }
    }
}

// Whether two images agree within `tolerance` per channel (rounding differs by a step per
// blended layer); the failure names the first pixel that does not and how many differ.
inline ::testing::AssertionResult ImagesMatch(const QImage& actual, const QImage& expected,
                                              int tolerance = 3)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "sizes differ";
    int differing = 0;
    QString first;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = PixelAt(actual, x, y);
            const QRgb e = PixelAt(expected, x, y);
            const int worst
                = std::max({std::abs(qRed(a) - qRed(e)), std::abs(qGreen(a) - qGreen(e)),
                            std::abs(qBlue(a) - qBlue(e)), std::abs(qAlpha(a) - qAlpha(e))});
            if (worst > tolerance && differing++ == 0)
                first = QString::asprintf("(%d, %d): %08x instead of %08x", x, y, a, e);
        }
    }
    if (differing == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << differing << " pixels differ, first at " << first.toStdString();
}

} // namespace zelvane::test
