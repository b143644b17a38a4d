// Draws the sprite sheets of the chart (receptors, notes, freeze heads, bodies and end caps),
// the dance pad and the ten toon ramps, and writes them as PNG files into a folder. The
// build embeds the committed files; run this and commit what it writes when the pictures
// change:
//   build/resources/MakeSheets resources/sheets
//
// Every arrow sheet is 256 pixels wide, four 64-pixel columns (left, down, up, right), and
// fully transparent outside the arrows, so the painter can blend the cells over anything.

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

namespace {

constexpr int kCell = 64;
constexpr int kSheetWidth = 4 * kCell;
// Column order of every arrow sheet, as turns of the upward arrow in degrees.
constexpr std::array<qreal, 4> kColumnTurns{-90.0, 180.0, 0.0, 90.0}; // left, down, up, right

QColor Mix(const QColor& a, const QColor& b, qreal t)
{
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor WithAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

// The upward arrow fills most of its cell but keeps the corners clear; the other columns
// are the same arrow turned about the cell centre.
QPainterPath ArrowPath(int column, qreal scale = 1.0)
{
    QPainterPath path;
    path.moveTo(32, 5);
    path.lineTo(59, 32);
    path.lineTo(44, 32);
    path.lineTo(44, 59);
    path.lineTo(20, 59);
    path.lineTo(20, 32);
    path.lineTo(5, 32);
    path.closeSubpath();
    QTransform turn;
    turn.translate(32, 32);
    turn.rotate(kColumnTurns[static_cast<std::size_t>(column)]);
    turn.scale(scale, scale);
    turn.translate(-32, -32);
    return turn.map(path);
}

QPen RoundPen(const QColor& colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A filled arrow lit from above: a vertical gradient of its colour, a light rim inside the
// edge, a gloss on the upper half and a dark outline that keeps it readable on any screen.
void DrawFilledArrow(QPainter& painter, const QPainterPath& arrow, const QColor& colour)
{
    const QRectF bounds = arrow.boundingRect();
    QLinearGradient body(bounds.topLeft(), bounds.bottomLeft());
    body.setColorAt(0.0, Mix(colour, Qt::white, 0.45));
    body.setColorAt(0.5, colour);
    body.setColorAt(1.0, Mix(colour, Qt::black, 0.45));
    painter.fillPath(arrow, body);

    painter.save();
    painter.setClipPath(arrow);
    painter.strokePath(arrow, RoundPen(WithAlpha(Mix(colour, Qt::white, 0.6), 170), 6.0));
    QRadialGradient gloss(QPointF(bounds.center().x(), bounds.top()), bounds.height() * 0.6);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 120));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillRect(bounds, gloss);
    painter.restore();

    painter.strokePath(arrow, RoundPen(Mix(colour, QColor(10, 10, 20), 0.75), 2.5));
}

// An arrow drawn as a tube along its outline over a translucent dark inside: the receptors
// show where the notes must be hit without hiding the screen behind them.
void DrawOutlinedArrow(QPainter& painter, const QPainterPath& arrow, const QColor& tube,
                       int insideAlpha)
{
    painter.fillPath(arrow, QColor(0, 0, 0, insideAlpha));
    painter.strokePath(arrow, RoundPen(QColor(16, 16, 24), 7.5));
    painter.strokePath(arrow, RoundPen(tube, 4.5));
    painter.strokePath(arrow, RoundPen(Mix(tube, Qt::white, 0.5), 1.5));
}

// The flash of a hit: a soft white halo around a white outline.
void DrawGlowArrow(QPainter& painter, const QPainterPath& arrow)
{
    painter.fillPath(arrow, QColor(255, 255, 255, 90));
    for (const auto& [width, alpha] : {std::pair{15.0, 35}, {11.0, 60}, {8.0, 110}})
        painter.strokePath(arrow, RoundPen(QColor(255, 255, 255, alpha), width));
    painter.strokePath(arrow, RoundPen(Qt::white, 5.0));
}

QImage TransparentSheet(int height)
{
    QImage sheet(kSheetWidth, height, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::transparent);
    return sheet;
}

// Calls `draw` once per cell with the painter moved to the cell and clipped to it, so that
// nothing spills into a neighbouring cell.
void ForEachCell(QImage& sheet, int cellHeight,
                 const std::function<void(QPainter&, int column, int row)>& draw)
{
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int row = 0; row * cellHeight < sheet.height(); ++row) {
        for (int column = 0; column * kCell < sheet.width(); ++column) {
            painter.save();
            painter.translate(column * kCell, row * cellHeight);
            painter.setClipRect(0, 0, kCell, cellHeight);
            draw(painter, column, row);
            painter.restore();
        }
    }
}

