#pragma once

class QWidget;

namespace ui {

// Moves a top-level window so that it stands centred on the screen of its owner (the primary screen when it has
// none), inside the screen's available area. Done before the window is shown, it keeps the toolkit from centring
// it over its owner instead.
void centreOnScreen(QWidget& window);

} // namespace ui
