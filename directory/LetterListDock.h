#pragma once

#include <QDockWidget>
#include <QPoint>
#include <QRect>

class QMainWindow;

// A panel that lies at a fixed place over a main window's content until the user drags it away by its margin;
// it then floats as a plain bordered panel of its own, without caption or buttons, that the user moves by the same
// margin and resizes by its edges. It does not dock back: a floated panel stays a window for the rest of the run.
class LetterListDock : public QDockWidget
{
    Q_OBJECT

public:
    // The panel becomes the dock's content; the dock lies on the window but outside its dock areas.
    LetterListDock(QWidget* panel, QMainWindow* window);

    // Where the panel lies while it has not floated, in the window's coordinates.
    void setDockedGeometry(const QRect& geometry);

    // The strip above the panel by which it is dragged.
    QWidget* margin() const { return titleBarWidget(); }

protected:
    bool event(QEvent* event) override;

private:
    bool onMouse(QEvent* event);

    QRect m_dockedGeometry;
    QPoint m_pressPosition;
    bool m_pressed = false;
    bool m_dragging = false;
};
