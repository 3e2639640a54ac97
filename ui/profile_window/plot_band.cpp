// The outline of the band that a line of the profile scene covers.
#include "ui/profile_window/plot_band.h"

#include <algorithm>
#include <vector>

namespace ravo {

// The scene puts the one or two points of a column at the same x, in the
// order that joins them best to the next column; here only the highest and
// the lowest of each x count.
QPolygonF BandOutline(const Polyline& line, QPointF origin)
{
    struct Span {
        double x;
        double top;
        double bottom;
    };
    std::vector<Span> columns;
    columns.reserve(line.points.size());
    for (const PixelPoint& p : line.points) {
        if (!columns.empty() && columns.back().x == p.x) {
            columns.back().top = std::min(columns.back().top, p.y);
            columns.back().bottom = std::max(columns.back().bottom, p.y);
        } else {
            columns.push_back({p.x, p.y, p.y});
        }
    }
    QPolygonF outline;
    outline.reserve(static_cast<qsizetype>(2 * columns.size()));
    for (const Span& c : columns)
        outline.append(origin + QPointF(c.x, c.top));
    for (auto c = columns.rbegin(); c != columns.rend(); ++c)
        outline.append(origin + QPointF(c->x, c->bottom));
    return outline;
}

}  // namespace ravo
