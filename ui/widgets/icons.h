// Icons drawn by the program itself, so that they look the same on every
// desktop theme and need no image plugins.
#pragma once

#include <QIcon>

namespace ravo {

// The program's own icon: a road profile over a crest curve.
QIcon RavoIcon();
// The elevations "Next" button: a station mark stepping on along the road.
QIcon NextStationIcon();
// The editors' previous and next buttons.
QIcon ArrowIcon(Qt::ArrowType direction);

}  // namespace ravo
