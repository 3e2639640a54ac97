// Windows that open no larger than the screen they open on.
#pragma once

class QWidget;

namespace ravo {

// Shrinks a top-level window to the free part of its screen (not below its
// least size) and moves it wholly onto the screen; a window that fits and
// lies on the screen stays as it is.
void FitOnScreen(QWidget& window);

}  // namespace ravo
