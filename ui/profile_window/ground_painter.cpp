// Painting the existing ground in the profile plot: the ground line, the cut
// and fill shading, the mass haul panel and their legend.
#include "ui/profile_window/ground_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include "ui/widgets/text.h"

namespace ravo {
namespace {

const QColor GroundColour(130, 80, 30);
const QColor CutColour(215, 110, 60, 110);
const QColor FillColour(70, 150, 90, 110);
const QColor MassColour(120, 40, 150);
const QColor BalanceColour(0, 0, 0);
const QColor MassGrid(225, 225, 225);
constexpr double MassShare = 0.32;  // of the grade panel's room, when the mass panel is shown

QPolygonF Polygon(const std::vector<PixelPoint>& points, QPointF origin)
{
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const PixelPoint& p : points)
        polygon.append(origin + QPointF(p.x, p.y));
    return polygon;
}

bool SameView(const ProfileView& a, const ProfileView& b)
{
    return a.firstStation == b.firstStation && a.lastStation == b.lastStation &&
           a.plotWidth == b.plotWidth && a.gradeHeight == b.gradeHeight &&
           a.massHeight == b.massHeight;
}

void PaintMassGrid(QPainter& painter, const Panel& panel, const QRectF& area)
{
    for (const Tick& tick : panel.valueTicks) {
        painter.setPen(MassGrid);
        painter.drawLine(QPointF(area.left(), area.top() + tick.at),
                         QPointF(area.right(), area.top() + tick.at));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, area.top() + tick.at - 8, area.left() - 4, 16),
                         Qt::AlignRight | Qt::AlignVCenter, Text(tick.label));
    }
}

}  // namespace

GroundLayer::GroundLayer() : ground_(std::make_shared<const GroundProfile>()) {}

void GroundLayer::SetGround(std::shared_ptr<const GroundProfile> ground)
{
    ground_ = ground ? std::move(ground) : std::make_shared<const GroundProfile>();
    scene_.reset();
}

void GroundLayer::SetSection(const SectionTemplate& section)
{
    section_ = section;
    sectionChanged_ = true;  // the ground line stays
}

void GroundLayer::Arrange(ProfileView& view, int gap) const
{
    view.massHeight = 0;
    if (!massShown_)
        return;
    view.massHeight = static_cast<int>(view.gradeHeight * MassShare);
    view.gradeHeight -= view.massHeight + gap;
}

const GroundScene& GroundLayer::SceneFor(const std::shared_ptr<const ProfileViewIndex>& index,
                                         const ProfileView& view, const Panel& grade)
{
    const bool sameLines = scene_ && SameView(view, sceneView_) && grade.valueAtTop == sceneTop_ &&
                           grade.valueAtBottom == sceneBottom_;
    if (!sameLines || sceneIndex_ != index || sectionChanged_) {
        // A change of the profile or the section alone keeps the ground
        // line: the pass over the ground points in view is left out while typing.
        if (sameLines) {
            std::vector<Polyline> lines = std::move(scene_->groundLines);
            scene_ =
                BuildGroundScene(*index, *ground_, section_, view, grade, view.massHeight, false);
            scene_->groundLines = std::move(lines);
        } else {
            scene_ = BuildFor(*index, view, grade);
        }
        sceneIndex_ = index;
        sectionChanged_ = false;
        sceneView_ = view;
        sceneTop_ = grade.valueAtTop;
        sceneBottom_ = grade.valueAtBottom;
    }
    return *scene_;
}

GroundScene GroundLayer::BuildFor(const ProfileViewIndex& index, const ProfileView& view,
                                  const Panel& grade) const
{
    return BuildGroundScene(index, *ground_, section_, view, grade, view.massHeight);
}

void GroundLayer::PaintUnderGrade(QPainter& painter, const GroundScene& scene,
                                  const QRectF& grade) const
{
    painter.save();
    painter.setClipRect(grade);
    painter.setPen(Qt::NoPen);
    for (const ShadeArea& area : scene.shading) {
        painter.setBrush(area.cut ? CutColour : FillColour);
        painter.drawPolygon(Polygon(area.outline, grade.topLeft()));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(GroundColour, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const Polyline& line : scene.groundLines)
        painter.drawPolyline(Polygon(line.points, grade.topLeft()));
    painter.restore();
}

void GroundLayer::PaintMassPanel(QPainter& painter, const GroundScene& scene, const QRectF& area,
                                 const QString& unitName,
                                 const std::vector<Tick>& stationTicks) const
{
    painter.save();
    painter.setPen(MassGrid);
    for (const Tick& tick : stationTicks)
        painter.drawLine(QPointF(area.left() + tick.at, area.top() + 1),
                         QPointF(area.left() + tick.at, area.bottom() - 1));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(area.left(), area.top() - 18, area.width(), 18),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Mass ordinate (") + unitName + QStringLiteral("\u00b3)"));
    if (!HasGround()) {
        painter.drawText(area, Qt::AlignCenter,
                         QStringLiteral("No ground: load one with File > Load Ground"));
    } else {
        const Panel& panel = scene.massPanel;
        PaintMassGrid(painter, panel, area);
        painter.setClipRect(area);
        if (panel.valueAtTop > panel.valueAtBottom) {
            const double zero = area.top() + (panel.valueAtTop - 0) /
                                                 (panel.valueAtTop - panel.valueAtBottom) *
                                                 area.height();
            painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
            painter.drawLine(QPointF(area.left(), zero), QPointF(area.right(), zero));
            painter.setPen(QPen(MassColour, 1.5));
            for (const Polyline& line : panel.lines)
                painter.drawPolyline(Polygon(line.points, area.topLeft()));
            painter.setPen(QPen(BalanceColour, 1.2));
            painter.setBrush(Qt::white);
            for (double x : scene.balanceX)
                painter.drawEllipse(QPointF(area.left() + x, zero), 3.5, 3.5);
        }
        painter.setClipping(false);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::black);
    painter.drawRect(area);
    painter.restore();
}

double GroundLayer::PaintLegend(QPainter& painter, const QRectF& strip) const
{
    if (!HasGround())
        return strip.left();
    const QFontMetricsF metrics(painter.font());
    double x = strip.left();
    painter.save();
    for (int kind = 0; kind < 3; ++kind) {
        static const char* const words[] = {"ground", "cut", "fill"};
        const QString text = QString::fromLatin1(words[kind]);
        const double width = 18 + metrics.horizontalAdvance(text) + 12;
        if (x + width - 12 > strip.right()) {
            x = strip.right();
            break;
        }
        const QRectF square(x, strip.center().y() - 8, 16, 16);
        if (kind == 0) {
            painter.setPen(QPen(GroundColour, 2));
            painter.drawLine(square.center() - QPointF(7, 0), square.center() + QPointF(7, 0));
        } else {
            painter.fillRect(square.adjusted(1, 3, -1, -3), kind == 1 ? CutColour : FillColour);
        }
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x + 18, strip.top(), width, strip.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
        x += width;
    }
    painter.restore();
    return x;
}

}  // namespace ravo
