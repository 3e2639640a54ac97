// The plot of the profile window: paints the scene that core works out for the
// view, and turns the mouse and keys into zooms, pans, fits and clicks.
#pragma once

#include <QRectF>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "core/profile/profile_state.h"
#include "core/view/profile_sheet.h"
#include "core/view/profile_view.h"
#include "ui/profile_window/ground_painter.h"

class QPainter;
class QTimer;

namespace ravo {

class ProfilePlot : public QWidget {
    Q_OBJECT

public:
    explicit ProfilePlot(QWidget* parent = nullptr);

    // The profile to draw; the plot keeps only a pointer to it.
    void SetIndex(std::shared_ptr<const ProfileViewIndex> index);
    // The cursor at the station of a calculation at the offset; its caption
    // is worked out from the rows as they are now.
    void SetCursor(float station, float elevation, float offset = 0);
    void SetOptions(bool plusNotation, std::optional<double> designSpeed, LengthUnits units);
    void Fit();
    // How plus-notation stations read and the unit named on the axes.
    void SetStationStyle(StationStyle style, const QString& unitName);
    // A chosen vertical exaggeration, or none for one worked out at each fit
    // and then kept while panning and zooming.
    void SetExaggeration(std::optional<double> exaggeration);
    // A fitted grade line drawn dashed beside the design; none takes it away.
    void SetFittedLine(std::optional<ProfileState> fitted);
    bool HasFittedLine() const { return fitted_.has_value(); }
    // Moves the pointer, the crosshair the keys zoom about and pick at.
    void MovePointer(double dx);

    const ProfileView& View() const { return view_; }
    // The view as a paint of the given size would show it.
    ProfileView ViewAt(QSize size) const { return SizedView(view_, size); }
    const ProfileScene& Scene();
    const ProfileSheet& Sheet();
    // Where the last paint put each label's text, for checking they stay apart.
    const std::vector<QRectF>& PaintedLabels() const { return paintedLabels_; }
    QString AxisUnit() const { return unitName_; }
    // The cursor as it is drawn now; none before the first calculation.
    std::optional<Cursor> CurrentCursor();
    // Paints the whole plot at a size, on the screen or into an exported file.
    void Paint(QPainter& painter, QSize size);

    // The existing ground under the grade line and the earthwork against it
    // (frm_profile_plot_ground.cpp).
    void SetGround(std::shared_ptr<const GroundProfile> ground);
    void SetSection(const SectionTemplate& section);
    void SetMassHaulShown(bool shown);
    const GroundLayer& Ground() const { return ground_; }
    const GroundScene& GroundSceneNow();
    // The ground's part of the pointer readout at x in the plot.
    QString GroundReadoutAt(double x);

    // Where the plot area begins inside the widget.
    static constexpr int LeftMargin = 70;
    static constexpr int TopMargin = 40;

signals:
    // A click in the plot at a station, as the station box should receive it.
    void StationClicked(const QString& station);
    void ViewChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void SetView(const ProfileView& view);
    ProfileView SizedView(ProfileView view, QSize size) const;
    double PlotX(const QPointF& position) const { return position.x() - LeftMargin; }
    // The x in the plot that the keys zoom about and pick at: the pointer,
    // else the middle.
    double KeyX() const;
    void PickStation(double x);
    void KeepExaggeration();
    void PaintScreenExtras(QPainter& painter);
    void PaintTexts(QPainter& painter, const ProfileView& view, const ProfileScene& scene);
    void PaintGround(QPainter& painter, const ProfileView& view, const ProfileScene& scene,
                     const QRectF& grade, const QRectF& mass, bool shown);
    void PaintGroundReadout(QPainter& painter, double x);

    std::shared_ptr<const ProfileViewIndex> index_ = std::make_shared<ProfileViewIndex>();
    ProfileView view_;
    std::optional<ProfileScene> scene_;  // of view_, until the view or the profile changes
    GroundLayer ground_;
    float cursorStation_ = 0;
    float cursorElevation_ = 0;
    float cursorOffset_ = 0;
    std::optional<ProfileSheet> sheet_;  // of scene_
    std::vector<QRectF> paintedLabels_;
    std::optional<QPointF> pointer_;  // in the widget
    std::optional<double> fixedExaggeration_;
    std::optional<ProfileState> fitted_;
    QString unitName_ = QStringLiteral("m");
    QTimer* clickTimer_ = nullptr;  // a click waits to be told from a double-click
    double clickX_ = 0;
    bool hasCursor_ = false;
    std::optional<QPointF> pressedAt_;
    bool dragging_ = false;
};

}  // namespace ravo
