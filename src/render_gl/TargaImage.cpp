#include "render_gl/TargaImage.h"

#include <cstdint>

namespace zelvane {

namespace {

constexpr int kHeaderSize = 18;
// Image types: raw true colour, raw grey, and their run-length encoded forms.
constexpr int kTrueColour = 2;
constexpr int kGrey = 3;
constexpr int kRunLength = 8;
// Descriptor bits: rows from the top down, columns from the right.
constexpr int kTopDown = 0x20;
constexpr int kRightToLeft = 0x10;
constexpr int kAlphaBits = 0x0F;
constexpr int kRunBit = 0x80;
constexpr int kMaxRun = 128;

int ReadU16(const QByteArray& bytes, int at)
{
    return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8;
}

// Reads pixels one at a time from the raw or run-length encoded data, never past its end.
class PixelSource {
public:
    PixelSource(const QByteArray& bytes, qsizetype start, int pixelSize, bool runLength)
        : m_bytes(bytes)
        , m_at(start)
        , m_pixelSize(pixelSize)
        , m_runLength(runLength)
    {
    }

    // The next pixel's bytes (blue, green, red, alpha or grey), or null at the end.
    const char* Next()
    {
        if (!m_runLength)
            return Take();
        if (m_left == 0) {
            if (m_at >= m_bytes.size())
                return nullptr;
            const int packet = static_cast<std::uint8_t>(m_bytes[m_at++]);
            m_repeat = (packet & kRunBit) != 0;
            m_left = (packet & ~kRunBit) + 1;
            if (m_repeat && !(m_current = Take()))
                return nullptr;
        }
        --m_left;
        return m_repeat ? m_current : Take();
    }

private:
    const char* Take()
    {
        if (m_bytes.size() - m_at < m_pixelSize)
            return nullptr;
        const char* pixel = m_bytes.constData() + m_at;
        m_at += m_pixelSize;
        return pixel;
    }

    const QByteArray& m_bytes;
    qsizetype m_at;
    int m_pixelSize;
    bool m_runLength;
    int m_left = 0;
    bool m_repeat = false;
    const char* m_current = nullptr;
};

} // namespace

QImage CTargaImage::Read(const QByteArray& bytes)
{
    if (bytes.size() < kHeaderSize)
        return {};
    const int idLength = static_cast<std::uint8_t>(bytes[0]);
    const int colourMapType = static_cast<std::uint8_t>(bytes[1]);
    const int imageType = static_cast<std::uint8_t>(bytes[2]);
    const int width = ReadU16(bytes, 12);
    const int height = ReadU16(bytes, 14);
    const int bits = static_cast<std::uint8_t>(bytes[16]);
    const int descriptor = static_cast<std::uint8_t>(bytes[17]);
    const int baseType = imageType & ~kRunLength;
    const bool grey = baseType == kGrey;
    // Colour-mapped pictures and other depths are not used for textures.
    if (colourMapType != 0 || (baseType != kTrueColour && !grey) || width == 0 || height == 0)
        return {};
    if ((grey && bits != 8) || (!grey && bits != 24 && bits != 32))
        return {};
    const int pixelSize = bits / 8;
    const bool alpha = bits == 32 && (descriptor & kAlphaBits) != 0;
    const bool runLength = (imageType & kRunLength) != 0;
    // The smallest data that could hold every pixel (a run packet covers at most 128), so
    // a short file cannot make a large picture be allocated.
    const qsizetype pixels = static_cast<qsizetype>(width) * height;
    const qsizetype data = bytes.size() - kHeaderSize - idLength;
    const qsizetype needed
        = runLength ? (pixels + kMaxRun - 1) / kMaxRun * (1 + pixelSize) : pixels * pixelSize;
    if (data < needed)
        return {};

    QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    PixelSource source(bytes, kHeaderSize + idLength, pixelSize, runLength);
    for (int row = 0; row < height; ++row) {
        const int y = (descriptor & kTopDown) ? row : height - 1 - row;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int column = 0; column < width; ++column) {
            const char* p = source.Next();
            if (!p)
                return {};
            const auto byte = [p](int i) { return static_cast<std::uint8_t>(p[i]); };
            const int x = (descriptor & kRightToLeft) ? width - 1 - column : column;
            line[x] = grey ? qRgb(byte(0), byte(0), byte(0))
                           : qRgba(byte(2), byte(1), byte(0), alpha ? byte(3) : 0xFF);
        }
    }
    return image;
}

} // namespace zelvane