QImage MakeReceptorSheet()
{
    QImage sheet = TransparentSheet(4 * kCell);
    ForEachCell(sheet, kCell, [](QPainter& painter, int column, int row) {
        const QPainterPath arrow = ArrowPath(column);
        switch (row) {
        case 0: // bright: the first clocks of each beat
            DrawOutlinedArrow(painter, arrow, QColor(246, 246, 255), 70);
            break;
        case 1: // normal
            DrawOutlinedArrow(painter, arrow, QColor(150, 156, 172), 70);
            break;
        case 2: // dim: before the song and after the chart
            DrawOutlinedArrow(painter, arrow, QColor(78, 80, 90), 50);
            break;
        default: // the glow of a hit
            DrawGlowArrow(painter, arrow);
            break;
        }
    });
    return sheet;
}

// Sixteen colours: the eight named ones on the even rows, the blends between them on the
// odd rows, so the cycle has no jump anywhere, also from the last row back to the first.
QColor NoteColour(int row)
{
    static const std::array<QColor, 8> named{
        QColor(255, 64, 224),  // magenta
        QColor(64, 96, 255),   // blue
        QColor(48, 224, 255),  // cyan
        QColor(64, 240, 96),   // green
        QColor(250, 250, 250), // white
        QColor(255, 154, 48),  // orange
        QColor(255, 232, 48),  // yellow
        QColor(255, 56, 56),   // red
    };
    const auto index = static_cast<std::size_t>(row / 2);
    const QColor& here = named[index];
    return row % 2 == 0 ? here : Mix(here, named[(index + 1) % named.size()], 0.5);
}

QImage MakeNoteSheet()
{
    QImage sheet = TransparentSheet(16 * kCell);
    ForEachCell(sheet, kCell, [](QPainter& painter, int column, int row) {
        DrawFilledArrow(painter, ArrowPath(column), NoteColour(row));
    });
    return sheet;
}

// Freeze arrows are green; row 0 idle (dim), row 1 while the panel is held (lit).
QColor FreezeColour(int row)
{
    return row == 0 ? QColor(44, 122, 60) : QColor(120, 255, 110);
}

QImage MakeHoldHeadSheet()
{
    QImage sheet = TransparentSheet(2 * kCell);
    ForEachCell(sheet, kCell, [](QPainter& painter, int column, int row) {
        DrawFilledArrow(painter, ArrowPath(column), FreezeColour(row));
    });
    return sheet;
}

// The body band of a freeze, between the head's stem edges.
constexpr qreal kBandLeft = 19.0;
constexpr qreal kBandRight = 45.0;
// Chevrons every 32 pixels: a period that divides the 128-pixel tile, so the body tiles
// without a seam and the end cap, laid below a tile, continues the pattern.
constexpr int kChevronPeriod = 32;

void FillBand(QPainter& painter, const QPainterPath& band, int row, int height)
{
    const QColor colour = FreezeColour(row);
    QLinearGradient across(kBandLeft, 0, kBandRight, 0);
    across.setColorAt(0.0, Mix(colour, Qt::black, 0.5));
    across.setColorAt(0.45, Mix(colour, Qt::white, row == 0 ? 0.1 : 0.35));
    across.setColorAt(1.0, Mix(colour, Qt::black, 0.5));
    painter.fillPath(band, across);

    painter.save();
    painter.setClipPath(band);
    const QPen chevronPen = RoundPen(WithAlpha(Mix(colour, Qt::white, 0.5), 150), 3.0);
    for (int y = -kChevronPeriod; y <= height + kChevronPeriod; y += kChevronPeriod) {
        QPainterPath chevron;
        chevron.moveTo(kBandLeft - 2, y + 12);
        chevron.lineTo(32, y + 2);
        chevron.lineTo(kBandRight + 2, y + 12);
        painter.strokePath(chevron, chevronPen);
    }
    painter.restore();
}

QPen BandEdgePen(int row)
{
    return QPen(Mix(FreezeColour(row), QColor(10, 10, 20), 0.75), 2.0);
}

QImage MakeHoldBodySheet()
{
    constexpr int kTile = 2 * kCell;
    QImage sheet = TransparentSheet(2 * kTile);
    ForEachCell(sheet, kTile, [](QPainter& painter, int, int row) {
        QPainterPath band;
        band.addRect(QRectF(kBandLeft, 0, kBandRight - kBandLeft, kTile));
        FillBand(painter, band, row, kTile);
        painter.setPen(BandEdgePen(row));
        painter.drawLine(QPointF(kBandLeft, 0), QPointF(kBandLeft, kTile));
        painter.drawLine(QPointF(kBandRight, 0), QPointF(kBandRight, kTile));
    });
    return sheet;
}

QImage MakeHoldTailSheet()
{
    QImage sheet = TransparentSheet(2 * kCell);
    ForEachCell(sheet, kCell, [](QPainter& painter, int, int row) {
        // The band comes in at the top edge and ends in a rounded cap.
        constexpr qreal kRadius = (kBandRight - kBandLeft) / 2.0;
        constexpr qreal kCapCentre = 40.0;
        QPainterPath outline;
        outline.moveTo(kBandLeft, 0);
        outline.lineTo(kBandLeft, kCapCentre);
        outline.arcTo(QRectF(kBandLeft, kCapCentre - kRadius, 2 * kRadius, 2 * kRadius), 180, 180);
        outline.lineTo(kBandRight, 0);
        QPainterPath band = outline;
        band.closeSubpath();
        FillBand(painter, band, row, kCell);
        painter.strokePath(outline, BandEdgePen(row));
    });
    return sheet;
}

