#include "platform/ui/Bevel.h"

#include <QChildEvent>
#include <QEvent>
#include <QtGlobal>

namespace ui {

Bevel::Bevel(QWidget* parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Sunken);
    // Clicks, moves and the tooltips that follow the mouse all go to the widget beneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    lower();
}

bool Bevel::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ParentChange: // a layout or the code moved it to another parent: below the siblings there too
        lower();
        break;
    case QEvent::ChildAdded:
        if (static_cast<QChildEvent*>(event)->child()->isWidgetType()) {
            qWarning("A control inside a bevel never gets the mouse: lay it over the bevel instead");
        }
        break;
    default:
        break;
    }
    return QFrame::event(event);
}

} // namespace ui
