// Painting a fitted grade line beside the design on the profile sheet: a
// dashed line in the grade panel and its entry at the end of the legend.
#pragma once

#include <QRectF>

#include "core/profile/profile_state.h"
#include "core/view/profile_view.h"

class QPainter;

namespace ravo {

// The fitted line's rows sampled a few pixels apart, clipped to the panel,
// on the same elevation scale as the design.
void PaintFittedLine(QPainter& painter, const ProfileState& fitted, const ProfileView& view,
                     const Panel& panel, const QRectF& area);

// The legend entry of the fitted line, beginning at x in the strip, painted
// only when it fits.
void PaintFittedLegend(QPainter& painter, const QRectF& strip, double x);

}  // namespace ravo
