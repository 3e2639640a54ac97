// Painting the profile scene, and the mouse and keys that zoom, pan, fit and pick a station.
#include "ui/profile_window/frm_profile_plot.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

#include "ui/profile_window/fitted_line_painter.h"
#include "ui/profile_window/plot_band.h"
#include "ui/profile_window/sheet_painter.h"
#include "ui/widgets/text.h"

namespace ravo {
namespace {

constexpr int RightMargin = 14;
constexpr int PanelGap = 20;
constexpr int BottomMargin = 48;
constexpr int TextRow = 18;
constexpr double GradeShare = 0.72;

const QColor GradeColour(20, 60, 200);
const QColor FlagColour(220, 0, 0);
const QColor SuperColour(0, 130, 90);
const QColor CursorColour(230, 120, 0);
const QColor GridColour(225, 225, 225);

// One panel: its frame, value grid and labels, gaps and lines.
void PaintPanel(QPainter& painter, const Panel& panel, const QRectF& area, const QColor& colour,
                const QString& gapText)
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
            painter.drawText(band, Qt::AlignCenter, gapText);
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
    }
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
    clickTimer_ = new QTimer(this);
    clickTimer_->setSingleShot(true);
    clickTimer_->setInterval(QApplication::doubleClickInterval());
    connect(clickTimer_, &QTimer::timeout, this, [this] { PickStation(clickX_); });
}

void ProfilePlot::SetIndex(std::shared_ptr<const ProfileViewIndex> index)
{
    index_ = std::move(index);
    if (!fixedExaggeration_)
        view_.exaggeration.reset();
    scene_.reset();
    sheet_.reset();
    KeepExaggeration();
    update();
}

// The automatic exaggeration is worked out for the rows and view of now, and
// then stays put while panning and zooming.
void ProfilePlot::KeepExaggeration()
{
    if (!view_.exaggeration)
        Scene();
}

