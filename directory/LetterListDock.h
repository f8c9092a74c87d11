#pragma once

#include <QDockWidget>
#include <QPoint>
#include <QRect>

class QMainWindow;

// A small panel that lies at a fixed place over a main window's content until the user drags it away by its
// margin (or presses its float button); it then floats as a small window of its own that the user can move and
// resize. It does not dock back: a floated panel stays a window for the rest of the run.
class LetterListDock : public QDockWidget
{
    Q_OBJECT

public:
    // The panel becomes the dock's content; the dock lies on the window but outside its dock areas.
    LetterListDock(QWidget* panel, QMainWindow* window);

    // Where the panel lies while it has not floated, in the window's coordinates.
    void setDockedGeometry(const QRect& geometry);

protected:
    bool event(QEvent* event) override;

private:
    bool onMouse(QEvent* event);

    QRect m_dockedGeometry;
    QPoint m_pressPosition;
    bool m_pressed = false;
    bool m_dragging = false;
};
