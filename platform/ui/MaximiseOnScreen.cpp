#include "platform/ui/MaximiseOnScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ui {

void maximiseOnScreen(QWidget& window)
{
    const QScreen* const screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen)
        window.setGeometry(screen->availableGeometry());
    window.setWindowState(Qt::WindowMaximized);
}

} // namespace ui
