#include "render/ChartImage.h"

#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "render/ChartFrame.h"
#include "render/DrawSprite.h"
#include "render/SpriteSheets.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <QColor>
#include <QPainter>

#include <algorithm>

namespace zelvane {
namespace {

constexpr std::int32_t kCell = CChartFrame::kCellSize;
constexpr std::int32_t kReceptorTop = CChartFrame::kReceptorTop;
constexpr std::int32_t kReceptorBottom = kReceptorTop + kCell;
constexpr std::int32_t kBodyTile = CSpriteSheets::kBodyTileHeight;
constexpr int kGlowRow = 3;
// A tap from this height down to the receptor line lights its receptor.
constexpr std::int32_t kTapGlowTop = 17;

} // namespace

CChartImage::CChartImage()
    : m_sheets(CSpriteSheets::Get())
    , m_image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied)
{
}

void CChartImage::SetChartLayout(const CScore* score)
{
    m_score = score;
    m_laneCount = score ? std::clamp(score->panelCount(), 0, kMaxLanes) : 0;
    m_padCount = m_laneCount / 4;
    m_laneX.fill(0);
    const bool couple = score && score->style() == Style::COUPLE;
    // Centred on the 10-lane width of the image; a couple's two groups sit half a lane
    // further left so that the gap between them is centred.
    std::int32_t x = (10 - m_laneCount) * kCell / 2 - (couple ? kCell / 2 : 0);
    for (int lane = 0; lane < m_laneCount; ++lane) {
        if (couple && lane == 4)
            x += kCell;
        m_laneX[static_cast<std::size_t>(lane)] = x;
        x += kCell;
    }
}

void CChartImage::SetClocksPerRow(std::int32_t clocksPerRow)
{
    if (clocksPerRow <= 0)
        throw InvalidArgumentError(Reason(IDS_REASON_CLOCKS_PER_ROW, {clocksPerRow}));
    m_clocksPerRow = clocksPerRow;
}

void CChartImage::SetScreenColor(std::uint32_t color)
{
    m_screenColor = color;
}

const QImage& CChartImage::Render(std::int32_t frame)
{
    RenderInto(frame, m_image);
    return m_image;
}

void CChartImage::RenderInto(std::int32_t frame, QImage& target) const
{
    if (target.width() != kWidth || target.height() != kHeight)
        throw InvalidArgumentError(Reason(IDS_REASON_CHART_IMAGE_SIZE));
    const QColor screen(static_cast<int>(m_screenColor & 0xFF),
                        static_cast<int>((m_screenColor >> 8) & 0xFF),
                        static_cast<int>((m_screenColor >> 16) & 0xFF));
    switch (target.format()) {
    case QImage::Format_ARGB32_Premultiplied:
        // Half transparent, so the 3D scene shows through the screen.
        target.fill(QColor(screen.red(), screen.green(), screen.blue(), 0x80));
        break;
    case QImage::Format_RGB32:
        target.fill(screen);
        break;
    default:
        throw InvalidArgumentError(Reason(IDS_REASON_CHART_IMAGE_FORMAT));
    }
    if (!m_score || m_laneCount == 0)
        return;

    const CStepDocument* document = m_score->document();
    const CChartFrame chart = document
        ? CChartFrame(frame, document->tempoMap(), m_clocksPerRow)
        : CChartFrame(frame, CStepDocument::kDefaultBpm, m_clocksPerRow);
    QPainter painter(&target);
    const int receptorRow = chart.ReceptorRow(m_score->length());
    for (int lane = 0; lane < m_laneCount; ++lane) {
        DrawSprite(painter, m_sheets.receptor(), CSpriteSheets::ArrowCell(lane, receptorRow),
                   QRect(m_laneX[static_cast<std::size_t>(lane)], kReceptorTop, kCell, kCell));
    }
    PaintNotes(painter, chart);
}