// The 3 x 3 pad seen from above, the screen side at the top: arrow panels left, down, up
// and right around a plain centre, plain corners, on an opaque metal frame.
QImage MakePad()
{
    constexpr int kPanels = 3;
    QImage pad(kPanels * kCell, kPanels * kCell, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&pad);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient metal(0, 0, pad.width(), pad.height());
    metal.setColorAt(0.0, QColor(150, 154, 164));
    metal.setColorAt(1.0, QColor(92, 96, 106));
    painter.fillRect(pad.rect(), metal);

    // Cell (x, y) of each arrow column: left, down, up, right.
    constexpr std::array<std::pair<int, int>, 4> kArrowPanels{{{0, 1}, {1, 2}, {1, 0}, {2, 1}}};
    for (int y = 0; y < kPanels; ++y) {
        for (int x = 0; x < kPanels; ++x) {
            painter.save();
            painter.translate(x * kCell, y * kCell);
            const QRectF panel(4.5, 4.5, kCell - 9, kCell - 9);
            painter.setPen(QPen(QColor(40, 42, 48), 2.0));
            QLinearGradient face(panel.topLeft(), panel.bottomRight());
            face.setColorAt(0.0, QColor(70, 74, 86));
            face.setColorAt(1.0, QColor(34, 36, 44));
            painter.setBrush(face);
            painter.drawRoundedRect(panel, 6, 6);
            for (int column = 0; column < 4; ++column) {
                if (kArrowPanels[static_cast<std::size_t>(column)] == std::pair{x, y})
                    DrawFilledArrow(painter, ArrowPath(column, 0.72), QColor(70, 140, 255));
            }
            painter.restore();
        }
    }
    return pad;
}

// A toon ramp: the light colour at the top (faces toward the light), the shade colour at the
// bottom, changing around `edge` over `softness` (a small softness gives a hard cel edge).
struct ToonRamp {
    QColor light;
    QColor shade;
    double edge;
    double softness;
};

constexpr int kToonSize = 32;

QImage MakeToon(const ToonRamp& ramp)
{
    QImage toon(kToonSize, kToonSize, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < kToonSize; ++y) {
        const double v = (y + 0.5) / kToonSize;
        const double s
            = std::clamp((v - ramp.edge + ramp.softness) / (2 * ramp.softness), 0.0, 1.0);
        const double step = s * s * (3 - 2 * s);
        // A slight darkening all the way down keeps the shade from looking flat.
        const QColor colour = Mix(Mix(ramp.light, ramp.shade, step), Qt::black, 0.06 * v);
        for (int x = 0; x < kToonSize; ++x)
            toon.setPixelColor(x, y, colour);
    }
    return toon;
}

const std::array<ToonRamp, 10> kToonRamps{{
    {QColor(255, 255, 255), QColor(205, 205, 210), 0.50, 0.08},  // neutral
    {QColor(255, 252, 250), QColor(240, 196, 188), 0.55, 0.05},  // warm skin
    {QColor(255, 255, 255), QColor(160, 162, 178), 0.50, 0.04},  // cool grey, stronger
    {QColor(255, 244, 232), QColor(214, 166, 142), 0.45, 0.10},  // deep skin, soft
    {QColor(255, 255, 255), QColor(180, 198, 240), 0.55, 0.06},  // blue
    {QColor(255, 255, 255), QColor(140, 140, 140), 0.50, 0.015}, // hard cel edge
    {QColor(255, 250, 244), QColor(224, 190, 216), 0.55, 0.08},  // lilac
    {QColor(255, 255, 255), QColor(196, 230, 188), 0.50, 0.07},  // green
    {QColor(246, 246, 246), QColor(108, 116, 128), 0.40, 0.12},  // dark, wide
    {QColor(255, 255, 250), QColor(240, 222, 156), 0.60, 0.05},  // yellow
}};

bool Write(const QImage& image, const std::string& folder, const std::string& name)
{
    const std::string path = folder + "/" + name + ".png";
    if (!image.convertToFormat(QImage::Format_ARGB32).save(QString::fromStdString(path), "PNG")) {
        std::fprintf(stderr, "MakeSheets: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakeSheets FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    bool written = Write(MakeReceptorSheet(), folder, "receptor")
        && Write(MakeNoteSheet(), folder, "note") && Write(MakeHoldHeadSheet(), folder, "holdHead")
        && Write(MakeHoldBodySheet(), folder, "holdBody")
        && Write(MakeHoldTailSheet(), folder, "holdTail") && Write(MakePad(), folder, "pad");
    for (std::size_t i = 0; written && i < kToonRamps.size(); ++i)
        written = Write(MakeToon(kToonRamps[i]), folder, "toon" + std::to_string(i));
    return written ? 0 : 1;
}
