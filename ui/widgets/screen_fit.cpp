// Fitting a window into the free part of its screen.
#include "ui/widgets/screen_fit.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace ravo {

// The frame is known only once the window was shown; before, it counts as none.
void FitOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return;
    const QRect room = screen->availableGeometry();
    const QSize frame = window.frameGeometry().size() - window.size();
    window.resize(window.size().boundedTo(room.size() - frame).expandedTo(window.minimumSize()));
    const QRect place = window.frameGeometry();
    const int x = std::clamp(place.left(), room.left(),
                             std::max(room.left(), room.right() + 1 - place.width()));
    const int y = std::clamp(place.top(), room.top(),
                             std::max(room.top(), room.bottom() + 1 - place.height()));
    if (x != place.left() || y != place.top())
        window.move(x, y);
}

}  // namespace ravo
