#include "directory/LetterListDock.h"

#include <QApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {

constexpr int marginHeight = 7;

} // namespace

LetterListDock::LetterListDock(QWidget* panel, QMainWindow* window)
    : QDockWidget(window)
{
    // Not movable in Qt's sense: the main window's dock areas are not used, so the drag away is done here. A title
    // bar of our own, a plain strip, replaces the toolkit's caption with its float and close buttons, and a dock
    // with one floats without the window manager's decorations.
    setFeatures(QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::NoDockWidgetArea);
    auto* const strip = new QWidget(this); // owned by the dock
    strip->setObjectName(QStringLiteral("LetterListMargin"));
    // The dock lays its title bar out by its size hint, which an empty layout with a top margin gives.
    auto* const height = new QVBoxLayout(strip); // owned by the strip
    height->setContentsMargins(0, marginHeight, 0, 0);
    strip->setCursor(Qt::SizeAllCursor);
    setTitleBarWidget(strip);
    setAutoFillBackground(true); // it lies over other content
    setWidget(panel);
    // A window of its own takes no font from the main window; the floated list keeps the one it had.
    connect(this, &QDockWidget::topLevelChanged, this, [this, window](bool floating) {
        if (floating)
            setFont(window->font());
    });
}

void LetterListDock::setDockedGeometry(const QRect& geometry)
{
    m_dockedGeometry = geometry;
    if (!isFloating()) {
        setGeometry(geometry);
        raise();
    }
}

bool LetterListDock::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
        if (!isFloating())
            raise(); // over the window's content
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        if (onMouse(event))
            return true;
        break;
    default:
        break;
    }
    return QDockWidget::event(event);
}

bool LetterListDock::onMouse(QEvent* event)
{
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint position = mouse->position().toPoint();
    // The margin is what lies above the panel: the strip of our own title bar.
    const bool onMargin = widget() && position.y() < widget()->y();

    if (event->type() == QEvent::MouseButtonPress) {
        if (mouse->button() != Qt::LeftButton || !onMargin)
            return false;
        m_pressed = true;
        m_pressPosition = position;
        return true;
    }
    if (!m_pressed)
        return false;
    if (event->type() == QEvent::MouseButtonRelease) {
        if (m_dragging)
            releaseMouse();
        m_pressed = false;
        m_dragging = false;
        return true;
    }
    if (!m_dragging) {
        if ((position - m_pressPosition).manhattanLength() < QApplication::startDragDistance())
            return true;
        if (!isFloating())
            setFloating(true);
        grabMouse();
        m_dragging = true;
    }
    move(mouse->globalPosition().toPoint() - m_pressPosition);
    return true;
}