void ProfilePlot::SetCursor(float station, float elevation, float offset)
{
    cursorStation_ = station;
    cursorElevation_ = elevation;
    cursorOffset_ = offset;
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

void ProfilePlot::SetStationStyle(StationStyle style, const QString& unitName)
{
    view_.stationStyle = style;
    unitName_ = unitName;
    SetView(view_);
}

void ProfilePlot::SetExaggeration(std::optional<double> exaggeration)
{
    fixedExaggeration_ = exaggeration;
    ProfileView view = view_;
    view.exaggeration = exaggeration;
    SetView(view);
    KeepExaggeration();
}

void ProfilePlot::Fit()
{
    ProfileView view = FitView(*index_, view_);
    view.exaggeration = fixedExaggeration_;
    SetView(view);
    KeepExaggeration();
}

void ProfilePlot::SetView(const ProfileView& view)
{
    view_ = SizedView(view, size());
    scene_.reset();
    sheet_.reset();
    update();
    emit ViewChanged();
}

ProfileView ProfilePlot::SizedView(ProfileView view, QSize size) const
{
    view.plotWidth = std::max(size.width() - LeftMargin - RightMargin, 10);
    const int panels = std::max(size.height() - TopMargin - PanelGap - BottomMargin, 20);
    view.gradeHeight = static_cast<int>(panels * GradeShare);
    view.superHeight = panels - view.gradeHeight;
    ground_.Arrange(view, PanelGap);
    // The grade panel's scale takes in the ground in view, which would
    // otherwise be cut at the panel's edge.
    view.alsoShown = ground_.HasGround()
                         ? ground_.Ground().ElevationRange(view.firstStation, view.lastStation)
                         : std::nullopt;
    return view;
}

const ProfileScene& ProfilePlot::Scene()
{
    if (!scene_) {
        scene_ = BuildScene(*index_, view_);
        // The automatic exaggeration, once worked out, stays put while panning.
        view_.exaggeration = scene_->exaggeration;
    }
    return *scene_;
}

const ProfileSheet& ProfilePlot::Sheet()
{
    if (!sheet_)
        sheet_ = BuildSheet(*index_, view_, Scene(), MeasureWith(QFontMetricsF(font())));
    return *sheet_;
}

std::optional<Cursor> ProfilePlot::CurrentCursor()
{
    if (!hasCursor_)
        return std::nullopt;
    Cursor cursor = CursorAt(*index_, view_, Scene(), cursorStation_, cursorElevation_);
    cursor.caption = CursorCaption(*index_, view_, cursorStation_, cursorOffset_);
    return cursor;
}

void ProfilePlot::Paint(QPainter& painter, QSize size)
{
    const ProfileView view = SizedView(view_, size);
    // The scene on screen is reused; an export of another size gets its own.
    const bool shown = view.plotWidth == view_.plotWidth && view.gradeHeight == view_.gradeHeight &&
                       view.superHeight == view_.superHeight;
    const ProfileScene sized = shown ? ProfileScene{} : BuildScene(*index_, view);
    const ProfileScene& scene = shown ? Scene() : sized;
    const ProfileSheet sizedSheet =
        shown ? ProfileSheet{}
              : BuildSheet(*index_, view, scene, MeasureWith(QFontMetricsF(painter.font())));
    const ProfileSheet& sheet = shown ? Sheet() : sizedSheet;
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF grade(LeftMargin, TopMargin, view.plotWidth, view.gradeHeight);
    const QRectF mass(LeftMargin, grade.bottom() + PanelGap, view.plotWidth, view.massHeight);
    const QRectF super(LeftMargin,
                       (view.massHeight > 0 ? mass.bottom() : grade.bottom()) + PanelGap,
                       view.plotWidth, view.superHeight);
    PaintStationAxis(painter, scene, grade, super);
    PaintGround(painter, view, scene, grade, mass, shown);
    PaintPanel(painter, scene.grade, grade, GradeColour, QStringLiteral("No curve"));
    Panel superPanel = scene.super;
    superPanel.lines.clear();  // drawn as paths below
    PaintPanel(painter, superPanel, super, SuperColour, QString());
    PaintSuperLine(painter, sheet, super, SuperColour);
    PaintSheetMarks(painter, sheet, grade);
    PaintMarks(painter, scene, grade);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(LeftMargin, TopMargin - TextRow, view.plotWidth, TextRow),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Elevation (") + unitName_ + ")");
    painter.drawText(QRectF(LeftMargin, super.top() - TextRow, view.plotWidth, TextRow),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Superelevation %"));
    const QRectF bottom(LeftMargin, super.bottom() + 24, view.plotWidth, TextRow);
    const QString stationTitle = QStringLiteral("Station (") + unitName_ + ")";
    painter.drawText(bottom, Qt::AlignLeft | Qt::AlignVCenter, stationTitle);
    const QRectF legend = bottom.adjusted(
        QFontMetricsF(painter.font()).horizontalAdvance(stationTitle) + 24, 0, 0, 0);
    double legendEnd = PaintLegend(painter, legend);
    legendEnd = ground_.PaintLegend(painter, legend.adjusted(legendEnd - legend.left(), 0, 0, 0));
    if (fitted_) {
        PaintFittedLine(painter, *fitted_, view, scene.grade, grade);
        PaintFittedLegend(painter, legend, legendEnd);
    }
    if (hasCursor_) {
        const Cursor cursor = CursorAt(*index_, view, scene, cursorStation_, cursorElevation_);
        if (cursor.x >= 0 && cursor.x <= view.plotWidth) {
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
    }
    std::vector<QRectF> labels = PaintSheetLabels(painter, sheet, grade);
    if (shown)
        paintedLabels_ = std::move(labels);
    PaintTexts(painter, view, scene);
}

// The top row: the exaggeration on the left, the cursor's caption on the right.
void ProfilePlot::PaintTexts(QPainter& painter, const ProfileView& view, const ProfileScene& scene)
{
    const QRectF row(LeftMargin, 1, view.plotWidth, TextRow);
    painter.setPen(Qt::black);
    double captionWidth = 0;
    if (hasCursor_) {
        const QString caption = Text(CursorCaption(*index_, view, cursorStation_, cursorOffset_));
        captionWidth = std::min(QFontMetricsF(painter.font()).horizontalAdvance(caption) + 12,
                                row.width() * 0.65);
        PaintFitted(painter, row.adjusted(row.width() - captionWidth, 0, 0, 0),
                    Qt::AlignRight | Qt::AlignVCenter, caption);
    }
    PaintFitted(painter, row.adjusted(0, 0, -captionWidth, 0), Qt::AlignLeft | Qt::AlignVCenter,
                Text(scene.exaggerationText));
}

void ProfilePlot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Paint(painter, size());
    PaintScreenExtras(painter);
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
    pointer_ = event->position();
    update();
    if (pressedAt_ && (event->buttons() & Qt::LeftButton)) {
        const double dx = event->position().x() - pressedAt_->x();
        if (dragging_ || std::abs(dx) > 3) {
            dragging_ = true;
            pressedAt_ = event->position();
            SetView(PanView(view_, dx));
        }
        return;
    }
    QString text = Text(HoverText(*index_, view_, PlotX(event->position())));
    // Labels left out for want of room are read here.
    const ProfileSheet& sheet = Sheet();
    const PixelPoint at{PlotX(event->position()), event->position().y() - TopMargin};
    for (const std::string& label : DroppedNear(sheet.labels, sheet.placement, at, 10))
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + Text(label);
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
    if (click && x >= 0 && x <= view_.plotWidth) {
        clickX_ = x;
        clickTimer_->start();  // a double-click stops it: the station stays
    }
}

void ProfilePlot::mouseDoubleClickEvent(QMouseEvent*)
{
    clickTimer_->stop();
    Fit();
}

void ProfilePlot::PickStation(double x) { emit StationClicked(Text(StationTextAtX(view_, x))); }

void ProfilePlot::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0)
        SetView(ZoomView(view_, PlotX(event->position()), std::pow(1.25, steps)));
    event->accept();
}

}  // namespace ravo
