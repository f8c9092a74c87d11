#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

namespace ui {

// Lets the shortcuts of a window's menus win over the keys of the control that has the focus, as they did on the
// platform these programs come from: with a text box focused, Ctrl+X is the menu's "E&xit", not Cut. A control
// keeps every key that no enabled menu item of its window claims (Ctrl+A still selects all in a text box).
// Installed on the application, it answers the shortcut check that precedes every key press.
class MenuShortcutFilter : public QObject
{
    Q_OBJECT

public:
    explicit MenuShortcutFilter(QObject* parent = nullptr);

    // Whether an enabled item of a menu bar of the widget's window has the key as its shortcut.
    static bool claimsKey(const QWidget& focus, const QKeyEvent& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace ui
