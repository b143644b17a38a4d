#pragma once

#include <QImage>

#include <array>
#include <cstdint>

class QPainter;

namespace zelvane {

class CChartFrame;
class CScore;
class CSpriteSheets;
struct CNote;

// The chart screen: a 640 x 480 picture of the current score scrolling up to the receptor
// line, which the 3D view shows on its screen and the background video writes frame by
// frame. Painting needs QtGui alone (no widgets, no display), so it also runs in a worker.
class CChartImage {
public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;
    static constexpr int kMaxLanes = 8;
    static constexpr std::int32_t kDefaultClocksPerRow = 48;

    // Loads the sprite sheets if nothing has yet (FileFormatError for a broken build).
    CChartImage();

    // Shows `score` (null: nothing but the screen colour) and places its lanes: four side
    // by side in the middle, eight for two pads, and a 64-pixel gap between the dancers of
    // a couple. The score must stay alive until it is replaced here; its notes and length
    // are read again on every frame, so edits show at once.
    void SetChartLayout(const CScore* score);
    // Clocks per 64 pixels of scrolling (the document's zoom); InvalidArgumentError unless
    // above 0.
    void SetClocksPerRow(std::int32_t clocksPerRow);
    // The screen colour as 0x00BBGGRR.
    void SetScreenColor(std::uint32_t color);

    // Paints `frame` (30 per second, negative during the lead-in) into the image this object
    // keeps, over the screen colour at alpha 0x80, and returns it; the image is reused, so
    // the result stays valid until the next Render.
    const QImage& Render(std::int32_t frame);
    // Paints `frame` into a caller's 640 x 480 image without allocating: an RGB32 target is
    // cleared to the opaque screen colour, an ARGB32_Premultiplied one to alpha 0x80.
    // InvalidArgumentError for any other size or format.
    void RenderInto(std::int32_t frame, QImage& target) const;

    const CScore* score() const { return m_score; }
    int laneCount() const { return m_laneCount; }
    int padCount() const { return m_padCount; }
    // Left pixel of lane `lane` (0 to laneCount() - 1).
    std::int32_t laneX(int lane) const { return m_laneX.at(static_cast<std::size_t>(lane)); }
    std::int32_t clocksPerRow() const { return m_clocksPerRow; }
    std::uint32_t screenColor() const { return m_screenColor; }

private:
    void PaintNotes(QPainter& painter, const CChartFrame& chart) const;
    void PaintFreeze(QPainter& painter, const CNote& note, std::int64_t top,
                     std::int64_t bottom) const;
    void PaintGlow(QPainter& painter, std::int32_t panel) const;

    const CSpriteSheets& m_sheets;
    const CScore* m_score = nullptr;
    int m_laneCount = 0;
    int m_padCount = 0;
    std::array<std::int32_t, kMaxLanes> m_laneX{};
    std::int32_t m_clocksPerRow = kDefaultClocksPerRow;
    std::uint32_t m_screenColor = 0;
    QImage m_image;
};

} // namespace zelvane
