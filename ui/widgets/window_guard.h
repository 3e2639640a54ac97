// Keeps a window from being closed by its title bar, the window menu or
// Alt+F4, so that each window closes only through its own command.
#pragma once

#include <functional>

class QWidget;

namespace ravo {

// Hides the window's close button where the window manager honours it and
// ignores every close request that the program itself did not allow, calling
// onRefused for each. A desktop logout is always let through, or the logout
// would hang on the window.
void TrimSystemMenu(QWidget& window, std::function<void()> onRefused = {});

// Lets the next close request of a trimmed window through (File > Exit).
void AllowClose(QWidget& window);

// Centres a window in its normal state on its screen, keeping its size; a
// minimized or maximized window is left where it is.
void CentreOnScreen(QWidget& window);

}  // namespace ravo
