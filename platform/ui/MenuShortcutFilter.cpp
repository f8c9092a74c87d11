#include "platform/ui/MenuShortcutFilter.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace ui {

namespace {

bool menuClaims(const QList<QAction*>& actions, const QKeySequence& pressed)
{
    for (const QAction* const action : actions) {
        if (!action->isEnabled()) {
            continue;
        }
        if (const QMenu* const menu = action->menu()) {
            if (menuClaims(menu->actions(), pressed)) {
                return true;
            }
            continue;
        }
        for (const QKeySequence& shortcut : action->shortcuts()) {
            if (shortcut.matches(pressed) == QKeySequence::ExactMatch) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

MenuShortcutFilter::MenuShortcutFilter(QObject* parent)
    : QObject(parent)
{
}

bool MenuShortcutFilter::claimsKey(const QWidget& focus, const QKeyEvent& key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (key.key() == 0 || key.key() == Qt::Key_unknown || !(modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
        return false; // menu shortcuts here are Ctrl or Alt keys; plain typing always reaches the control
    }
    const QKeySequence pressed(QKeyCombination(modifiers, static_cast<Qt::Key>(key.key())));
    const QWidget* const window = focus.window();
    for (const QMenuBar* const bar : window->findChildren<QMenuBar*>()) {
        if (bar->window() == window && menuClaims(bar->actions(), pressed)) {
            return true;
        }
    }
    return false;
}

bool MenuShortcutFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType()) {
        const auto* const key = static_cast<QKeyEvent*>(event);
        if (claimsKey(*static_cast<QWidget*>(watched), *key)) {
            // Not overridden: the shortcut goes to the menu item instead of the control.
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
