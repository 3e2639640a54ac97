// The program's icons, drawn with QPainter.
#include "ui/widgets/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace ravo {
namespace {

constexpr int kSizes[] = {16, 24, 32, 48};

template <typename Draw>
QIcon DrawnIcon(Draw draw)
{
    QIcon icon;
    for (int size : kSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 32.0, size / 32.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QIcon RavoIcon()
{
    return DrawnIcon([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2e, 0x6d, 0xb4));
        p.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
        QPainterPath ground;
        ground.moveTo(1, 26);
        ground.quadTo(16, 4, 31, 22);
        ground.lineTo(31, 31);
        ground.lineTo(1, 31);
        ground.closeSubpath();
        p.setBrush(QColor(0x5b, 0x9b, 0x3a));
        p.drawPath(ground);
        QPainterPath road;
        road.moveTo(1, 26);
        road.quadTo(16, 4, 31, 22);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 3.5));
        p.drawPath(road);
        p.setPen(QPen(QColor(0xff, 0xd7, 0x00), 1, Qt::DashLine));
        p.drawPath(road);
    });
}

QIcon NextStationIcon()
{
    return DrawnIcon([](QPainter& p) {
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 2));
        p.drawLine(QPointF(3, 24), QPointF(29, 24));
        p.setPen(QPen(QColor(0xc0, 0x00, 0x00), 2));
        p.drawLine(QPointF(8, 18), QPointF(8, 28));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x00, 0x60, 0xc0));
        p.drawPolygon(QPolygonF({QPointF(12, 6), QPointF(26, 13), QPointF(12, 20)}));
    });
}

QIcon ArrowIcon(Qt::ArrowType direction)
{
    const bool left = direction == Qt::LeftArrow;
    return DrawnIcon([left](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x20, 0x50, 0xa0));
        QPolygonF arrow({QPointF(4, 16), QPointF(16, 5), QPointF(16, 11), QPointF(28, 11),
                         QPointF(28, 21), QPointF(16, 21), QPointF(16, 27)});
        if (!left) {
            for (QPointF& point : arrow)
                point.setX(32 - point.x());
        }
        p.drawPolygon(arrow);
    });
}

}  // namespace ravo
