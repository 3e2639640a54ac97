// Painting the profile scene, and the mouse and keys that zoom, pan, fit and pick a station.
#include "ui/profile_window/frm_profile_plot.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

#include "ui/profile_window/plot_band.h"
#include "ui/widgets/text.h"

namespace ravo {
namespace {

constexpr int RightMargin = 14;
constexpr int PanelGap = 8;
constexpr int BottomMargin = 30;
constexpr double GradeShare = 0.72;

const QColor GradeColour(20, 60, 200);
const QColor FlagColour(220, 0, 0);
const QColor SuperColour(0, 130, 90);
const QColor CursorColour(230, 120, 0);
const QColor GridColour(225, 225, 225);

// One panel: its frame, value grid and labels, gaps and lines.
void PaintPanel(QPainter& painter, const Panel& panel, const QRectF& area, const QColor& colour,
                const QString& title)
{
    painter.setPen(GridColour);
    for (const Tick& tick : panel.valueTicks)
        painter.drawLine(QPointF(area.left(), area.top() + tick.at),
                         QPointF(area.right(), area.top() + tick.at));
    painter.setPen(Qt::black);
    for (const Tick& tick : panel.valueTicks)
        painter.drawText(QRectF(0, area.top() + tick.at - 8, area.left() - 4, 16),
                         Qt::AlignRight | Qt::AlignVCenter, Text(tick.label));
    for (const auto& [x0, x1] : panel.gaps) {
        const QRectF band(area.left() + x0, area.top(), std::max(x1 - x0, 1.0), area.height());
        painter.fillRect(band, QBrush(QColor(200, 80, 80, 90), Qt::BDiagPattern));
        if (band.width() >= 50)
            painter.drawText(band, Qt::AlignCenter, QStringLiteral("No curve"));
    }
    painter.save();
    painter.setClipRect(area);
    for (const Polyline& line : panel.lines) {
        const QColor& ink = line.flagged ? FlagColour : colour;
        painter.setPen(QPen(ink, line.flagged ? 2.5 : 1.5));
        painter.setBrush(ink);
        painter.drawPolygon(BandOutline(line, area.topLeft()));
    }
    painter.setBrush(Qt::NoBrush);
    painter.restore();
    painter.setPen(Qt::black);
    painter.drawRect(area);
    painter.drawText(area.adjusted(4, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, title);
}

void PaintMarks(QPainter& painter, const ProfileScene& scene, const QRectF& grade)
{
    painter.setPen(Qt::darkGray);
    for (double x : scene.rowBoundaries)
        painter.drawLine(QPointF(grade.left() + x, grade.bottom()),
                         QPointF(grade.left() + x, grade.bottom() - 7));
    for (const Mark& mark : scene.marks) {
        const QPointF at = grade.topLeft() + QPointF(mark.at.x, mark.at.y);
        if (!grade.contains(at))
            continue;
        if (mark.kind == MarkKind::Pvi) {
            painter.setPen(QPen(QColor(90, 90, 90), 1.2));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolygon(
                QPolygonF({at + QPointF(0, -5), at + QPointF(5, 4), at + QPointF(-5, 4)}));
        } else {
            painter.setPen(Qt::black);
            painter.setBrush(mark.kind == MarkKind::HighPoint ? QColor(Qt::black)
                                                              : QColor(Qt::white));
            painter.drawEllipse(at, 3.5, 3.5);
        }
        painter.setBrush(Qt::NoBrush);
        painter.setPen(Qt::black);
        const double dy = mark.kind == MarkKind::LowPoint ? 6 : -20;
        painter.drawText(QRectF(at.x() - 110, at.y() + dy, 220, 14), Qt::AlignCenter,
                         Text(mark.label));
    }
    for (const Tick& label : scene.curveLabels)
        painter.drawText(QRectF(grade.left() + label.at - 80, grade.top() + 16, 160, 14),
                         Qt::AlignCenter, Text(label.label));
}

void PaintStationAxis(QPainter& painter, const ProfileScene& scene, const QRectF& grade,
                      const QRectF& super)
{
    for (const Tick& tick : scene.stationTicks) {
        const double x = grade.left() + tick.at;
        painter.setPen(GridColour);
        painter.drawLine(QPointF(x, grade.top() + 1), QPointF(x, grade.bottom() - 1));
        painter.drawLine(QPointF(x, super.top() + 1), QPointF(x, super.bottom() - 1));
        painter.setPen(Qt::black);
        painter.drawLine(QPointF(x, super.bottom()), QPointF(x, super.bottom() + 4));
        painter.drawText(QRectF(x - 60, super.bottom() + 5, 120, 16), Qt::AlignCenter,
                         Text(tick.label));
    }
}

}  // namespace

ProfilePlot::ProfilePlot(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("plotProfile"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(420, 260);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProfilePlot::SetIndex(std::shared_ptr<const ProfileViewIndex> index)
{
    index_ = std::move(index);
    scene_.reset();
    update();
}

void ProfilePlot::SetCursor(float station, float elevation)
{
    cursorStation_ = station;
    cursorElevation_ = elevation;
    hasCursor_ = true;
    update();
}

void ProfilePlot::SetOptions(bool plusNotation, std::optional<double> designSpeed,
                             LengthUnits units)
{
    view_.plusNotation = plusNotation;
    view_.designSpeed = designSpeed;
    view_.units = units;
    SetView(view_);
}

void ProfilePlot::Fit() { SetView(FitView(*index_, view_)); }

void ProfilePlot::SetView(const ProfileView& view)
{
    view_ = SizedView(view, size());
    scene_.reset();
    update();
    emit ViewChanged();
}

ProfileView ProfilePlot::SizedView(ProfileView view, QSize size) const
{
    view.plotWidth = std::max(size.width() - LeftMargin - RightMargin, 10);
    const int panels = std::max(size.height() - TopMargin - PanelGap - BottomMargin, 20);
    view.gradeHeight = static_cast<int>(panels * GradeShare);
    view.superHeight = panels - view.gradeHeight;
    return view;
}

const ProfileScene& ProfilePlot::Scene()
{
    if (!scene_)
        scene_ = BuildScene(*index_, view_);
    return *scene_;
}

std::optional<Cursor> ProfilePlot::CurrentCursor()
{
    if (!hasCursor_)
        return std::nullopt;
    return CursorAt(*index_, view_, Scene(), cursorStation_, cursorElevation_);
}

void ProfilePlot::Paint(QPainter& painter, QSize size)
{
    const ProfileView view = SizedView(view_, size);
    // The scene on screen is reused; an export of another size gets its own.
    const bool shown = view.plotWidth == view_.plotWidth && view.gradeHeight == view_.gradeHeight &&
                       view.superHeight == view_.superHeight;
    const ProfileScene sized = shown ? ProfileScene{} : BuildScene(*index_, view);
    const ProfileScene& scene = shown ? Scene() : sized;
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF grade(LeftMargin, TopMargin, view.plotWidth, view.gradeHeight);
    const QRectF super(LeftMargin, grade.bottom() + PanelGap, view.plotWidth, view.superHeight);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(LeftMargin, 2, view.plotWidth, TopMargin - 4),
                     Qt::AlignLeft | Qt::AlignVCenter, Text(scene.exaggerationText));
    PaintStationAxis(painter, scene, grade, super);
    PaintPanel(painter, scene.grade, grade, GradeColour, QStringLiteral("Elevation"));
    PaintPanel(painter, scene.super, super, SuperColour, QStringLiteral("Superelevation %"));
    PaintMarks(painter, scene, grade);
    if (!hasCursor_)
        return;
    const Cursor cursor = CursorAt(*index_, view, scene, cursorStation_, cursorElevation_);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(LeftMargin, 2, view.plotWidth, TopMargin - 4),
                     Qt::AlignRight | Qt::AlignVCenter, Text(cursor.caption));
    if (cursor.x < 0 || cursor.x > view.plotWidth)
        return;
    painter.setPen(QPen(CursorColour, 1.5));
    const double x = LeftMargin + cursor.x;
    painter.drawLine(QPointF(x, grade.top()), QPointF(x, super.bottom()));
    painter.setBrush(CursorColour);
    if (cursor.gradeY && *cursor.gradeY >= 0 && *cursor.gradeY <= grade.height())
        painter.drawEllipse(QPointF(x, grade.top() + *cursor.gradeY), 4, 4);
    if (cursor.superY && *cursor.superY >= 0 && *cursor.superY <= super.height())
        painter.drawEllipse(QPointF(x, super.top() + *cursor.superY), 4, 4);
    painter.setBrush(Qt::NoBrush);
}

void ProfilePlot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Paint(painter, size());
}

void ProfilePlot::resizeEvent(QResizeEvent*) { SetView(view_); }

void ProfilePlot::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressedAt_ = event->position();
    dragging_ = false;
}

void ProfilePlot::mouseMoveEvent(QMouseEvent* event)
{
    if (pressedAt_ && (event->buttons() & Qt::LeftButton)) {
        const double dx = event->position().x() - pressedAt_->x();
        if (dragging_ || std::abs(dx) > 3) {
            dragging_ = true;
            pressedAt_ = event->position();
            SetView(PanView(view_, dx));
        }
        return;
    }
    const QString text = Text(HoverText(*index_, view_, PlotX(event->position())));
    setToolTip(text);
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), text, this);
}

void ProfilePlot::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressedAt_)
        return;
    const bool click = !dragging_;
    pressedAt_.reset();
    dragging_ = false;
    const double x = PlotX(event->position());
    if (click && x >= 0 && x <= view_.plotWidth)
        emit StationClicked(Text(StationTextAtX(view_, x)));
}

void ProfilePlot::mouseDoubleClickEvent(QMouseEvent*) { Fit(); }

void ProfilePlot::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0)
        SetView(ZoomView(view_, PlotX(event->position()), std::pow(1.25, steps)));
    event->accept();
}

void ProfilePlot::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Home) {
        Fit();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace ravo
