// The plot of the profile window: paints the scene that core works out for the
// view, and turns the mouse and keys into zooms, pans, fits and clicks.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "core/view/profile_view.h"

class QPainter;

namespace ravo {

class ProfilePlot : public QWidget {
    Q_OBJECT

public:
    explicit ProfilePlot(QWidget* parent = nullptr);

    // The profile to draw; the plot keeps only a pointer to it.
    void SetIndex(std::shared_ptr<const ProfileViewIndex> index);
    void SetCursor(float station, float elevation);
    void SetOptions(bool plusNotation, std::optional<double> designSpeed, LengthUnits units);
    void Fit();

    const ProfileView& View() const { return view_; }
    const ProfileScene& Scene();
    // The cursor as it is drawn now; none before the first calculation.
    std::optional<Cursor> CurrentCursor();
    // Paints the whole plot at a size, on the screen or into an exported file.
    void Paint(QPainter& painter, QSize size);

    // Where the plot area begins inside the widget.
    static constexpr int LeftMargin = 70;
    static constexpr int TopMargin = 22;

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

private:
    void SetView(const ProfileView& view);
    ProfileView SizedView(ProfileView view, QSize size) const;
    double PlotX(const QPointF& position) const { return position.x() - LeftMargin; }

    std::shared_ptr<const ProfileViewIndex> index_ = std::make_shared<ProfileViewIndex>();
    ProfileView view_;
    std::optional<ProfileScene> scene_;  // of view_, until the view or the profile changes
    float cursorStation_ = 0;
    float cursorElevation_ = 0;
    bool hasCursor_ = false;
    std::optional<QPointF> pressedAt_;
    bool dragging_ = false;
};

}  // namespace ravo
