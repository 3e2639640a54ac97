// The profile plot by keyboard: pan, zoom about the pointer, fit and pick a
// station; the focus frame, the pointer's crosshair and its readout.
#include <QKeyEvent>
#include <QPainter>

#include "ui/profile_window/frm_profile_plot.h"
#include "ui/profile_window/sheet_painter.h"
#include "ui/widgets/text.h"

namespace ravo {
namespace {

constexpr double KeyZoom = 1.25;
constexpr double PanShare = 0.1;  // of the plot's width, an arrow key's pan

}  // namespace

double ProfilePlot::KeyX() const
{
    if (!pointer_)
        return view_.plotWidth / 2.0;
    return std::clamp(PlotX(*pointer_), 0.0, double(view_.plotWidth));
}

void ProfilePlot::MovePointer(double dx)
{
    const double y = pointer_ ? pointer_->y() : TopMargin + view_.gradeHeight / 2.0;
    pointer_ = QPointF(LeftMargin + std::clamp(KeyX() + dx, 0.0, double(view_.plotWidth)), y);
    update();
}

void ProfilePlot::keyPressEvent(QKeyEvent* event)
{
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const double step = event->modifiers() & Qt::ControlModifier ? 1 : 10;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const double sign = event->key() == Qt::Key_Left ? 1 : -1;
        if (shift)
            MovePointer(-sign * step);
        else
            SetView(PanView(view_, sign * view_.plotWidth * PanShare));
        return;
    }
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        SetView(ZoomView(view_, KeyX(), KeyZoom));
        return;
    case Qt::Key_Minus:
        SetView(ZoomView(view_, KeyX(), 1 / KeyZoom));
        return;
    case Qt::Key_Home:
    case Qt::Key_F:
        Fit();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        PickStation(KeyX());
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ProfilePlot::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void ProfilePlot::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void ProfilePlot::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (!hasFocus())
        pointer_.reset();
    update();
}

// What only the screen shows: the focus frame, the pointer's crosshair and
// the station and elevation under it.
void ProfilePlot::PaintScreenExtras(QPainter& painter)
{
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
    if (!pointer_)
        return;
    const double x = KeyX();
    const double bottom = height() - 48.0;
    painter.setPen(QPen(QColor(110, 110, 110), 1, Qt::DashLine));
    painter.drawLine(QPointF(LeftMargin + x, TopMargin), QPointF(LeftMargin + x, bottom));
    const double y = std::clamp(pointer_->y() - TopMargin, 0.0, double(view_.gradeHeight));
    const QString readout = Text(PointerReadout(*index_, view_, Scene(), x, y));
    painter.setPen(Qt::black);
    const QRectF row(LeftMargin + 110, TopMargin - 18, view_.plotWidth - 110, 18);
    PaintFitted(painter, row, Qt::AlignRight | Qt::AlignVCenter, readout);
    PaintGroundReadout(painter, x);
}

}  // namespace ravo
