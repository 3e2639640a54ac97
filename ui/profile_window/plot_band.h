// A scene's line drawn as the band it covers: where many rows fall into one
// pixel column the line runs up and down in every column, which a painter
// strokes slowly; the outline of the band looks the same and costs about two
// plain polylines of the plot's width.
#pragma once

#include <QPolygonF>

#include "core/view/profile_view.h"

namespace ravo {

// The outline of the band that the line covers, moved by origin: the highest
// point of every column from left to right, then the lowest from right to
// left. A line with one point a column gives it there and back again.
QPolygonF BandOutline(const Polyline& line, QPointF origin);

}  // namespace ravo
