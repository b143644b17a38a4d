#include "app/ToolbarIcons.h"

#include "qtcommon/CommandIds.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace zelvane {
namespace {

using Drawing = std::function<void(QPainter&)>;

// Draws on a 16 x 16 grid at every size the icon is asked for.
QIcon MakeIcon(const Drawing& draw)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 16.0, size / 16.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void Page(QPainter& p, const QRectF& r)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawPath(path);
}

void Magnifier(QPainter& p, bool plus)
{
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(QColor(90, 60, 30), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
    if (plus)
        p.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
}

void UpArrow(QPainter& p, const QColor& color)
{
    const QPointF points[]
        = {{8, 1.5}, {14.5, 8}, {10.5, 8}, {10.5, 14.5}, {5.5, 14.5}, {5.5, 8}, {1.5, 8}};
    p.setPen(QPen(color.darker(160), 1));
    p.setBrush(color);
    p.drawPolygon(points, 7);
}

Drawing DrawingFor(int commandId)
{
    switch (commandId) {
    case ID_FILE_NEW:
        return [](QPainter& p) { Page(p, QRectF(3.5, 1.5, 9, 13)); };
    case ID_FILE_OPEN:
        return [](QPainter& p) {
            p.setPen(QPen(QColor(120, 90, 20), 1));
            p.setBrush(QColor(240, 200, 80));
            p.drawRect(QRectF(1.5, 4.5, 12, 9));
            p.setBrush(QColor(250, 225, 120));
            const QPointF lid[] = {{3.5, 7.5}, {15, 7.5}, {13.5, 13.5}, {1.5, 13.5}};
            p.drawPolygon(lid, 4);
        };
    case ID_FILE_SAVE:
        return [](QPainter& p) {
            p.setPen(QPen(QColor(20, 40, 90), 1));
            p.setBrush(QColor(60, 100, 190));
            p.drawRect(QRectF(1.5, 1.5, 13, 13));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4.5, 1.5, 7, 5));
            p.setBrush(QColor(200, 200, 200));
            p.drawRect(QRectF(4.5, 9.5, 7, 5));
        };
    case ID_EDIT_CUT:
        return [](QPainter& p) {
            p.setPen(QPen(QColor(70, 70, 70), 1.2));
            p.drawLine(QPointF(5, 1.5), QPointF(10.5, 10));
            p.drawLine(QPointF(11, 1.5), QPointF(5.5, 10));
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QColor(30, 30, 160), 1.5));
            p.drawEllipse(QRectF(2, 10, 4, 4));
            p.drawEllipse(QRectF(10, 10, 4, 4));
        };
    case ID_EDIT_COPY:
        return [](QPainter& p) {
            Page(p, QRectF(1.5, 1.5, 8, 10));
            Page(p, QRectF(6.5, 4.5, 8, 10));
        };
    case ID_EDIT_PASTE:
        return [](QPainter& p) {
            p.setPen(QPen(QColor(90, 60, 30), 1));
            p.setBrush(QColor(180, 130, 70));
            p.drawRect(QRectF(1.5, 2.5, 10, 12));
            p.setBrush(QColor(150, 150, 150));
            p.drawRect(QRectF(4.5, 1.5, 4, 3));
            Page(p, QRectF(6.5, 6.5, 8, 8));
        };
    case ID_EDIT_ADD_MODE:
        return [](QPainter& p) { UpArrow(p, QColor(240, 90, 160)); };
    case ID_EDIT_SELECT_MODE:
        return [](QPainter& p) {
            p.setPen(QPen(Qt::black, 1, Qt::DashLine));
            p.setBrush(QColor(180, 200, 255, 120));
            p.drawRect(QRectF(2.5, 2.5, 11, 11));
        };
    case ID_VIEW_ZOOM_IN:
        return [](QPainter& p) { Magnifier(p, true); };
    case ID_VIEW_ZOOM_OUT:
        return [](QPainter& p) { Magnifier(p, false); };
    case ID_PLAY_FROM_CURSOR:
        return [](QPainter& p) {
            const QPointF triangle[] = {{4, 2}, {13.5, 8}, {4, 14}};
            p.setPen(QPen(QColor(20, 100, 20), 1));
            p.setBrush(QColor(60, 180, 60));
            p.drawPolygon(triangle, 3);
        };
    case ID_PLAY_STOP:
        return [](QPainter& p) {
            p.setPen(QPen(QColor(40, 40, 40), 1));
            p.setBrush(QColor(70, 70, 70));
            p.drawRect(QRectF(3.5, 3.5, 9, 9));
        };
    default:
        return {};
    }
}

} // namespace

QIcon ToolbarIcon(int commandId)
{
    const Drawing drawing = DrawingFor(commandId);
    return drawing ? MakeIcon(drawing) : QIcon();
}

QIcon ProgramIcon()
{
    return MakeIcon([](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 60), 1));
        p.setBrush(QColor(50, 60, 90));
        p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2, 2);
        UpArrow(p, QColor(80, 200, 255));
    });
}

} // namespace zelvane
