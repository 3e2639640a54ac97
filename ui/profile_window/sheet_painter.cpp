// The profile sheet's layer over the plot: marks, labels, the superelevation path and the legend.
#include "ui/profile_window/sheet_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "ui/widgets/text.h"

namespace ravo {
namespace {

const QColor TangentColour(120, 120, 120);
const QColor LabelGround(255, 255, 255, 225);
const QColor LeaderColour(150, 150, 150);
constexpr double LabelPadding = 1;

QPointF Point(PixelPoint p, const QRectF& area) { return area.topLeft() + QPointF(p.x, p.y); }

// One legend entry: its symbol in a 16 px square, then its words.
void PaintLegendSymbol(QPainter& painter, int kind, const QRectF& square)
{
    const QPointF c = square.center();
    painter.save();
    switch (kind) {
    case 0:
        painter.setBrush(Qt::black);
        painter.drawEllipse(c, 3.5, 3.5);
        break;
    case 1:
        painter.setBrush(Qt::white);
        painter.drawEllipse(c, 3.5, 3.5);
        break;
    case 2:
        painter.drawPolygon(QPolygonF({c + QPointF(0, -5), c + QPointF(5, 4), c + QPointF(-5, 4)}));
        break;
    case 3:
        painter.drawLine(c + QPointF(0, -6), c + QPointF(0, 6));
        break;
    case 4:
        painter.setPen(QPen(QColor(220, 0, 0), 2.5));
        painter.drawLine(c + QPointF(-7, 0), c + QPointF(7, 0));
        break;
    default:
        painter.fillRect(square.adjusted(1, 3, -1, -3),
                         QBrush(QColor(200, 80, 80), Qt::BDiagPattern));
        break;
    }
    painter.restore();
}

// A thin line from each mark to a label placed away from it, beneath the
// labels' ground.
void PaintLeaders(QPainter& painter, const ProfileSheet& sheet, const QRectF& grade)
{
    constexpr double Beside = 7;  // nearer than this a label needs no leader
    painter.setPen(QPen(LeaderColour, 0.8));
    for (const PlacedLabel& label : sheet.placement.placed) {
        const Box& b = label.box;
        const PixelPoint a = sheet.labels[label.label].anchor;
        const PixelPoint near{std::clamp(a.x, b.left, b.right), std::clamp(a.y, b.top, b.bottom)};
        if (std::hypot(near.x - a.x, near.y - a.y) > Beside)
            painter.drawLine(Point(a, grade), Point(near, grade));
    }
}

}  // namespace

MeasureText MeasureWith(const QFontMetricsF& metrics)
{
    return [metrics](const std::string& text) {
        const QRectF box = metrics.boundingRect(QRectF(0, 0, 4000, 4000),
                                                Qt::AlignLeft | Qt::AlignTop, Text(text));
        return std::pair<double, double>(std::ceil(box.width()) + 2 * LabelPadding + 1,
                                         std::ceil(box.height()) + 2 * LabelPadding);
    };
}

void PaintSheetMarks(QPainter& painter, const ProfileSheet& sheet, const QRectF& grade)
{
    painter.save();
    painter.setClipRect(grade);
    painter.setPen(QPen(TangentColour, 1, Qt::DashLine));
    for (const auto& tangent : sheet.tangents)
        painter.drawPolyline(QPolygonF(
            {Point(tangent[0], grade), Point(tangent[1], grade), Point(tangent[2], grade)}));
    painter.setPen(QPen(Qt::black, 1.2));
    for (const PixelPoint& end : sheet.curveEnds) {
        const QPointF at = Point(end, grade);
        painter.drawLine(at + QPointF(0, -TickHalfHeight + 1), at + QPointF(0, TickHalfHeight - 1));
    }
    painter.restore();
}

std::vector<QRectF> PaintSheetLabels(QPainter& painter, const ProfileSheet& sheet,
                                     const QRectF& grade)
{
    std::vector<QRectF> painted;
    painter.save();
    PaintLeaders(painter, sheet, grade);
    painter.setPen(Qt::black);
    for (const PlacedLabel& label : sheet.placement.placed) {
        const Box& b = label.box;
        const QRectF box(grade.left() + b.left, grade.top() + b.top, b.right - b.left,
                         b.bottom - b.top);
        painter.fillRect(box, LabelGround);
        QRectF drawn;
        painter.drawText(box.adjusted(LabelPadding, LabelPadding, -LabelPadding, -LabelPadding),
                         Qt::AlignLeft | Qt::AlignTop, Text(sheet.labels[label.label].text),
                         &drawn);
        painted.push_back(drawn);
    }
    painter.restore();
    return painted;
}

void PaintSuperLine(QPainter& painter, const ProfileSheet& sheet, const QRectF& super,
                    const QColor& colour)
{
    painter.save();
    painter.setClipRect(super);
    painter.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    for (const Polyline& line : sheet.superLine) {
        if (line.points.empty())
            continue;
        QPainterPath path(Point(line.points.front(), super));
        for (std::size_t i = 1; i < line.points.size(); ++i)
            path.lineTo(Point(line.points[i], super));
        painter.drawPath(path);
    }
    painter.restore();
}

double PaintLegend(QPainter& painter, const QRectF& strip)
{
    static const char* const words[] = {"high point", "low point",   "PVI",
                                        "BVC / EVC",  "too sharp K", "no row"};
    const QFontMetricsF metrics(painter.font());
    double x = strip.left();
    painter.save();
    painter.setPen(Qt::black);
    for (int kind = 0; kind < 6; ++kind) {
        const QString text = QString::fromLatin1(words[kind]);
        const double width = 18 + metrics.horizontalAdvance(text) + 12;
        if (x + width - 12 > strip.right()) {
            x = strip.right();
            break;
        }
        PaintLegendSymbol(painter, kind, QRectF(x, strip.center().y() - 8, 16, 16));
        painter.drawText(QRectF(x + 18, strip.top(), width, strip.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
        x += width;
    }
    painter.restore();
    return x;
}

void PaintFitted(QPainter& painter, const QRectF& area, int flags, const QString& text)
{
    const QFontMetricsF metrics(painter.font());
    painter.drawText(area, flags, metrics.elidedText(text, Qt::ElideRight, area.width()));
}

}  // namespace ravo
