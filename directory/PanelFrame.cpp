#include "directory/PanelFrame.h"

#include <QPainter>

PanelFrame::PanelFrame(Look look, QWidget* parent)
    : QFrame(parent)
    , m_look(look)
{
    setFrameShape(QFrame::NoFrame);
}

void PanelFrame::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QColor line = palette().color(QPalette::Mid);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    switch (m_look) {
    case Look::Card:
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QColor(60, 80, 110, 70));
        painter.setBrush(QColor(255, 255, 255, 185));
        painter.drawRoundedRect(area, 6, 6);
        break;
    case Look::Bar:
        painter.fillRect(rect(), palette().color(QPalette::Window));
        painter.setPen(line);
        painter.drawLine(area.topLeft(), area.topRight());
        painter.drawLine(area.bottomLeft(), area.bottomRight());
        break;
    case Look::Bordered:
        painter.fillRect(rect(), palette().color(QPalette::Window));
        painter.setPen(line);
        painter.drawRect(area);
        break;
    }
}