void CChartImage::PaintNotes(QPainter& painter, const CChartFrame& chart) const
{
    // The notes are walked in score order, so where notes overlap the later one in the score
    // is on top; what cannot be on the image is passed over with two comparisons.
    const std::int64_t lastClock = chart.lastVisibleClock();
    const std::int64_t firstEnd = chart.firstVisibleEnd();
    for (const auto& owned : m_score->notes()) {
        const CNote& note = *owned;
        if (note.clock > lastClock || note.endClock() < firstEnd)
            continue;
        if (note.panel < 0 || note.panel >= m_laneCount)
            continue;
        const std::int64_t top = chart.NoteTop(note.clock);
        const std::int64_t bottom = chart.NoteBottom(note.endClock());
        if (top >= kHeight || bottom < kReceptorBottom)
            continue;
        if (bottom > top + kCell) {
            PaintFreeze(painter, note, top, bottom);
            continue;
        }
        // A visible tap's top lies between the receptor line and the image's bottom, so its
        // rectangle fits in int coordinates.
        const int y = static_cast<int>(top);
        DrawSprite(painter, m_sheets.note(),
                   CSpriteSheets::ArrowCell(note.panel, chart.TapColourRow(note.clock)),
                   QRect(m_laneX[static_cast<std::size_t>(note.panel)], y, kCell, kCell));
        if (top >= kTapGlowTop && top <= kReceptorTop)
            PaintGlow(painter, note.panel);
    }
}

void CChartImage::PaintFreeze(QPainter& painter, const CNote& note, std::int64_t top,
                              std::int64_t bottom) const
{
    // Lit while the freeze passes the receptor line.
    const bool active = top <= kReceptorTop && kReceptorTop < bottom;
    const int row = active ? 1 : 0;
    const int x = m_laneX[static_cast<std::size_t>(note.panel)];

    const std::int64_t capTop = bottom - kCell;
    if (capTop > kReceptorTop && capTop < kHeight) {
        DrawSprite(painter, m_sheets.holdTail(), CSpriteSheets::ArrowCell(note.panel, row),
                   QRect(x, static_cast<int>(capTop), kCell, kCell));
    }

    // The body runs from the middle of the head (never above the receptors' middle) to the
    // end cap, in whole tiles laid upwards from the cap and one partial tile at the top, so
    // its pattern stays fixed to the cap while the head end is cut.
    const std::int64_t bodyTop = std::max<std::int64_t>(top + kCell / 2, kReceptorTop + kCell / 2);
    const std::int64_t bodyBottom = capTop;
    if (bodyTop < bodyBottom) {
        const QRect tile = CSpriteSheets::BodyTile(note.panel, row);
        const std::int64_t wholeTiles = (bodyBottom - bodyTop) / kBodyTile;
        // Tiles entirely below the image are skipped by count, not drawn one by one: a
        // freeze may reach millions of pixels down.
        const std::int64_t firstShown
            = std::max<std::int64_t>(0, (bodyBottom - kHeight) / kBodyTile);
        for (std::int64_t k = firstShown; k < wholeTiles; ++k) {
            const std::int64_t tileTop = bodyBottom - (k + 1) * kBodyTile;
            DrawSprite(painter, m_sheets.holdBody(), tile,
                       QRect(x, static_cast<int>(tileTop), kCell, kBodyTile));
        }
        const std::int64_t restBottom = bodyBottom - wholeTiles * kBodyTile;
        if (bodyTop < restBottom && bodyTop < kHeight) {
            // The lower part of a tile, as if a whole one ended at restBottom.
            const int skipped = static_cast<int>(bodyTop - (restBottom - kBodyTile));
            const QRect source(tile.x(), tile.y() + skipped, kCell, kBodyTile - skipped);
            DrawSprite(painter, m_sheets.holdBody(), source,
                       QRect(x, static_cast<int>(bodyTop), kCell, kBodyTile - skipped));
        }
    }

    if (top >= kReceptorTop) {
        DrawSprite(painter, m_sheets.holdHead(), CSpriteSheets::ArrowCell(note.panel, row),
                   QRect(x, static_cast<int>(top), kCell, kCell));
    }
    if (active)
        PaintGlow(painter, note.panel);
}

void CChartImage::PaintGlow(QPainter& painter, std::int32_t panel) const
{
    DrawSprite(painter, m_sheets.receptor(), CSpriteSheets::ArrowCell(panel, kGlowRow),
               QRect(m_laneX[static_cast<std::size_t>(panel)], kReceptorTop, kCell, kCell));
}

} // namespace zelvane
