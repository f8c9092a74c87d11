#pragma once

class QWidget;

namespace ui {

// Gives a top-level window the available area of its screen (the primary screen when it has none) and marks it
// maximised. Where no window manager maximises it (a bare X server, a tool window) it still fills the screen; where
// one does, that is also the size it is restored to.
void maximiseOnScreen(QWidget& window);

} // namespace ui
