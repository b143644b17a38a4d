#pragma once

#include <QImage>
#include <QRect>

#include <array>
#include <cstdint>

namespace zelvane {

// The images the chart is drawn with, decoded once from the program's embedded resources
// and shared: the arrow sheets (256 pixels wide, four 64-pixel columns for the left, down,
// up and right arrows), the dance pad and the ten default toon ramps. Every image is in
// Format_ARGB32_Premultiplied, the format QPainter blends fastest. The images are never
// changed after loading, so any thread may draw from them.
class CSpriteSheets {
public:
    static constexpr int kCellSize = 64;
    static constexpr int kBodyTileHeight = 2 * kCellSize;
    static constexpr int kToonCount = 10;

    // The one set of sheets, loaded on first use. Throws FileFormatError if an embedded
    // image cannot be decoded or does not have its layout's size (a broken build).
    static const CSpriteSheets& Get();

    // 256 x 256: outlined arrows; rows bright, normal, dim, white glow.
    const QImage& receptor() const { return m_receptor; }
    // 256 x 1024: filled arrows, sixteen rows of a colour cycle.
    const QImage& note() const { return m_note; }
    // 256 x 128: freeze heads, rows idle and active.
    const QImage& holdHead() const { return m_holdHead; }
    // 256 x 256: freeze bodies, two 128-pixel rows (idle, active) that tile vertically.
    const QImage& holdBody() const { return m_holdBody; }
    // 256 x 128: freeze end caps, rows idle and active.
    const QImage& holdTail() const { return m_holdTail; }
    // 192 x 192: the 3 x 3 dance pad, opaque.
    const QImage& pad() const { return m_pad; }
    // 32 x 32: toon ramp `index` (0-9), light at the top. InvalidArgumentError otherwise.
    const QImage& toon(int index) const;

    // The 64 x 64 cell of `panel`'s arrow (its column is the panel modulo 4) in `row` of
    // the receptor, note, head or tail sheet.
    static QRect ArrowCell(std::int32_t panel, int row);
    // The 64 x 128 body tile of `panel` in `row` of the body sheet.
    static QRect BodyTile(std::int32_t panel, int row);

private:
    CSpriteSheets();

    QImage m_receptor;
    QImage m_note;
    QImage m_holdHead;
    QImage m_holdBody;
    QImage m_holdTail;
    QImage m_pad;
    std::array<QImage, kToonCount> m_toons;
};

} // namespace zelvane
