// The fitted grade line on the profile sheet, dashed beside the design, and
// the windows' hooks that hand it over.
#include "ui/profile_window/fitted_line_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "core/profile/elevation.h"
#include "ui/profile_window/frm_profile.h"
#include "ui/profile_window/frm_profile_plot.h"

namespace ravo {
namespace {

const QColor FittedColour(140, 40, 180);
constexpr double StepPixels = 3;

QPen FittedPen()
{
    QPen pen(FittedColour, 2);
    pen.setStyle(Qt::DashLine);
    return pen;
}

}  // namespace

void PaintFittedLine(QPainter& painter, const ProfileState& fitted, const ProfileView& view,
                     const Panel& panel, const QRectF& area)
{
    const double range = panel.valueAtTop - panel.valueAtBottom;
    if (!(range > 0))
        return;
    const auto y = [&](double elevation) {
        return area.top() + (panel.valueAtTop - elevation) / range * area.height();
    };
    QPainterPath path;
    ForEachRow(fitted, SegmentKind::VerticalCurve, [&](std::int32_t, const SegmentRow& row) {
        const double left = std::max(XOfStation(view, row.station1), 0.0);
        const double right = std::min(XOfStation(view, row.station2), area.width());
        if (!(right > left))
            return;
        for (double x = left;; x = std::min(x + StepPixels, right)) {
            const QPointF point(area.left() + x, y(RowValue(row, StationAtX(view, x))));
            if (x == left)
                path.moveTo(point);
            else
                path.lineTo(point);
            if (x >= right)
                break;
        }
    });
    painter.save();
    painter.setClipRect(area);
    painter.setPen(FittedPen());
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

void PaintFittedLegend(QPainter& painter, const QRectF& strip, double x)
{
    const QString text = QStringLiteral("fitted line");
    const double width = 30 + QFontMetricsF(painter.font()).horizontalAdvance(text);
    if (x + width > strip.right())
        return;
    painter.save();
    painter.setPen(FittedPen());
    const double middle = strip.center().y();
    painter.drawLine(QPointF(x, middle), QPointF(x + 24, middle));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(x + 28, strip.top(), width, strip.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.restore();
}

void ProfilePlot::SetFittedLine(std::optional<ProfileState> fitted)
{
    fitted_ = std::move(fitted);
    update();
}

void frmProfile::SetFittedLine(std::optional<ProfileState> fitted)
{
    plotProfile->SetFittedLine(std::move(fitted));
}

}  // namespace ravo
